#include "core/gamerules.h"

using namespace Qt::StringLiterals;

const GameRules &GameRules::of(int runMode)
{
    static const GameRules loto6(Game::Loto6, 43, u"LOTO6"_s,
                                 {{1, 6, false, 3, 9}, {2, 5, true, 3, 9}, {3, 5, false, 4, 7},
                                  {4, 4, false, 5, 5}, {5, 3, false, 7, 4}},
                                 9);
    static const GameRules miniLoto(Game::MiniLoto, 31, u"miniLOTO"_s,
                                    {{1, 5, false, 3, 8}, {2, 4, true, 4, 7}, {3, 4, false, 4, 5},
                                     {4, 3, false, 6, 4}},
                                    0);
    static const GameRules none;
    return runMode == Game::Loto6 ? loto6 : runMode == Game::MiniLoto ? miniLoto : none;
}

GameRules::GameRules(int picks, int maxNo, const QString &name, const QList<Tier> &tiers, int carryWidth)
    : m_picks(picks), m_maxNo(maxNo), m_name(name), m_tiers(tiers)
{
    m_columns = {
        {QString(), QString(), -1, 0},
        {u"Kai"_s, u"回"_s, 0, 5, ColumnLayout::Role::DrawNo},
        {u"Date"_s, u"抽選日"_s, 1, 0, ColumnLayout::Role::Date},
    };
    for (int i = 1; i <= picks; ++i)
        m_columns.append({u"No"_s + QString::number(i), QString::number(i), 1 + i, 2, ColumnLayout::Role::Number, i - 1});
    m_columns.append({u"Bonus"_s, u"Bonus"_s, 2 + picks, 2, ColumnLayout::Role::Bonus});
    const int firstWinners = 3 + picks;
    const int firstPrize = firstWinners + tierCount();
    for (const Tier &t : tiers) {
        const QString n = QString::number(t.rank);
        const QString label = tierLabel(t.rank);
        m_columns.append({u"Kuchi"_s + n, label + u"口数"_s, firstWinners + t.rank - 1, t.winnersWidth,
                          ColumnLayout::Role::Winners, t.rank - 1});
        m_columns.append({u"Money"_s + n, label + u"賞金"_s, firstPrize + t.rank - 1, t.prizeWidth,
                          ColumnLayout::Role::Prize, t.rank - 1});
    }
    if (carryWidth > 0)
        m_columns.append({u"Carry"_s, u"CarryOver"_s, firstPrize + tierCount(), carryWidth, ColumnLayout::Role::Carry});
}

const GameRules::Tier *GameRules::tier(int rank) const
{
    return rank >= 1 && rank <= tierCount() ? &m_tiers[rank - 1] : nullptr;
}

int GameRules::tierFor(int mainMatches, bool bonusMatched) const
{
    // Tiers stand best first: the bonus lifts five (LOTO6) or four (miniLOTO) matches to the
    // second tier and nothing else.
    for (const Tier &t : m_tiers) {
        if (t.mainMatches == mainMatches && (bonusMatched || !t.needsBonus))
            return t.rank;
    }
    return 0;
}

QString GameRules::tierLabel(int rank)
{
    static const QString labels[] = {u"１等"_s, u"２等"_s, u"３等"_s, u"４等"_s, u"５等"_s};
    return rank >= 1 && rank <= 5 ? labels[rank - 1] : QString();
}

int GameRules::amountWidth() const
{
    return isGame() ? m_tiers.first().prizeWidth : 0;
}
