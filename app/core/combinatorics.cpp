#include "core/combinatorics.h"

#include <array>

namespace Combinatorics {

namespace {
using Table = std::array<std::array<qint64, kMaxPool + 1>, kMaxPool + 1>;

// Pascal's triangle, built once at compile time; entries with k > n stay 0.
constexpr Table buildTable()
{
    Table t{};
    for (int n = 0; n <= kMaxPool; ++n) {
        t[n][0] = 1;
        for (int k = 1; k <= n; ++k)
            t[n][k] = t[n - 1][k - 1] + (k < n ? t[n - 1][k] : 0);
    }
    return t;
}

constexpr Table kTable = buildTable();

// The k-subset of 0..n-1 with that colexicographic rank, read off greedily: each member, from
// the highest, is the largest y with C(y, i) <= what is left of the rank (one binary search
// each). Mirrored, member y is written as position n-1-y.
quint64 unrank(quint64 rank, int n, int k, bool mirrored)
{
    quint64 subset = 0;
    int below = n;
    for (int i = k; i >= 1; --i) {
        // C(i - 1, i) = 0 always qualifies.
        int lo = i - 1;
        int hi = below - 1;
        while (lo < hi) {
            const int mid = (lo + hi + 1) / 2;
            if (quint64(kTable[mid][i]) <= rank)
                lo = mid;
            else
                hi = mid - 1;
        }
        rank -= quint64(kTable[lo][i]);
        below = lo;
        subset |= quint64(1) << (mirrored ? n - 1 - lo : lo);
    }
    return subset;
}
} // namespace

qint64 binomial(int n, int k)
{
    if (n < 0 || n > kMaxPool || k < 0 || k > n)
        return 0;
    return kTable[n][k];
}

quint64 firstPositions(int n)
{
    if (n <= 0)
        return 0;
    return n >= kMaxPool ? ~quint64(0) : (quint64(1) << n) - 1;
}

quint64 colexRank(quint64 subset)
{
    quint64 rank = 0;
    for (int i = 1; subset != 0; ++i, subset &= subset - 1)
        rank += quint64(kTable[std::countr_zero(subset)][i]);
    return rank;
}

quint64 colexUnrank(quint64 rank, int k)
{
    return k < 0 || k > kMaxPool ? 0 : unrank(rank, kMaxPool, k, false);
}

// Counted from the end, lexicographic order is the colexicographic order of the mirrored
// positions n-1-p.
qint64 lexRank(quint64 subset, int n)
{
    const int k = std::popcount(subset);
    qint64 fromEnd = 0;
    for (int left = k; subset != 0; --left, subset &= subset - 1)
        fromEnd += binomial(n - 1 - std::countr_zero(subset), left);
    return binomial(n, k) - 1 - fromEnd;
}

quint64 lexUnrank(qint64 rank, int n, int k)
{
    const qint64 count = binomial(n, k);
    if (rank < 0 || rank >= count)
        return 0;
    return unrank(quint64(count - 1 - rank), n, k, true);
}

} // namespace Combinatorics
