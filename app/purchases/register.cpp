#include "purchases/purchasesfeature.h"

#include "core/featureregistry.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "purchases/formbuyhistory.h"

using namespace Qt::StringLiterals;

namespace {
void menuBuyHistory_Click(FormMain &main)
{
    auto *history = main.tools().get<FormBuyHistory>(PurchaseTools::BuyHistory);
    if (!history)
        return;
    // The purchase history opens at the lower right corner of its main window.
    showToolWindow(history, frameBottomRight(&main));
}
} // namespace

void registerPurchases(FeatureRegistry &features)
{
    features.addToolWindow(PurchaseTools::BuyHistory,
                           [](const ToolContext &c) -> QWidget * { return new FormBuyHistory(c); });
    features.addMenuEntry({u"menuBuyHistory"_s, u"購入履歴"_s, FeatureRegistry::Place::Analysis, 90, {}, menuBuyHistory_Click});
}
