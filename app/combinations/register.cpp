#include "combinations/combinationsfeature.h"

#include "combinations/formcomblist.h"
#include "combinations/formpattern.h"
#include "core/featureregistry.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/program.h"

using namespace Qt::StringLiterals;

namespace {
void menuCombList_Click(FormMain &window)
{
    auto *list = window.tools().get<FormCombList>(CombinationTools::CombList);
    if (!list)
        return;
    showToolWindow(list, frameBottomRight(&window));
}

void menuPatternFile_Click(FormMain &window)
{
    auto *manager = qobject_cast<FormPattern *>(window.program().programWindow(CombinationTools::PatternManager));
    if (!manager)
        return;
    manager->setOpenerGame(window.RunMode());
    showToolWindow(manager, frameTopRight(&window));
}
} // namespace

void registerCombinations(FeatureRegistry &features)
{
    using Place = FeatureRegistry::Place;
    features.addToolWindow(CombinationTools::CombList,
                           [](const ToolContext &c) -> QWidget * { return new FormCombList(c); });
    features.addMenuEntry(
        {u"menuCombList"_s, u"組み合わせ表の作成"_s, Place::Analysis, 80, u"menuLine1"_s, menuCombList_Click});
    features.addProgramWindow(CombinationTools::PatternManager, [](Program &) -> QWidget * { return new FormPattern; });
    features.addMenuEntry({u"menuPatternFile"_s, u"パターンファイル"_s, Place::Master, 10, {}, menuPatternFile_Click});
}
