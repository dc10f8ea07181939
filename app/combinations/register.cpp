#include "combinations/combinationsfeature.h"

#include "combinations/formcomblist.h"
#include "core/featureregistry.h"
#include "core/formhelpers.h"
#include "core/formmain.h"

using namespace Qt::StringLiterals;

namespace {
void menuCombList_Click(FormMain &window)
{
    auto *list = window.tools().get<FormCombList>(CombinationTools::CombList);
    if (!list)
        return;
    // Later openings find the grids as the user left them.
    if (!list->SetFormMain()) {
        list->setSetFormMain(&window);
        list->resetGrids();
    }
    showToolWindow(list, frameBottomRight(&window));
}
} // namespace

void registerCombinations(FeatureRegistry &features)
{
    using Place = FeatureRegistry::Place;
    features.addToolWindow(CombinationTools::CombList,
                           [](const ToolContext &c) -> QWidget * { return new FormCombList(c); });
    features.addMenuEntry(
        {u"menuCombList"_s, u"組み合わせ表の作成"_s, Place::Analysis, 80, u"menuLine1"_s, menuCombList_Click});
    features.addMenuEntry({u"menuPatternFile"_s, u"パターンファイル"_s, Place::Master, 10, {}, {}});
}
