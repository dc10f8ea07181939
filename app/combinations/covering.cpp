#include "combinations/covering.h"

#include "core/combinatorics.h"

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

qint64 uncoveredCount(int pool, int t, const QList<quint64> &tickets)
{
    if (pool < 1 || pool > Combinatorics::kMaxPool || t < 1 || t > pool)
        return -1;
    const quint64 total = quint64(Combinatorics::binomial(pool, t));
    if (total > kMaxSubsets)
        return -1;
    const quint64 inPool = Combinatorics::firstPositions(pool);
    std::vector<bool> covered(total, false);
    for (const quint64 ticket : tickets) {
        Combinatorics::forEachSubset(ticket & inPool, t,
                                     [&](quint64 subset) { covered[Combinatorics::colexRank(subset)] = true; });
    }
    qint64 missing = 0;
    for (const bool c : covered)
        missing += c ? 0 : 1;
    return missing;
}

} // namespace Covering
