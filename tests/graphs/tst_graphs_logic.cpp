#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/griddata.h"
#include "core/drawfile.h"
#include "core/fields.h"
#include "core/rowsource.h"
#include "graphs/frequency.h"
#include "graphs/graphtext.h"
#include "graphs/ratechart.h"
#include "graphs/trend.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace {
// Rows given as the numbers of their cells (column 0 first) with their own selected flags.
class ListRows final : public RowSource
{
public:
    QList<QList<int>> numbers;
    QList<bool> selected;

    int rowCount() const override { return int(numbers.size()); }
    bool isSelected(int row) const override { return selected.value(row); }
    QString cellText(int row, int column) const override { return QString::number(number(row, column)); }
    int number(int row, int column) const override { return numbers[row].value(column); }
};

std::vector<bool> tickedOnly(int maxNo, const QList<int> &numbers)
{
    std::vector<bool> ticked(size_t(maxNo), false);
    for (int n : numbers)
        ticked[size_t(n - 1)] = true;
    return ticked;
}

// The shade a rate of hits / draws gets, worked out in floating point.
int expectedGreen(qint64 hits, qint64 draws)
{
    return int(std::llround(double(hits) * 255.0 / double(draws) * 256.0) >> 8);
}
} // namespace

class GraphLogicTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsMatchAnIndependentCountOfTheRealFile()
    {
        // Every third draw of the real file, read straight from its text.
        QFile file(testsupport::loto6File());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = DrawFile::decode(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        std::map<int, qint64> withBonus;
        std::map<int, qint64> bonusOnly;
        qint64 selected = 0;
        for (qsizetype i = 2; i < lines.size(); i += 3) {
            const QStringList fields = lines[i].split(u',');
            ++selected;
            for (int f = 2; f <= 8; ++f)
                ++withBonus[fields[f].toInt()];
            ++bonusOnly[fields[8].toInt()];
        }

        DrawTable table;
        QVERIFY(DrawFile::read(testsupport::loto6File(), table).ok());
        for (int r = 0; r < table.rowCount(); ++r)
            table.setSelected(r, r % 3 == 0);

        const NumberCounts all = countNumbers(table, 3, 9, 43);
        const NumberCounts bonus = countNumbers(table, 9, 9, 43);
        QCOMPARE(all.selected, selected);
        for (int n = 1; n <= 43; ++n) {
            QCOMPARE(all.count(n), withBonus[n]);
            QCOMPARE(bonus.count(n), bonusOnly[n]);
        }
    }

    void strayCellsAreSkipped()
    {
        // Blank, non-numeric and out-of-range cells: none of them may be counted or crash. They are
        // read as the draw table reads its cells (it analyses no such row: here they are a list's).
        DrawTable table;
        table.reset(Game::Loto6);
        table.appendRow(QStringList{QString(), u"    1"_s, u"d"_s, u" 0"_s, u"44"_s, u"  "_s, u"ab"_s, u"-3"_s, u" 7"_s});
        table.appendRow(QStringList{QString(), u"    2"_s, u"d"_s, u"32"_s, u" 7"_s, u"31"_s, u" 1"_s, u"99"_s, u"  "_s});
        ListRows rows;
        for (int r = 0; r < table.rowCount(); ++r) {
            rows.numbers.append(QList<int>());
            for (int c = 0; c <= 8; ++c)
                rows.numbers[r].append(table.number(r, c));
            rows.selected.append(true);
        }
        const NumberCounts loto6 = countNumbers(rows, 3, 8, 43);
        QCOMPARE(loto6.selected, 2);
        QCOMPARE(loto6.counts.size(), size_t(43));
        QCOMPARE(loto6.count(7), 2);
        QCOMPARE(loto6.count(32), 1);
        QCOMPARE(loto6.count(1), 1);
        qint64 total = 0;
        for (qint64 c : loto6.counts)
            total += c;
        QCOMPARE(total, 5);  // 7, 32, 7, 31, 1

        // miniLOTO has no 32: that cell is a stray one there.
        const NumberCounts mini = countNumbers(rows, 3, 8, 31);
        QCOMPARE(mini.count(32), 0);
        QCOMPARE(mini.count(31), 1);

        // The trend grid reads the same cells: the stray ones mark nothing.
        TrendRequest request{3, 8, 43, std::vector<bool>(43, true), false};
        const TrendGrid trend = buildTrendGrid(rows, request);
        int marks = 0;
        for (int r = 1; r < trend.rows(); ++r) {
            for (int c = 1; c < trend.columns(); ++c)
                marks += trend.isHit(r, c) ? 1 : 0;
        }
        QCOMPARE(marks, 5);
    }

    void oneSelectedDrawRanksItsNumbersFirst()
    {
        const QList<int> drawn{4, 11, 19, 23, 38, 42};
        DrawTable table = drawTable(Game::Loto6, {loto6Line(1, {1, 2, 3, 5, 6, 7}, 8), loto6Line(2, drawn, 9)});
        table.setSelected(0, false);

        const NumberCounts counts = countNumbers(table, 3, 8, 43);
        const FrequencyTable ranked = rankNumbers(counts, 6, 43);
        QCOMPARE(ranked.shareHeader, u"n/1"_s);
        QCOMPARE(ranked.rows.size(), 43);
        for (qsizetype i = 0; i < ranked.rows.size(); ++i) {
            const FrequencyRow &row = ranked.rows[i];
            const bool isDrawn = drawn.contains(row.number);
            QCOMPARE(i < drawn.size(), isDrawn);
            QCOMPARE(row.countText, padCell(isDrawn ? u"1"_s : u"0"_s, 5));
            QCOMPARE(row.shareText, isDrawn ? u"100.000%"_s : u"  0.000%"_s);
            QCOMPARE(row.rankText, isDrawn ? u" 1"_s : padCell(QString::number(drawn.size() + 1), 2));
            QCOMPARE(row.belowExpected, !isDrawn);
            QCOMPARE(row.numberText, padCell(QString::number(row.number), 2));
            QCOMPARE(row.parityText, row.number % 2 == 0 ? u"偶   "_s : u"   奇"_s);
        }
    }

    void equalCountsShareTheRankOfTheFirst()
    {
        // Counts 3, 2, 2, 1 (numbers 5, 9, 2, 7); the rest 0.
        ListRows rows;
        for (const int bonus : {5, 5, 5, 9, 9, 2, 2, 7}) {
            rows.numbers.append({0, 1, 0, bonus});
            rows.selected.append(true);
        }
        const FrequencyTable ranked = rankNumbers(countNumbers(rows, 3, 3, 43), 1, 43);
        QStringList order;
        QStringList ranks;
        for (int i = 0; i < 5; ++i) {
            order.append(ranked.rows[i].numberText.trimmed());
            ranks.append(ranked.rows[i].rankText.trimmed());
        }
        QCOMPARE(order, (QStringList{u"5"_s, u"2"_s, u"9"_s, u"7"_s, u"1"_s}));
        QCOMPARE(ranks, (QStringList{u"1"_s, u"2"_s, u"2"_s, u"4"_s, u"5"_s}));
        QCOMPARE(ranked.rows.last().rankText, u" 5"_s);
    }

    void shareEqualToTheExpectationIsNotRed()
    {
        // 43 bonus draws: 1 twice, 2..42 once, 43 never. Once in 43 is exactly 1/43. The main
        // numbers keep clear of each draw's bonus, as in a real draw.
        QStringList lines;
        for (int n = 1; n <= 42; ++n)
            lines.append(loto6Line(n, n <= 6 ? QList<int>{37, 38, 39, 40, 41, 42} : QList<int>{1, 2, 3, 4, 5, 6}, n));
        lines.append(loto6Line(43, {37, 38, 39, 40, 41, 42}, 1));
        const DrawTable table = drawTable(Game::Loto6, lines);
        const FrequencyTable ranked = rankNumbers(countNumbers(table, 9, 9, 43), 1, 43);
        for (const FrequencyRow &row : ranked.rows)
            QCOMPARE(row.belowExpected, row.number == 43);
    }

    void expectationAndShareTexts()
    {
        // The worked examples of the three entries.
        QCOMPARE(expectationText(6, 43), u"6/43 = 13.953488372093%"_s);
        QCOMPARE(expectationText(5, 31), u"5/31 = 16.1290322580645%"_s);
        QCOMPARE(expectationText(1, 43), u"1/43 = 2.32558139534884%"_s);
        QCOMPARE(expectationText(7, 43), u"7/43 = 16.2790697674419%"_s);

        QCOMPARE(percentFixed3(0.148), u"14.800"_s);
        QCOMPARE(percentFixed3(1.0 / 3.0), u"33.333"_s);
        QCOMPARE(percentFixed3(2.0 / 3.0), u"66.667"_s);
        QCOMPARE(percentFixed3(0.125), u"12.500"_s);
        QCOMPARE(percentFixed3(0.0), u"0.000"_s);
        QCOMPARE(percentFixed3(1.0), u"100.000"_s);
    }

    void oddEvenLine()
    {
        // Rows of a ranked table: number and count.
        auto row = [](int number, qint64 count) {
            FrequencyRow r;
            r.number = number;
            r.count = count;
            return r;
        };
        const QList<FrequencyRow> rows{row(2, 700), row(3, 700), row(4, 35), row(5, 65)};
        QCOMPARE(oddEvenText(rows), u" 偶数 735回 49.000%    奇数 765回 51.000% "_s);
        // Only the odd numbers (selected in the window).
        QCOMPARE(oddEvenText({rows[1], rows[3]}), u" 偶数 0回 0.000%    奇数 765回 100.000% "_s);
        // Only the even ones: the odd share is the bare zero text.
        QCOMPARE(oddEvenText({rows[0], rows[2]}), u" 偶数 735回 100.000%    奇数 0回 0.000%"_s);
        // Nothing selected.
        QCOMPARE(oddEvenText({}), u" 偶数 0回 0.000%    奇数 0回 0.000%"_s);
    }

    void columnRangesOfTheEntries()
    {
        const std::pair<GraphColumns, QList<int>> cases[] = {
            {GraphColumns::WithBonus, {3, 9, 3, 8}},
            {GraphColumns::WithoutBonus, {3, 8, 3, 7}},
            {GraphColumns::BonusOnly, {9, 9, 8, 8}},
        };
        for (const auto &[kind, expected] : cases) {
            const ColumnRange loto6 = graphColumnRange(kind, Game::Loto6);
            const ColumnRange mini = graphColumnRange(kind, Game::MiniLoto);
            QCOMPARE((QList<int>{loto6.noTop, loto6.noEnd, mini.noTop, mini.noEnd}), expected);
        }
    }

    void runningRatesOfSevenInDrawsOneAndThree()
    {
        const DrawTable table = drawTable(Game::Loto6, {loto6Line(101, {7, 10, 20, 30, 40, 41}, 2),
                                                        loto6Line(102, {1, 10, 20, 30, 40, 41}, 3),
                                                        loto6Line(103, {2, 7, 20, 30, 40, 41}, 4),
                                                        loto6Line(104, {1, 10, 20, 30, 40, 42}, 7)});
        TrendRequest request{3, 8, 43, tickedOnly(43, {7, 13}), true};
        const TrendGrid trend = buildTrendGrid(table, request);
        const TrendGrid &g = trend;
        QCOMPARE(trend.draws, 4);
        QCOMPARE(g.rows(), 5);
        QCOMPARE(g.columns(), 5);
        QCOMPARE((QStringList{g.text(0, 1), g.text(0, 2), g.text(0, 3), g.text(0, 4)}),
                 (QStringList{u"101"_s, u"102"_s, u"103"_s, u"104"_s}));
        QCOMPARE((QStringList{g.text(1, 0), g.text(2, 0), g.text(3, 0), g.text(4, 0)}),
                 (QStringList{u"7"_s, u"7"_s, u"13"_s, u"13"_s}));

        // The bonus (104) is outside the counted columns.
        QCOMPARE((QList<bool>{g.isHit(1, 1), g.isHit(1, 2), g.isHit(1, 3), g.isHit(1, 4)}),
                 (QList<bool>{true, false, true, false}));
        QCOMPARE((QStringList{g.text(2, 1), g.text(2, 2), g.text(2, 3), g.text(2, 4)}),
                 (QStringList{u"100%"_s, u"50%"_s, u"66.6666666666667%"_s, u"50%"_s}));

        const qint64 hits[] = {1, 1, 2, 2};
        QList<int> levels;
        for (int c = 1; c <= 4; ++c) {
            const int level = g.shadeLevel(2, c).value_or(-1);
            QCOMPARE(level, expectedGreen(hits[c - 1], c));
            levels.append(level);
        }
        QVERIFY(levels[0] == 255 && levels[1] < levels[0] && levels[2] > levels[1] && levels[3] < levels[2]);
        // 13 never came up: black shade, 0%.
        QCOMPARE(g.text(4, 4), u"0%"_s);
        QCOMPARE(g.shadeLevel(4, 4), std::optional<int>(0));

        // With the bonus counted, 104 marks 7 as well.
        request.noEnd = 9;
        const TrendGrid withBonus = buildTrendGrid(table, request);
        QVERIFY(withBonus.isHit(1, 4));
        QCOMPARE(withBonus.text(2, 4), u"75%"_s);
    }

    void gridWithoutRatesSelectionOrTicks()
    {
        DrawTable table = drawTable(Game::Loto6, {loto6Line(7, {1, 2, 3, 4, 5, 6}, 7),
                                                  loto6Line(8, {7, 8, 9, 10, 11, 12}, 13)});
        // Mark rows only, one per ticked number, in number order.
        TrendRequest request{3, 8, 43, tickedOnly(43, {12, 1, 7}), false};
        TrendGrid trend = buildTrendGrid(table, request);
        QCOMPARE(trend.rows(), 4);
        QCOMPARE(trend.numbers, (QList<int>{1, 7, 12}));
        QCOMPARE(trend.text(0, 1), u"7"_s);  // draw number without its blanks
        QVERIFY(trend.isHit(1, 1) && !trend.isHit(1, 2));
        QVERIFY(trend.isHit(2, 2) && trend.isHit(3, 2));
        QVERIFY(trend.text(1, 1).isEmpty());

        // No selected draw: labels only.
        table.setAllSelected(false);
        request.rates = true;
        trend = buildTrendGrid(table, request);
        QCOMPARE(trend.columns(), 1);
        QCOMPARE(trend.rows(), 7);
        QCOMPARE(trend.text(6, 0), u"12"_s);

        // No ticked number: the header row alone.
        table.setAllSelected(true);
        request.ticked = tickedOnly(43, {});
        trend = buildTrendGrid(table, request);
        QCOMPARE(trend.rows(), 1);
        QCOMPARE(trend.columns(), 3);
    }

    void bonusOnlyMarksOneCellPerDraw()
    {
        DrawTable table;
        QVERIFY(DrawFile::read(testsupport::miniLotoFile(), table).ok());
        const RowRange last = lastRows(table.rowCount(), 40);
        table.setAllSelected(false);
        table.setRangeSelected(last.first, last.last, true);
        TrendRequest request{8, 8, 31, std::vector<bool>(31, true), false};
        const TrendGrid trend = buildTrendGrid(table, request);
        QCOMPARE(trend.draws, 40);
        for (int c = 1; c <= trend.draws; ++c) {
            int marks = 0;
            for (int r = 1; r < trend.rows(); ++r) {
                if (trend.isHit(r, c)) {
                    ++marks;
                    QCOMPARE(trend.text(r, 0).toInt(), table.cellText(last.first + c - 1, 8).trimmed().toInt());
                }
            }
            QCOMPARE(marks, 1);
        }
    }

    void longSelectionsDoNotOverflow()
    {
        // 40,000 draws with 7 in every one: more than a 16-bit count holds, and hits x 255 x 256
        // beyond 32 bits.
        DrawTable table;
        table.reset(Game::Loto6);
        const int draws = 40000;
        table.reserve(draws);
        for (int i = 1; i <= draws; ++i)
            table.appendDataLine(loto6Line(i, {7, 10 + i % 2, 20, 30, 40, 41}, 1));
        table.setAllSelected(true);

        const NumberCounts counts = countNumbers(table, 3, 8, 43);
        QCOMPARE(counts.count(7), draws);
        QCOMPARE(counts.count(10), draws / 2);
        const FrequencyTable ranked = rankNumbers(counts, 6, 43);
        QCOMPARE(ranked.rows.first().shareText, u"100.000%"_s);

        const TrendGrid trend = buildTrendGrid(table, {3, 8, 43, tickedOnly(43, {7, 10}), true});
        QCOMPARE(trend.text(2, draws), u"100%"_s);
        QCOMPARE(trend.shadeLevel(2, draws), std::optional<int>(255));
        QCOMPARE(trend.text(4, draws), u"50%"_s);
        QCOMPARE(trend.shadeLevel(4, draws), std::optional<int>(expectedGreen(draws / 2, draws)));
        QCOMPARE(greenLevel(30000, 40000), expectedGreen(30000, 40000));
    }

    void hoverText()
    {
        const DrawTable table = drawTable(Game::Loto6, {loto6Line(119, {7, 10, 20, 30, 40, 41}, 2),
                                                        loto6Line(120, {1, 10, 20, 30, 40, 41}, 3)});
        const TrendGrid g = buildTrendGrid(table, {3, 8, 43, tickedOnly(43, {7}), true});
        QCOMPARE(trendHoverText(g, 2, 2), u"No 7  120回  50%"_s);
        QCOMPARE(trendHoverText(g, 1, 1), u"No 7  119回"_s);  // a mark cell holds no text
        QCOMPARE(trendHoverText(g, 0, 2), u"120回"_s);
        QCOMPARE(trendHoverText(g, 2, 0), u"No 7"_s);
        QCOMPARE(trendHoverText(g, 0, 0), QString());
        // No draws: the number part alone.
        QCOMPARE(trendHoverText(GridData(3, 1), 1, 0), u"No "_s);
    }

    void movingRates()
    {
        // Hits of one number over 9 draws.
        const QList<bool> hit{true, false, true, true, false, false, true, false, true};
        QStringList lines;
        for (qsizetype i = 0; i < hit.size(); ++i)
            lines.append(loto6Line(int(i) + 1, {hit[i] ? 7 : 8, 10, 20, 30, 40, 41}, 1));
        const DrawTable table = drawTable(Game::Loto6, lines);
        const TrendGrid g = buildTrendGrid(table, {3, 8, 43, tickedOnly(43, {7}), true});
        auto hitsIn = [&](qsizetype from, qsizetype to) {  // 1-based, inclusive
            int n = 0;
            for (qsizetype i = from; i <= to; ++i)
                n += hit[i - 1] ? 1 : 0;
            return n;
        };

        const std::optional<RateChart> one = movingRateChart(g, 1);
        QVERIFY(one);
        QCOMPARE(one->seriesLabels, (QStringList{u"7平均"_s, u"7"_s}));
        QCOMPARE(one->categories.first(), u"1回"_s);
        QCOMPARE(one->categories.size(), hit.size());
        for (qsizetype h = 0; h < hit.size(); ++h) {
            QCOMPARE(one->values[1][size_t(h)], hit[h] ? 100.0 : 0.0);
            QCOMPARE(one->values[0][size_t(h)], g.text(2, int(h) + 1).chopped(1).toDouble());
        }

        // Wider than the selection: the running rate at every draw.
        const std::optional<RateChart> wide = movingRateChart(g, 50);
        for (qsizetype h = 0; h < hit.size(); ++h)
            QCOMPARE(wide->values[1][size_t(h)], wide->values[0][size_t(h)]);

        // W = 5: draw 3 over draws 1..3 divided by 3, draw 7 over 3..7 divided by 5.
        const std::optional<RateChart> five = movingRateChart(g, 5);
        QCOMPARE(five->values[1][2], hitsIn(1, 3) * 100.0 / 3);
        QCOMPARE(five->values[1][6], hitsIn(3, 7) * 100.0 / 5);
        QCOMPARE(five->values[1][8], hitsIn(5, 9) * 100.0 / 5);
        // A window below 1 counts as 1.
        QCOMPARE(movingRateChart(g, 0)->values[1], one->values[1]);

        const std::optional<RateChart> final = finalRateChart(g);
        // 5 hits in 9 draws, as the grid's last rate cell shows it.
        QCOMPARE(hitsIn(1, 9), 5);
        for (qsizetype h = 0; h < hit.size(); ++h) {
            QCOMPARE(final->values[0][size_t(h)], 55.5555555555556);
            QCOMPARE(final->values[1][size_t(h)], one->values[0][size_t(h)]);
        }
    }

    void chartsNeedRateRows()
    {
        const DrawTable table = drawTable(Game::Loto6, {loto6Line(1, {7, 10, 20, 30, 40, 41}, 2)});
        const TrendGrid marksOnly = buildTrendGrid(table, {3, 8, 43, tickedOnly(43, {7, 10}), false});
        QVERIFY(!marksOnly.rates);
        QVERIFY(!movingRateChart(marksOnly, 5));
        QVERIFY(!finalRateChart(marksOnly));
        // A single ticked number without rates has one data row: no pair either.
        QVERIFY(!buildTrendGrid(table, {3, 8, 43, tickedOnly(43, {7}), false}).rates);

        // With rates but no ticked number: no series, one category per draw.
        const std::optional<RateChart> empty = movingRateChart(buildTrendGrid(table, {3, 8, 43, tickedOnly(43, {}), true}), 5);
        QVERIFY(empty);
        QVERIFY(empty->seriesLabels.isEmpty());
        QCOMPARE(empty->categories.size(), 1);
    }
};

QTEST_MAIN(GraphLogicTest)
#include "tst_graphs_logic.moc"
