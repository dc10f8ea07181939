#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// The win-guarantee calculation: every draw of `picks` numbers inside a pool of `pool`
// positions is credited to the ticket that matches it best (the earliest ticket on a tie, the
// first ticket when none matches at all), counted by that best match count.
namespace Guarantee {

struct Input
{
    int picks = 6;
    int pool = 0;                  // positions 1..pool, at most 64
    std::vector<quint64> tickets;  // position j = bit j-1; each holds exactly `picks` positions
};

struct Result
{
    int picks = 0;
    int pool = 0;
    qint64 draws = 0;  // C(pool, picks)
    // credited[ticket * (picks + 1) + m]: draws whose best match count m went to that ticket.
    std::vector<qint64> credited;

    int ticketCount() const { return picks > 0 ? int(credited.size() / size_t(picks + 1)) : 0; }
    qint64 count(int ticket, int matches) const { return credited[size_t(ticket) * size_t(picks + 1) + size_t(matches)]; }
};

struct Options
{
    int threads = 0;  // 0: one per core
    // Called on the calling thread now and then while the run goes on.
    std::function<void(qint64 doneDraws, qint64 totalDraws)> progress;
    // Set from anywhere to stop the run; a stopped run has no result.
    const std::atomic<bool> *cancel = nullptr;
};

// Input the calculation takes: 1 <= picks <= pool <= 64, at least one ticket, every ticket
// exactly `picks` positions inside the pool.
bool isValid(const Input &input);

// Runs on the calling thread and helper threads on the other cores, returning when done.
// Nothing for input that is not valid and for a cancelled run. The counts do not depend on the
// number of threads: each draw is credited on its own.
std::optional<Result> CalcGuarantee(const Input &input, const Options &options = {});

} // namespace Guarantee
