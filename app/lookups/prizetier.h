#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

class RowSource;

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

// Numeric value of a number cell (" 7" -> 7); nothing for a blank or non-numeric cell.
std::optional<int> cellNumber(QStringView cell);

struct DrawMatch
{
    int mainMatches = 0;
    bool bonusMatched = false;
};

// Compares chosen numbers with one draw row of a table in the draw-table layout, by value.
DrawMatch matchDraw(const RowSource &rows, int row, int runMode, const QList<int> &numbers);

} // namespace PrizeTier
