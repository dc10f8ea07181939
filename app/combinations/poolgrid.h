#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The grids of pool positions, the combination grid and the ticket grid: row 0 names the pool
// numbers, column 0 numbers the rows from 1, and a body row holds a set of pool positions,
// position j being bit j-1 of the row's mask. A held position shows as "1" in its column and
// is painted as a marked cell.
namespace PoolGrid {

// The mask bit of a 1-based position; 0 outside 1..64.
quint64 positionBit(int position);
bool holds(quint64 mask, int position);
// The pool numbers of the positions in `mask`, ascending: a row as the ticket it stands for.
QList<int> numbers(const QList<int> &header, quint64 mask);

// A cell inside the grid; `mask` is that of the cell's body row (unused in row 0).
QString cellText(const QList<int> &header, qint64 gridRow, int column, quint64 mask);

} // namespace PoolGrid
