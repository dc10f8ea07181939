#pragma once

#include <QList>
#include <QtGlobal>

#include <atomic>
#include <functional>

// Search for a small covering of the positions 0..v-1 by k-subsets for t-subsets: a greedy
// start, then simulated annealing on the uncovered t-subsets that removes one ticket after each
// success, until the time is up, the lower bound is reached or the caller cancels.
namespace CoveringSearch {

struct Progress
{
    qint64 bestSize = 0;       // tickets of the best covering so far
    double elapsedSeconds = 0;
};

struct Options
{
    double seconds = 10;
    quint64 seed = 0;          // 0: seeded from the clock
    qint64 stopAt = 0;         // a covering this small ends the search early (the lower bound always does)
    const std::atomic<bool> *cancel = nullptr;
    // Called on the searching thread after the greedy start, on every improvement and about
    // every tenth of a second.
    std::function<void(const Progress &)> progress;
};

struct Result
{
    QList<quint64> tickets;    // bit i = position i; empty when cancelled before a first covering
    bool cancelled = false;
    double elapsedSeconds = 0;
};

// v <= 64, 1 <= t <= k <= v, and C(v, t) within Covering::kMaxSubsets (otherwise empty result).
Result search(int v, int k, int t, const Options &options);

} // namespace CoveringSearch
