#include "cli.h"

#include "core/drawtable.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "core/tablewriter.h"
#include "graphs/frequency.h"
#include "graphs/graphtext.h"
#include "graphs/ratechart.h"
#include "graphs/trend.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace cli {

namespace {
GraphColumns columnsOption(const Args &args)
{
    return GraphColumns(args.choice(u"--columns"_s, {{u"with-bonus"_s, int(GraphColumns::WithBonus)},
                                                     {u"without-bonus"_s, int(GraphColumns::WithoutBonus)},
                                                     {u"bonus"_s, int(GraphColumns::BonusOnly)}}));
}

// The number boxes to tick, as "N N ...". Only boxes of the game's numbers exist.
std::vector<bool> tickedNumbers(const QString &text, int maxNo)
{
    std::vector<bool> ticked(size_t(maxNo), false);
    const QStringList parts = text.split(QRegularExpression(u"[\\s,]+"_s), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const std::optional<qint64> n = parseNumber(part);
        if (!n || *n < 1 || *n > maxNo)
            throw UsageError{u"--numbers takes numbers from 1 to "_s + QString::number(maxNo)};
        ticked[size_t(*n - 1)] = true;
    }
    return ticked;
}

// The window-size box keeps only the digits typed into it.
qint64 windowSize(const QString &typed)
{
    return std::max<qint64>(parseNumber(typedDigits(typed)).value_or(0), 1);
}

void printChart(Output &out, const QStringList &seriesLabels, const QStringList &categories,
                const std::function<QString(qsizetype series, qsizetype category)> &value)
{
    // An empty field, then one field per series (no series: the line is empty).
    TableWriter tsv(&out, TableWriter::Format::Tsv);
    tsv.writeRow(QStringList{QString()} + seriesLabels);
    for (qsizetype h = 0; h < categories.size(); ++h) {
        tsv.addCell(categories[h]);
        for (qsizetype s = 0; s < seriesLabels.size(); ++s)
            tsv.addCell(value(s, h));
        tsv.endRow();
    }
}
} // namespace

int runFreq(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--select"_s, u"--columns"_s}, {});
    args.expectPositionalCount(1, 1);
    const GraphColumns kind = columnsOption(args);
    DrawTable table;
    const int runMode = loadAnalysisSet(args, table);
    const int maxNo = GameRules::of(runMode).maxNo();
    const ColumnRange range = graphColumnRange(kind, runMode);

    const NumberCounts counts = countNumbers(table, range.noTop, range.noEnd, maxNo);
    out.section(u"FormGraph"_s, u"Caption"_s);
    out.line(graphCaption(kind));
    out.section(u"FormGraph"_s, u"MSChart1"_s);
    QStringList numbers;
    for (int n = 1; n <= maxNo; ++n)
        numbers.append(QString::number(n));
    printChart(out, {frequencySeriesLabel()}, numbers,
               [&](qsizetype, qsizetype h) { return QString::number(counts.count(int(h) + 1)); });
    out.section(u"FormGraph"_s, u"Label1"_s);
    out.line(expectationText(range.count(), maxNo));

    // With nothing selected the table stays empty and the odd/even line keeps its (empty) text.
    const FrequencyTable ranked = rankNumbers(counts, range.count(), maxNo);
    out.section(u"FormGraph"_s, u"ListView1"_s);
    if (ranked.rows.isEmpty()) {
        out.line(QString());
    } else {
        QList<QStringList> rows;
        for (const FrequencyRow &row : ranked.rows)
            rows.append(row.cells());
        out.list(frequencyHeaders(ranked.shareHeader), rows);
    }
    out.section(u"FormGraph"_s, u"Label2"_s);
    out.line(ranked.rows.isEmpty() ? QString() : oddEvenText(ranked.rows));
    return 0;
}

int runTrend(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--select"_s, u"--columns"_s, u"--numbers"_s, u"--window"_s},
                    {u"--rates"_s, u"--final"_s});
    args.expectPositionalCount(1, 1);
    const GraphColumns kind = columnsOption(args);
    if (!args.has(u"--numbers"_s))
        throw UsageError{u"missing --numbers"_s};
    DrawTable table;
    const int runMode = loadAnalysisSet(args, table);
    const int maxNo = GameRules::of(runMode).maxNo();
    const ColumnRange range = graphColumnRange(kind, runMode);

    TrendRequest request;
    request.noTop = range.noTop;
    request.noEnd = range.noEnd;
    request.maxNo = maxNo;
    request.ticked = tickedNumbers(args.value(u"--numbers"_s), maxNo);
    request.rates = args.has(u"--rates"_s);
    const TrendGrid trend = buildTrendGrid(table, request);

    out.section(u"FormGraph2"_s, u"MSFlexGrid1"_s);
    out.grid(trend, [&trend](int row, int column) { return trend.isHit(row, column); });

    // The chart window opens only when a trend was computed over at least one draw.
    if (!request.rates || trend.draws == 0)
        return 0;
    const RateView view = args.has(u"--final"_s) ? RateView::Final : RateView::Moving;
    const qint64 window = windowSize(args.value(u"--window"_s, u"5"_s));
    out.section(u"FormGraph3"_s, u"MSChart1"_s);
    // Every draw is printed, computed as it goes: a long history needs no chart in memory.
    QStringList categories;
    categories.reserve(trend.draws);
    for (int h = 1; h <= trend.draws; ++h)
        categories.append(rateCategory(trend, h));
    printChart(out, rateSeriesLabels(trend), categories, [&](qsizetype s, qsizetype h) {
        return shortestNumber(rateAt(trend, view, window, int(s), int(h) + 1));
    });
    return 0;
}

} // namespace cli
