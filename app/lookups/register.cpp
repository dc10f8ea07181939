#include "core/featureregistry.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "lookups/formsearch.h"
#include "lookups/formway.h"
#include "lookups/lookupsfeature.h"
#include "lookups/numbersearch.h"

using namespace Qt::StringLiterals;

namespace {
void menuNoSet_Click(FormMain &window)
{
    auto *search = window.tools().get<FormSearch>(LookupTools::Search);
    if (!search)
        return;
    search->setNoEnd(NumberSearch::noEnd(window.RunMode()));
    // Search and check open at the lower right corner of their main window.
    showToolWindow(search, frameBottomRight(&window));
}

void menuOldHit_Click(FormMain &window)
{
    auto *check = window.tools().get<FormOldHit>(LookupTools::OldHit);
    if (!check)
        return;
    showToolWindow(check, frameBottomRight(&window));
}

void menuWay_Click(FormMain &window)
{
    auto *way = window.tools().get<FormWay>(LookupTools::Way);
    if (!way)
        return;
    // Shown (to the right of its main window the first time) before the tally fills it: the
    // sub-graph is placed below its frame, which is only known once it is on screen.
    showToolWindow(way, frameTopRight(&window));
    way->Command1_Click();
    showToolWindow(way);
}
} // namespace

void registerLookups(FeatureRegistry &features)
{
    using Place = FeatureRegistry::Place;
    features.addToolWindow(LookupTools::Search, [](const ToolContext &c) -> QWidget * { return new FormSearch(c); });
    features.addToolWindow(LookupTools::OldHit, [](const ToolContext &c) -> QWidget * { return new FormOldHit(c); });
    features.addToolWindow(LookupTools::Way, [](const ToolContext &c) -> QWidget * { return new FormWay(c); });
    features.addMenuEntry({u"menuNoSet"_s, u"指定した番号から抽選結果の検索"_s, Place::Analysis, 40, {}, menuNoSet_Click});
    features.addMenuEntry({u"menuOldHit"_s, u"過去の抽選結果と照合"_s, Place::Analysis, 50, {}, menuOldHit_Click});
    features.addMenuEntry({u"menuWay"_s, u"抽選結果から当選番号の抽出"_s, Place::Analysis, 60, {}, menuWay_Click});
}
