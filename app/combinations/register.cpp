#include "combinations/combinationsfeature.h"

#include "core/featureregistry.h"

using namespace Qt::StringLiterals;

void registerCombinations(FeatureRegistry &features)
{
    using Place = FeatureRegistry::Place;
    features.addMenuEntry({u"menuCombList"_s, u"組み合わせ表の作成"_s, Place::Analysis, 80, u"menuLine1"_s, {}});
    features.addMenuEntry({u"menuPatternFile"_s, u"パターンファイル"_s, Place::Master, 10, {}, {}});
}
