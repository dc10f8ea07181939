#pragma once

#include "core/game.h"

#include <QList>
#include <QString>

// The rules of one game, in one place: how many numbers a draw picks and from how many, its
// prize tiers and where the draw table keeps them, its name. Every 5/6 difference of the
// program is read from here.
class GameRules
{
public:
    // One prize tier: what a ticket must share with the draw to win it, and the cell widths of
    // its winners and prize columns in the draw table.
    struct Tier
    {
        int rank = 0;             // 1 for the first tier
        int mainMatches = 0;      // main numbers of the draw on the ticket
        bool needsBonus = false;  // the bonus number on the ticket too (second tier only)
        int winnersWidth = 0;
        int prizeWidth = 0;
    };

    // The rules of a game (RunMode 6 or 5); for anything else rules with no numbers, no tiers
    // and no name.
    static const GameRules &of(int runMode);

    // Column of the draw table (and of its copies) holding the first main number.
    static constexpr int kFirstNumberColumn = 3;
    // Yen per ticket, the same in both games.
    static constexpr qint64 kTicketPrice = 200;

    bool isGame() const { return m_picks > 0; }
    // Main numbers per draw, which is also the game's RunMode.
    int picks() const { return m_picks; }
    // Numbers are drawn from 1..maxNo.
    int maxNo() const { return m_maxNo; }
    // "LOTO6", "miniLOTO".
    QString name() const { return m_name; }
    // Column of the bonus number: main numbers are kFirstNumberColumn .. bonusColumn() - 1.
    int bonusColumn() const { return kFirstNumberColumn + m_picks; }

    const QList<Tier> &tiers() const { return m_tiers; }
    int tierCount() const { return int(m_tiers.size()); }
    // The tier of a rank, null when the game has none.
    const Tier *tier(int rank) const;
    // The rank a ticket wins with that many main numbers of the draw (and the bonus or not);
    // 0 for nothing.
    int tierFor(int mainMatches, bool bonusMatched) const;
    // "１等" .. "５等"; empty outside 1..5.
    static QString tierLabel(int rank);

    // The draw table's columns, column 0 included. Winners and prize of each tier stand side by
    // side after the bonus (the file lists all winner counts first, then all prizes).
    const QList<ColumnLayout> &drawColumns() const { return m_columns; }
    // Least width of a shown amount of money: that of the first prize's cell; 0 for no game.
    int amountWidth() const;

private:
    GameRules() = default;
    GameRules(int picks, int maxNo, const QString &name, const QList<Tier> &tiers, int carryWidth);

    int m_picks = 0;
    int m_maxNo = 0;
    QString m_name;
    QList<Tier> m_tiers;
    QList<ColumnLayout> m_columns;
};
