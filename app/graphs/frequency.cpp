#include "graphs/frequency.h"

#include "core/fields.h"
#include "core/gamerules.h"
#include "core/rowsource.h"
#include "graphs/graphtext.h"

#include <algorithm>

using namespace Qt::StringLiterals;

ColumnRange graphColumnRange(GraphColumns kind, int runMode)
{
    const int bonus = GameRules::of(runMode).bonusColumn();
    switch (kind) {
    case GraphColumns::WithBonus:
        return {GameRules::kFirstNumberColumn, bonus};
    case GraphColumns::WithoutBonus:
        return {GameRules::kFirstNumberColumn, bonus - 1};
    case GraphColumns::BonusOnly:
        return {bonus, bonus};
    }
    return {};
}

QString graphDesignCaption()
{
    return u"出易い番号のグラフ化"_s;
}

QString graphCaption(GraphColumns kind)
{
    switch (kind) {
    case GraphColumns::WithBonus:
        return graphDesignCaption() + u"（ボーナスあり）"_s;
    case GraphColumns::WithoutBonus:
        return graphDesignCaption() + u"（ボーナスなし）"_s;
    case GraphColumns::BonusOnly:
        return u"ボーナス数字になりやすい番号"_s;
    }
    return graphDesignCaption();
}

NumberCounts countNumbers(const RowSource &rows, int noTop, int noEnd, int maxNo)
{
    NumberCounts result;
    result.counts.assign(size_t(std::max(maxNo, 0)), 0);
    const int rowCount = rows.rowCount();
    for (int r = 0; r < rowCount; ++r) {
        if (!rows.inAnalysisSet(r))
            continue;
        ++result.selected;
        for (int c = noTop; c <= noEnd; ++c) {
            const int value = rows.number(r, c);
            // A stray value would index past the counters: it is simply not a number of the game.
            if (value >= 1 && value <= maxNo)
                ++result.counts[size_t(value - 1)];
        }
    }
    return result;
}

QStringList FrequencyRow::cells() const
{
    return {QString(), numberText, countText, shareText, rankText, parityText};
}

FrequencyTable rankNumbers(const NumberCounts &counts, int columnCount, int maxNo)
{
    FrequencyTable table;
    table.shareHeader = u"n/"_s + QString::number(counts.selected);
    if (counts.selected == 0)
        return table;

    const double expected = double(columnCount) / double(maxNo);
    const double selected = double(counts.selected);
    table.rows.reserve(maxNo);
    for (int n = 1; n <= maxNo; ++n) {
        FrequencyRow row;
        row.number = n;
        row.count = counts.count(n);
        row.numberText = padCell(QString::number(n), 2);
        row.countText = padCell(QString::number(row.count), 5);
        const double share = double(row.count) / selected;
        row.shareText = percentCell(share);
        row.belowExpected = expected > share;
        row.parityText = n % 2 == 0 ? u"偶   "_s : u"   奇"_s;
        table.rows.append(row);
    }
    std::stable_sort(table.rows.begin(), table.rows.end(),
                     [](const FrequencyRow &a, const FrequencyRow &b) { return a.count > b.count; });
    int rank = 1;
    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        if (i > 0 && table.rows[i].count != table.rows[i - 1].count)
            rank = int(i) + 1;
        table.rows[i].rankText = padCell(QString::number(rank), 2);
    }
    return table;
}

QStringList frequencyHeaders(const QString &shareHeader)
{
    return {QString(), u"番号"_s, u"出現数n"_s, shareHeader, u"Rank"_s, u"偶奇数"_s};
}

QList<int> frequencyColumnTwips()
{
    return {0, 541, 720, 841, 570, 540};
}

QString expectationText(int columnCount, int maxNo)
{
    const double percent = double(columnCount) * 100.0 / double(maxNo);
    return QString::number(columnCount) + u'/' + QString::number(maxNo) + u" = "_s + shortestNumber(percent) + u'%';
}

QString oddEvenText(const QList<FrequencyRow> &rows)
{
    qint64 even = 0;
    qint64 odd = 0;
    for (const FrequencyRow &row : rows)
        (row.number % 2 != 0 ? odd : even) += row.count;
    const double total = double(even + odd);
    const QString evenShare = even != 0 ? percentFixed3(double(even) / total) + u'%' : u"0.000%"_s;
    const QString oddShare = odd != 0 ? percentFixed3(double(odd) / total) + u"% "_s : u"0.000%"_s;
    return u" 偶数 "_s + QString::number(even) + u"回 "_s + evenShare + u"    奇数 "_s + QString::number(odd) +
           u"回 "_s + oddShare;
}

QString frequencySeriesLabel()
{
    return u"出現数"_s;
}
