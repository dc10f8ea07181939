#include "core/game.h"

using namespace Qt::StringLiterals;

namespace {
struct TierColumns
{
    int winnersWidth;
    int prizeWidth;
};

// Column 0, draw number, date, the main numbers and the bonus, then winners and prize of each
// tier side by side (the file lists all winner counts first, then all prizes).
QList<ColumnLayout> buildLayout(int picks, const QList<TierColumns> &tiers)
{
    QList<ColumnLayout> columns{
        {QString(), QString(), -1, 0},
        {u"Kai"_s, u"回"_s, 0, 5, ColumnLayout::Role::DrawNo},
        {u"Date"_s, u"抽選日"_s, 1, 0, ColumnLayout::Role::Date},
    };
    for (int i = 1; i <= picks; ++i)
        columns.append({u"No"_s + QString::number(i), QString::number(i), 1 + i, 2, ColumnLayout::Role::Number, i - 1});
    columns.append({u"Bonus"_s, u"Bonus"_s, 2 + picks, 2, ColumnLayout::Role::Bonus});
    const QString fullWidthDigits = u"１２３４５"_s;
    const int firstWinners = 3 + picks;
    const int firstPrize = firstWinners + int(tiers.size());
    for (int t = 0; t < tiers.size(); ++t) {
        const QString n = QString::number(t + 1);
        const QChar wide = fullWidthDigits.at(t);
        columns.append({u"Kuchi"_s + n, wide + u"等口数"_s, firstWinners + t, tiers[t].winnersWidth,
                        ColumnLayout::Role::Winners, t});
        columns.append({u"Money"_s + n, wide + u"等賞金"_s, firstPrize + t, tiers[t].prizeWidth,
                        ColumnLayout::Role::Prize, t});
    }
    return columns;
}
} // namespace

const QList<ColumnLayout> &drawColumns(int runMode)
{
    static const QList<ColumnLayout> loto6 = [] {
        QList<ColumnLayout> c = buildLayout(6, {{3, 9}, {3, 9}, {4, 7}, {5, 5}, {7, 4}});
        c.append({u"Carry"_s, u"CarryOver"_s, 19, 9, ColumnLayout::Role::Carry});
        return c;
    }();
    static const QList<ColumnLayout> mini = buildLayout(5, {{3, 8}, {4, 7}, {4, 5}, {6, 4}});
    static const QList<ColumnLayout> none;
    return runMode == Game::Loto6 ? loto6 : runMode == Game::MiniLoto ? mini : none;
}
