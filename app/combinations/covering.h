#pragma once

#include <QList>
#include <QtGlobal>

// Covering designs: sets of tickets (k of the pool positions each) such that every t-subset of
// the pool lies on some ticket. A ticket is a bit mask, bit p-1 standing for position p.
namespace Covering {

// The Schönheim lower bound on the size of a covering of v positions by k-subsets for t-subsets:
// ceil(v/k ceil((v-1)/(k-1) ... ceil((v-t+1)/(k-t+1)))). 1 when t <= 0.
qint64 lowerBound(int v, int k, int t);

// The largest t-subset count the check and the search allocate a bitmap or counters for.
constexpr quint64 kMaxSubsets = quint64(1) << 26;

// How many t-subsets of the positions 1..pool lie on no ticket; -1 when the pool or t is out
// of range or the count of t-subsets is beyond kMaxSubsets. Positions beyond the pool are
// ignored.
qint64 uncoveredCount(int pool, int t, const QList<quint64> &tickets);

} // namespace Covering
