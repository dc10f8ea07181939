#pragma once

#include <QtGlobal>

#include <bit>
#include <type_traits>

// Counting, listing and numbering the k-subsets of up to 64 positions. A set of positions is a
// bit mask, bit p standing for position p (0-based).
namespace Combinatorics {

constexpr int kMaxPool = 64;

// C(n, k), exact in 64 bits (C(64, 32) is below 2^61); 0 when k < 0, k > n or n outside
// 0..kMaxPool.
qint64 binomial(int n, int k);

// The positions 0..n-1, for n from 0 to kMaxPool.
quint64 firstPositions(int n);

// Rank of a k-subset among all k-subsets in colexicographic order (0-based; the order of the
// masks as numbers), and back for a rank below C(64, k).
quint64 colexRank(quint64 subset);
quint64 colexUnrank(quint64 rank, int k);

// Rank of a k-subset of the positions 0..n-1 among them in lexicographic order of the
// positions, and back (0 for a rank outside 0..C(n, k)-1).
qint64 lexRank(quint64 subset, int n);
quint64 lexUnrank(qint64 rank, int n, int k);

// Calls visit(subset) for every k-subset of `set`, in lexicographic order of the positions
// (one empty subset for k = 0). A visit returning bool stops the walk with false; the walk
// returns false when it was stopped. Written here so that the visit is inlined into the loop
// of the hot callers.
template<typename Visit>
bool forEachSubset(quint64 set, int k, Visit &&visit)
{
    int positions[kMaxPool];
    int n = 0;
    for (quint64 bits = set; bits != 0; bits &= bits - 1)
        positions[n++] = std::countr_zero(bits);
    if (k < 0 || k > n)
        return true;
    int pick[kMaxPool];
    for (int i = 0; i < k; ++i)
        pick[i] = i;
    for (;;) {
        quint64 subset = 0;
        for (int i = 0; i < k; ++i)
            subset |= quint64(1) << positions[pick[i]];
        if constexpr (std::is_same_v<std::invoke_result_t<Visit &, quint64>, bool>) {
            if (!visit(subset))
                return false;
        } else {
            visit(subset);
        }
        // The last pick that can still move steps on; the picks after it follow it closely.
        int i = k - 1;
        while (i >= 0 && pick[i] == n - k + i)
            --i;
        if (i < 0)
            return true;
        ++pick[i];
        for (int j = i + 1; j < k; ++j)
            pick[j] = pick[j - 1] + 1;
    }
}

} // namespace Combinatorics
