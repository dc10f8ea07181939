#include "combinations/binomial.h"

#include <array>

namespace Binomial {

namespace {
using Table = std::array<std::array<qint64, kMaxPool + 1>, kMaxPool + 1>;

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
} // namespace

qint64 count(int n, int k)
{
    if (n < 0 || n > kMaxPool || k < 0 || k > n)
        return 0;
    return kTable[n][k];
}

} // namespace Binomial
