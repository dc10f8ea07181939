#pragma once

#include <QList>

class GameRules;
struct DrawRecord;

// What a set of chosen numbers wins in one draw. The past-result check and the purchase check
// both decide tiers here.
namespace PrizeTier {

struct Match
{
    int mainMatches = 0;        // chosen numbers equal to one of the draw's main numbers
    bool bonusMatched = false;  // one of them equals the bonus number
    int rank = 0;               // the tier won, 0 for nothing
    bool wins() const { return rank > 0; }
};

// Compares chosen numbers (each in 1..maxNo) with one draw, by value, and decides the tier by
// the game's rules. Numbers of the draw that are not numbers of the game match nothing.
Match match(const GameRules &rules, const DrawRecord &draw, const QList<int> &numbers);

} // namespace PrizeTier
