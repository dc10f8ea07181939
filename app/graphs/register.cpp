#include "core/featureregistry.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "graphs/formgraph2.h"
#include "graphs/frequency.h"
#include "graphs/graphsfeature.h"

using namespace Qt::StringLiterals;

namespace {
// One graph entry of the analysis menu: the frequency graph and its trend grid.
void openGraphPair(FormMain &main, GraphColumns kind, const QString &graphId, const QString &trendId)
{
    if (main.table().rowCount() == 0)
        return;
    FormGraph *graph = main.tools().get<FormGraph>(graphId);
    FormGraph2 *trend = main.tools().get<FormGraph2>(trendId);
    if (!graph || !trend)
        return;
    const ColumnRange range = graphColumnRange(kind, main.RunMode());
    const QString caption = graphCaption(kind);

    graph->setLvwObj(&main.table());
    graph->setNoTop(range.noTop);
    graph->setNoEnd(range.noEnd);
    graph->MakeGraph();
    graph->setWindowTitle(caption);

    trend->setNoTop(range.noTop);
    trend->setNoEnd(range.noEnd);
    trend->Command1_Click(BoxesAll);
    trend->setWindowTitle(caption);
    showToolWindowPair(graph, trend, &main);
}

void addPair(FeatureRegistry &features, const QString &graphId, const QString &trendId)
{
    features.addToolWindow(graphId, [](const ToolContext &context) -> QWidget * { return new FormGraph(context); });
    features.addToolWindow(trendId, [](const ToolContext &context) -> QWidget * { return new FormGraph2(context); });
}

void addEntry(FeatureRegistry &features, const QString &name, int order, GraphColumns kind, const QString &graphId,
              const QString &trendId)
{
    features.addMenuEntry({name, graphCaption(kind), FeatureRegistry::Place::Analysis, order, {},
                           [=](FormMain &main) { openGraphPair(main, kind, graphId, trendId); }});
}
} // namespace

void registerGraphs(FeatureRegistry &features)
{
    using namespace GraphTools;
    addPair(features, GraphWithBonus, TrendWithBonus);
    addPair(features, GraphWithoutBonus, TrendWithoutBonus);
    addPair(features, GraphBonusOnly, TrendBonusOnly);
    addEntry(features, u"menuEasyNumberB"_s, 10, GraphColumns::WithBonus, GraphWithBonus, TrendWithBonus);
    addEntry(features, u"menuEasyNumber"_s, 20, GraphColumns::WithoutBonus, GraphWithoutBonus, TrendWithoutBonus);
    addEntry(features, u"menuBonus"_s, 30, GraphColumns::BonusOnly, GraphBonusOnly, TrendBonusOnly);
}
