// The draw-result file reader and every analysis its table feeds: the list, the typed records,
// a column sort, the selection tools, the frequency count and ranking, the trend grid with the
// rate charts, the past-result check and the search. The choices come from the input's last
// bytes: 0-1 the selection, 2 a column sort, 3 the graph columns, 4-7 the ticked numbers, 12
// the trend box and the moving window, 13-14 a hovered cell, 15-20 the check's boxes, 21-24 the
// search text and mode.
#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/fields.h"
#include "core/numbers.h"
#include "graphs/frequency.h"
#include "graphs/graphtext.h"
#include "graphs/ratechart.h"
#include "graphs/trend.h"
#include "lookups/numbersearch.h"
#include "lookups/oldhit.h"

#include "fuzzinput.h"

using namespace Qt::StringLiterals;

namespace {
// Data lines of a file the reader accepted: every line after the heading, the last one also
// without a line end.
int dataLineCount(const QByteArray &bytes)
{
    qsizetype start = 0;
    for (int skip = 0; skip < 2; ++skip) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            return 0;
        start = end + 1;
    }
    const qsizetype lineEnds = bytes.count('\n') - 2;
    return int(lineEnds + (start < bytes.size() && !bytes.endsWith('\n') ? 1 : 0));
}

void select(DrawTable &table, const fuzz::TailBytes &tail)
{
    const int n = int(tail.at(1));
    switch (tail.at(0) % 3) {
    case 0:
        table.setAllSelected(true);
        break;
    case 1:
    case 2: {
        const RowRange range = tail.at(0) % 3 == 1 ? firstRows(table.rowCount(), n) : lastRows(table.rowCount(), n);
        table.setAllSelected(false);
        if (!range.isEmpty())
            table.setRangeSelected(range.first, range.last, true);
        break;
    }
    }
}

bool selectedOnly(const DrawTable &table, const QList<int> &rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i] < 0 || rows[i] >= table.rowCount() || !table.isSelected(rows[i]) || (i > 0 && rows[i] <= rows[i - 1]))
            return false;
    }
    return true;
}

void frequency(const DrawTable &table, const ColumnRange &range, int maxNo)
{
    const NumberCounts counts = countNumbers(table, range.noTop, range.noEnd, maxNo);
    qint64 total = 0;
    for (int n = 1; n <= maxNo; ++n)
        total += counts.count(n);
    fuzz::check(total <= qint64(table.selectedCount()) * range.count(), "more numbers counted than cells");
    const FrequencyTable ranked = rankNumbers(counts, range.count(), maxNo);
    fuzz::check(ranked.rows.isEmpty() == (table.selectedCount() - table.invalidSelectedCount() == 0), "ranked table without a selection");
    if (!ranked.rows.isEmpty()) {
        fuzz::check(ranked.rows.size() == maxNo, "a number missing from the ranking");
        oddEvenText(ranked.rows);
    }
    expectationText(range.count(), maxNo);
}

void trend(const DrawTable &table, const ColumnRange &range, int maxNo, const fuzz::TailBytes &tail)
{
    TrendRequest request;
    request.noTop = range.noTop;
    request.noEnd = range.noEnd;
    request.maxNo = maxNo;
    request.rates = tail.at(12) & 1;
    // Up to four ticked numbers (byte value 0: none): every path of the grid, at a fraction of
    // the cost of ticking dozens.
    request.ticked.assign(size_t(maxNo), false);
    int ticked = 0;
    for (size_t i = 4; i < 8; ++i) {
        const int n = int(tail.at(i) % unsigned(maxNo + 1));
        if (n > 0 && !request.ticked[size_t(n - 1)]) {
            request.ticked[size_t(n - 1)] = true;
            ++ticked;
        }
    }
    const TrendGrid grid = buildTrendGrid(table, request);
    // Rows that are not valid draws are shown but not analysed.
    fuzz::check(grid.draws == table.selectedCount() - table.invalidSelectedCount(), "trend columns are not the analysed draws");
    fuzz::check(grid.columns() == grid.draws + 1, "trend grid width");
    fuzz::check(grid.rows() == 1 + ticked * (request.rates ? 2 : 1), "trend grid height");
    if (grid.rows() > 1 && grid.columns() > 1)
        trendHoverText(grid, 1 + int(tail.at(13)) % (grid.rows() - 1), 1 + int(tail.at(14)) % (grid.columns() - 1));
    if (!request.rates || grid.draws == 0)
        return;
    const qint64 window = qint64(tail.at(12) >> 1) - 8;  // below 1 too
    for (const std::optional<RateChart> &chart : {movingRateChart(grid, window), finalRateChart(grid)}) {
        fuzz::check(chart.has_value(), "rate chart without its rate rows");
        fuzz::check(chart->values.size() == size_t(2 * ticked), "two series per ticked number");
        for (const std::vector<double> &series : chart->values) {
            fuzz::check(series.size() == size_t(chart->categories.size()), "series length");
            for (const double v : series) {
                fuzz::check(v >= 0 && v <= 100, "rate outside 0..100%");
                shortestNumber(v);
            }
        }
    }
}

void check(const DrawTable &table, int runMode, int maxNo, const fuzz::TailBytes &tail)
{
    QStringList boxes;
    for (int i = 0; i < OldHit::kBoxCount; ++i) {
        // 0: an empty box; up to two past the game's numbers, and texts with leading zeros.
        const unsigned b = tail.at(15 + size_t(i));
        const int n = int(b % unsigned(maxNo + 3));
        QString text = n == 0 ? QString() : QString::number(n);
        if (b & 0x80)
            text.prepend(u'0');
        boxes.append(typedDigits(text));
    }
    if (OldHit::hasDuplicate(boxes, runMode))
        return;
    const OldHit::Result result = OldHit::check(table, runMode, boxes);
    fuzz::check(result.total >= 0, "negative winnings");
    fuzz::check(selectedOnly(table, result.rows()), "a check hit outside the selection");
    OldHit::copyCaption(boxes);
}

void search(const DrawTable &table, int runMode, int maxNo, const fuzz::TailBytes &tail)
{
    QString typed;
    for (int i = 0; i < 3; ++i) {
        const unsigned b = tail.at(21 + size_t(i));
        if (b == 0)
            continue;
        typed += QString::number(int(b % unsigned(maxNo + 2))) + (b & 0x80 ? u"  "_s : u" "_s);
    }
    typed = typedDigits(typed, u" ");
    if (typed.isEmpty())
        return;
    const NumberSearch::Parsed parsed = NumberSearch::parse(typed, runMode);
    if (!parsed.ok())
        return;
    const auto mode = NumberSearch::Mode(tail.at(24) % 3);
    const QList<int> rows = NumberSearch::search(table, NumberSearch::noEnd(runMode), NumberSearch::cellTexts(parsed.cleaned), mode);
    fuzz::check(selectedOnly(table, rows), "a search hit outside the selection");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    DrawTable table;
    const DrawFile::Result result = DrawFile::parse(bytes, table);
    if (!result.ok()) {
        fuzz::check(table.rowCount() == 0 && table.columnCount() == 0, "a refused file changed the table");
        return 0;
    }
    fuzz::check(table.rowCount() == dataLineCount(bytes), "a data line without its row");
    const int runMode = result.runMode;
    const int maxNo = table.maxNo();

    // The list as shown, and the records the analyses read.
    table.headers();
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c)
            table.cell(r, c);
        const DrawRecord *record = table.record(r);
        fuzz::check(!record->valid || record->mask != 0, "a valid draw without numbers");
    }

    const fuzz::TailBytes tail(data, size);
    if (tail.at(2) & 0x80 && table.columnCount() > 0)
        table.sortByColumn(int(tail.at(2) & 0x3F) % table.columnCount(), tail.at(2) & 0x40 ? Qt::DescendingOrder : Qt::AscendingOrder);
    select(table, tail);
    table.invalidSelectedCount();

    const ColumnRange range = graphColumnRange(GraphColumns(tail.at(3) % 3), runMode);
    frequency(table, range, maxNo);
    trend(table, range, maxNo, tail);
    check(table, runMode, maxNo, tail);
    search(table, runMode, maxNo, tail);
    return 0;
}
