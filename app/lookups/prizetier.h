#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

struct DrawRecord;

// Prize tiers of both games: what a set of chosen numbers wins in one draw. The past-result
// check and the purchase check both decide tiers here.
namespace PrizeTier {

// What a number set won in one draw: tier 1..5 (0 = nothing) and the draw-table sub-item that
// holds that tier's per-winner prize in the draw's row (Money1..Money5; 0 when nothing).
struct Tier
{
    int rank = 0;
    int moneyColumn = 0;
    bool wins() const { return rank > 0; }
    QString label() const;
};

// mainMatches: chosen numbers equal to one of the draw's main numbers; bonusMatched: one of
// them equals the bonus number, which only separates the second tier from the third.
Tier tierFor(int runMode, int mainMatches, bool bonusMatched);

// "１等" .. "５等"; empty outside 1..5.
QString label(int rank);
// Tiers a game pays: 5 (LOTO6), 4 (miniLOTO), 0 otherwise.
int tierCount(int runMode);
// Sub-item of the draw table holding the prize of a tier, 0 when the game has no such tier.
int moneyColumn(int runMode, int rank);
// Least width of a shown amount of money: that of the draw table's first prize (9 LOTO6, 8
// miniLOTO); 0 for no game.
int amountWidth(int runMode);

struct DrawMatch
{
    int mainMatches = 0;
    bool bonusMatched = false;
};

// Compares chosen numbers (each in 1..maxNo) with one draw, by value. Numbers of the draw that
// are not numbers of the game match nothing.
DrawMatch matchDraw(const DrawRecord &draw, const QList<int> &numbers);

} // namespace PrizeTier
