#pragma once

#include <QtGlobal>

// Binomial coefficients for pools of up to 64 positions, exact in 64 bits (C(64, 32) is below
// 2^61). Looked up from a table built once.
namespace Binomial {

constexpr int kMaxPool = 64;

// C(n, k); 0 when k < 0, k > n or n outside 0..kMaxPool.
qint64 count(int n, int k);

} // namespace Binomial
