// The frequency graph over every real LOTO6 draw, and the heaviest trend: all 43 numbers with
// rates over every draw, grid and rate chart filled.
#include "benchsupport.h"

#include "core/drawtable.h"
#include "core/formmain.h"
#include "core/messages.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "graphs/graphsfeature.h"
#include "graphs/formgraph2.h"
#include "graphs/formgraph3.h"
#include "graphs/frequency.h"
#include "graphs/ratechart.h"
#include "graphs/trend.h"

#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QScrollBar>
#include <QTreeWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
// What the event loop does between two user actions: deferred deletes and pending paints.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

int measure(FormMain &main)
{
    const DrawTable &table = main.table();
    std::printf("draws: %d, selected: %d\n", table.rowCount(), table.selectedCount());

    // Frequency graph, numbers with bonus (seven columns per draw).
    auto *graph = main.tools().get<FormGraph>(GraphTools::GraphWithBonus);
    graph->setLvwObj(&table);
    graph->setNoTop(3);
    graph->setNoEnd(9);
    graph->show();
    const double countLogic = bench::medianMs(41, [&] { rankNumbers(countNumbers(table, 3, 9, 43), 7, 43); });
    const double graphFill = bench::medianMs(41, [&] { graph->MakeGraph(); });
    const double graphPainted = bench::medianMs(21, [&] {
        graph->MakeGraph();
        graph->grab();
    });
    std::printf("frequency graph: %d table rows\n", graph->ListView1()->topLevelItemCount());
    bench::report(u"frequency logic (count and rank)"_s, countLogic, u"ms"_s);
    bench::report(u"frequency graph, table and chart filled"_s, graphFill, u"ms"_s, u"<= 30 ms"_s);
    bench::report(u"  the same and painted"_s, graphPainted, u"ms"_s);
    graph->hide();
    settle();

    // The heaviest trend.
    const double before = bench::currentRssMiB();
    auto *trend = main.tools().get<FormGraph2>(GraphTools::TrendWithBonus);
    trend->setNoTop(3);
    trend->setNoEnd(9);
    trend->show();
    trend->Check2()->setChecked(true);
    FormGraph3 *chart = trend->graph3();

    const TrendRequest request{3, 9, 43, std::vector<bool>(43, true), true};
    const double trendLogic = bench::medianMs(11, [&] { buildTrendGrid(table, request); });
    const TrendGrid grid = buildTrendGrid(table, request);
    const double chartLogic = bench::medianMs(11, [&] { movingRateChart(grid, 5); });
    settle();
    const double trendFill = bench::medianMs(11, [&] {
        trend->Command1_Click(BoxesAll);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    settle();
    const double trendReady = bench::medianMs(5, [&] {
        trend->Command1_Click(BoxesAll);
        settle();
        trend->grab();
        chart->grab();
    });
    // The same grid scrolled to its last draws and numbers and back, painted each time.
    auto *view = trend->MSFlexGrid1();
    bool atEnd = false;
    const double trendScrolled = bench::medianMs(21, [&] {
        atEnd = !atEnd;
        for (QScrollBar *bar : {view->horizontalScrollBar(), view->verticalScrollBar()})
            bar->setValue(atEnd ? bar->maximum() : 0);
        view->viewport()->repaint();
    });
    std::printf("trend grid: %d x %d cells, chart: %d series of %d points\n", trend->grid().rows(),
                trend->grid().columns(), int(chart->chart()->series().size()), int(chart->chartData().categories.size()));
    bench::report(u"trend logic (grid of 2 x 43 rows)"_s, trendLogic, u"ms"_s);
    bench::report(u"rate chart logic (moving rates)"_s, chartLogic, u"ms"_s);
    bench::report(u"heaviest trend, grid and rate chart filled"_s, trendFill, u"ms"_s, u"<= 1000 ms"_s);
    bench::report(u"  the same and both windows painted"_s, trendReady, u"ms"_s);
    bench::report(u"  its grid scrolled end to end and painted"_s, trendScrolled, u"ms"_s);
    bench::report(u"memory held by the trend windows"_s, bench::currentRssMiB() - before, u"MiB"_s);
    bench::report(u"peak memory"_s, bench::peakRssMiB(), u"MiB"_s);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    return bench::runOnLoadedWindow(argc, argv, u"LOTO6_Download.csv"_s, measure);
}
