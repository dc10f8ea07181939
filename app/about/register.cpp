#include "about/aboutfeature.h"

#include "core/featureregistry.h"

using namespace Qt::StringLiterals;

void registerAbout(FeatureRegistry &features)
{
    using Place = FeatureRegistry::Place;
    features.addMenuEntry({u"menuHelpOpen"_s, u"ヘルプの表示"_s, Place::Help, 10, {}, {}});
    features.addMenuEntry({u"menuHelpOnline"_s, u"オンラインヘルプ"_s, Place::Help, 20, {}, {}});
    features.addMenuEntry({u"menuHelpFAQ"_s, u"FAQ（オンライン）"_s, Place::Help, 30, {}, {}});
    features.addMenuEntry({u"menuVersion"_s, u"バージョン"_s, Place::MenuBar, 10, {}, {}});
}
