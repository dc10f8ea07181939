#include "combinations/covering.h"

#include "combinations/binomial.h"

#include <array>
#include <bit>
#include <vector>

namespace Covering {

namespace {
qint64 ceilDiv(qint64 a, qint64 b)
{
    return (a + b - 1) / b;
}
} // namespace

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
    quint64 r = 0;
    for (int i = 1; subset != 0; ++i) {
        r += quint64(Binomial::count(std::countr_zero(subset), i));
        subset &= subset - 1;
    }
    return r;
}

quint64 unrank(quint64 r, int t)
{
    quint64 subset = 0;
    int p = Binomial::kMaxPool - 1;
    for (int i = t; i >= 1; --i) {
        while (quint64(Binomial::count(p, i)) > r)
            --p;
        subset |= quint64(1) << p;
        r -= quint64(Binomial::count(p, i));
        --p;
    }
    return subset;
}

qint64 uncoveredCount(int pool, int t, const QList<quint64> &tickets)
{
    if (pool < 1 || pool > Binomial::kMaxPool || t < 1 || t > pool)
        return -1;
    const quint64 total = quint64(Binomial::count(pool, t));
    if (total > kMaxSubsets)
        return -1;
    const quint64 inPool = pool == 64 ? ~quint64(0) : (quint64(1) << pool) - 1;
    std::vector<bool> covered(total, false);
    std::array<int, Binomial::kMaxPool> positions{};
    std::array<int, Binomial::kMaxPool> pick{};
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
