#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class RowSource;

// The three column ranges a main window's graph entries count.
enum class GraphColumns { WithBonus, WithoutBonus, BonusOnly };

struct ColumnRange
{
    int noTop = 0;
    int noEnd = 0;
    int count() const { return noEnd - noTop + 1; }
};
ColumnRange graphColumnRange(GraphColumns kind, int runMode);

// Caption the frequency graph and the trend grid carry, without a suffix ("出易い番号のグラフ化")
// and as an entry of the main window gives it ("...（ボーナスあり）", "ボーナス数字になりやすい番号").
QString graphDesignCaption();
QString graphCaption(GraphColumns kind);

// How often each number 1..maxNo occurs in the list columns noTop..noEnd of the selected rows.
struct NumberCounts
{
    std::vector<qint64> counts;  // number n at index n - 1
    qint64 selected = 0;         // selected rows seen

    qint64 count(int number) const
    {
        return number >= 1 && size_t(number) <= counts.size() ? counts[size_t(number) - 1] : 0;
    }
};

// Cells that are blank, not a whole number, or outside 1..maxNo are not counted.
NumberCounts countNumbers(const RowSource &rows, int noTop, int noEnd, int maxNo);

// One row of the ranked table, its cells from column 1 on as shown.
struct FrequencyRow
{
    int number = 0;
    qint64 count = 0;
    QString numberText;  // " 7"
    QString countText;   // "   12"
    QString shareText;   // " 14.800%"
    QString rankText;    // " 1"
    QString parityText;  // "偶   " or "   奇"
    bool belowExpected = false;  // the share is drawn red

    QStringList cells() const;  // column 0 (empty) first
};

struct FrequencyTable
{
    QString shareHeader;       // "n/" and the selected count
    QList<FrequencyRow> rows;  // most frequent first; empty when nothing is selected
};

// Ranks the counts: sorted by count, most first (equal counts in number order), equal counts
// sharing the rank of the first of them. columnCount is noEnd - noTop + 1.
FrequencyTable rankNumbers(const NumberCounts &counts, int columnCount, int maxNo);

// Column headers of the ranked table, the hidden column 0 first.
QStringList frequencyHeaders(const QString &shareHeader);
// Widths of those columns in twips.
QList<int> frequencyColumnTwips();

// "k/M = P%": the share a number would get if every number were equally likely.
QString expectationText(int columnCount, int maxNo);

// The odd/even line over rows of a ranked table (a fresh table's rows, or those selected in its
// window): " 偶数 735回 49.000%    奇数 765回 51.000% ".
QString oddEvenText(const QList<FrequencyRow> &rows);

// Label of the chart's one series and its categories (the numbers).
QString frequencySeriesLabel();
