#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// The promise of a guarantee pattern, checked: when the draw's numbers all fall in the pool
// (and include the key numbers), at least one ticket shares at least so many numbers with it.
namespace PatternVerify {

struct Input
{
    int picks = 6;
    int pool = 0;                  // positions 1..pool, at most 64
    int keys = 0;                  // positions 1..keys are in every draw considered
    std::vector<quint64> tickets;  // position j = bit j-1; each holds exactly `picks` positions
};

struct Options
{
    int threads = 0;  // 0: one per core
    // Called on the calling thread now and then while the check goes on.
    std::function<void(qint64 doneDraws, qint64 totalDraws)> progress;
    // Set from anywhere to stop the check; a stopped check has no result.
    const std::atomic<bool> *cancel = nullptr;
};

// Input the check takes: 1 <= picks <= pool <= 64, 0 <= keys <= picks, at least one ticket,
// every ticket exactly `picks` positions inside the pool.
bool isValid(const Input &input);

// The fewest numbers that the best ticket shares with a draw, over every draw of `picks`
// positions that holds the key positions. Nothing for input that is not valid and for a
// cancelled check.
std::optional<int> leastBestMatch(const Input &input, const Options &options = {});

// The strongest tier of the game (RunMode `picks`) that every draw wins when its best ticket
// shares `leastMatch` numbers with it; 0 when none.
int guaranteedTier(int picks, int leastMatch);
// "３等", or "なし" for tier 0.
QString guaranteeLabel(int tier);

// What a wheel made for one tier guarantees.
struct Verdict
{
    int tier = 0;       // the strongest tier it guarantees; 0 none
    QString shortfall;  // when it falls short of its tier, the warning that says so; else empty
    bool holds() const { return shortfall.isEmpty(); }
};
// The verdict on a wheel of the game (RunMode `picks`) made for `claimedTier` whose best ticket
// shares `leastMatch` numbers with every draw: "このパターンは３等を保証しません（保証：５等）。"
// when the guarantee is weaker (a higher tier number) or none.
Verdict judge(int picks, int claimedTier, int leastMatch);

} // namespace PatternVerify
