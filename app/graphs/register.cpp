#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/toolwindows.h"
#include "graphs/formgraph.h"
#include "graphs/formgraph2.h"
#include "graphs/frequency.h"

using namespace Qt::StringLiterals;

namespace {
// One graph entry of the analysis menu: the frequency graph and its trend grid.
void openGraphPair(FormMain &main, GraphColumns kind, ToolSlot graphSlot, ToolSlot trendSlot)
{
    if (main.table().rowCount() == 0)
        return;
    FormGraph *graph = main.tools().get<FormGraph>(graphSlot);
    FormGraph2 *trend = main.tools().get<FormGraph2>(trendSlot);
    if (!graph || !trend)
        return;
    const ColumnRange range = graphColumnRange(kind, main.RunMode());
    const QString caption = graphCaption(kind);

    graph->setLvwObj(&main.table());
    graph->setNoTop(range.noTop);
    graph->setNoEnd(range.noEnd);
    graph->MakeGraph();
    graph->setWindowTitle(caption);
    showToolWindow(graph, frameBottomLeft(&main));

    trend->setSetFormMain(&main);
    trend->setNoTop(range.noTop);
    trend->setNoEnd(range.noEnd);
    trend->Command1_Click(0);
    trend->setWindowTitle(caption);
    showToolWindow(trend, frameBottomLeft(graph));
}
} // namespace

// Tool windows and menu entries of the frequency graphs and trend grids.
void registerGraphWindows()
{
    auto makeGraph = [](FormMain *owner) -> QWidget * { return new FormGraph(owner); };
    auto makeTrend = [](FormMain *owner) -> QWidget * { return new FormGraph2(owner); };
    ToolWindows::setFactory(ToolSlot::GraphWithBonus, makeGraph);
    ToolWindows::setFactory(ToolSlot::TrendWithBonus, makeTrend);
    ToolWindows::setFactory(ToolSlot::GraphWithoutBonus, makeGraph);
    ToolWindows::setFactory(ToolSlot::TrendWithoutBonus, makeTrend);
    ToolWindows::setFactory(ToolSlot::GraphBonusOnly, makeGraph);
    ToolWindows::setFactory(ToolSlot::TrendBonusOnly, makeTrend);

    ToolWindows::setMenuHandler(u"menuEasyNumberB"_s, [](FormMain &main) {
        openGraphPair(main, GraphColumns::WithBonus, ToolSlot::GraphWithBonus, ToolSlot::TrendWithBonus);
    });
    ToolWindows::setMenuHandler(u"menuEasyNumber"_s, [](FormMain &main) {
        openGraphPair(main, GraphColumns::WithoutBonus, ToolSlot::GraphWithoutBonus, ToolSlot::TrendWithoutBonus);
    });
    ToolWindows::setMenuHandler(u"menuBonus"_s, [](FormMain &main) {
        openGraphPair(main, GraphColumns::BonusOnly, ToolSlot::GraphBonusOnly, ToolSlot::TrendBonusOnly);
    });
}
