#include "purchases/purchasesfeature.h"

#include "core/featureregistry.h"

using namespace Qt::StringLiterals;

void registerPurchases(FeatureRegistry &features)
{
    features.addMenuEntry({u"menuBuyHistory"_s, u"購入履歴"_s, FeatureRegistry::Place::Analysis, 90, {}, {}});
}
