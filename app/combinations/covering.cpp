#include "combinations/covering.h"

#include <array>
#include <bit>
#include <vector>

namespace Covering {

namespace {
using Table = std::array<std::array<quint64, kMaxPool + 1>, kMaxPool + 1>;

// Pascal's triangle; entries beyond 64 bits do not occur for the sizes asked (n <= 64, and
// the counts are bounded by kMaxSubsets where they matter), but saturate to be safe.
const Table &pascal()
{
    static const Table table = [] {
        Table t{};
        for (int n = 0; n <= kMaxPool; ++n) {
            t[n][0] = 1;
            for (int r = 1; r <= n; ++r) {
                const quint64 a = t[n - 1][r - 1];
                const quint64 b = r <= n - 1 ? t[n - 1][r] : 0;
                t[n][r] = a > ~quint64(0) - b ? ~quint64(0) : a + b;
            }
        }
        return t;
    }();
    return table;
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return (a + b - 1) / b;
}
} // namespace

quint64 binomial(int n, int r)
{
    if (n < 0 || r < 0 || r > n || n > kMaxPool)
        return 0;
    return pascal()[n][r];
}

qint64 lowerBound(int v, int k, int t)
{
    if (t <= 0)
        return 1;
    if (k < t || v < k)
        return 0;
    qint64 bound = 1;
    for (int i = t - 1; i >= 0; --i)
        bound = ceilDiv(qint64(v - i) * bound, qint64(k - i));
    return bound;
}

quint64 rank(quint64 subset)
{
    const Table &c = pascal();
    quint64 r = 0;
    for (int i = 1; subset != 0; ++i) {
        r += c[std::countr_zero(subset)][i];
        subset &= subset - 1;
    }
    return r;
}

quint64 unrank(quint64 r, int t)
{
    const Table &c = pascal();
    quint64 subset = 0;
    int p = kMaxPool - 1;
    for (int i = t; i >= 1; --i) {
        while (c[p][i] > r)
            --p;
        subset |= quint64(1) << p;
        r -= c[p][i];
        --p;
    }
    return subset;
}

qint64 uncoveredCount(int pool, int t, const QList<quint64> &tickets)
{
    if (pool < 1 || pool > kMaxPool || t < 1 || t > pool)
        return -1;
    const quint64 total = binomial(pool, t);
    if (total > kMaxSubsets)
        return -1;
    const quint64 inPool = pool == 64 ? ~quint64(0) : (quint64(1) << pool) - 1;
    std::vector<bool> covered(total, false);
    std::array<int, kMaxPool> positions{};
    std::array<int, kMaxPool> pick{};
    for (const quint64 ticket : tickets) {
        int m = 0;
        for (quint64 bits = ticket & inPool; bits != 0; bits &= bits - 1)
            positions[m++] = std::countr_zero(bits);
        if (m < t)
            continue;
        // Every t-combination of the ticket's positions, in lexicographic order of indices.
        for (int i = 0; i < t; ++i)
            pick[i] = i;
        for (;;) {
            quint64 subset = 0;
            for (int i = 0; i < t; ++i)
                subset |= quint64(1) << positions[pick[i]];
            covered[rank(subset)] = true;
            int i = t - 1;
            while (i >= 0 && pick[i] == m - t + i)
                --i;
            if (i < 0)
                break;
            ++pick[i];
            for (int j = i + 1; j < t; ++j)
                pick[j] = pick[j - 1] + 1;
        }
    }
    qint64 missing = 0;
    for (const bool c : covered)
        missing += c ? 0 : 1;
    return missing;
}

} // namespace Covering
