#include "combinations/combinationcells.h"

#include "combinations/gridcolors.h"
#include "combinations/poolgrid.h"

#include <limits>

CombinationCells::CombinationCells(CombinationTable table) : m_table(std::move(table)) {}

int CombinationCells::rows() const
{
    return int(std::min<qint64>(m_table.gridRows(), std::numeric_limits<int>::max()));
}

int CombinationCells::columns() const
{
    return m_table.gridColumns();
}

QString CombinationCells::text(int row, int column) const
{
    return m_table.cellText(row, column);
}

GridColor CombinationCells::foreColor(int row, int column) const
{
    return m_table.isMarked(row, column) ? GridColors::kMarked : kNoGridColor;
}

GridColor CombinationCells::backColor(int row, int column) const
{
    return m_table.isMarked(row, column) ? GridColors::kMarked : kNoGridColor;
}

std::shared_ptr<const GridSource> CombinationCells::snapshot() const
{
    // The table is a few numbers and a pool list shared until written, and the copy keeps a last
    // read row of its own.
    return std::make_shared<CombinationCells>(m_table);
}

bool CombinationCells::rowsAreTickets() const
{
    return true;
}

QList<int> CombinationCells::ticketNumbers(int row) const
{
    return row > 0 ? PoolGrid::numbers(m_table.pool(), m_table.rowMask(row - 1)) : QList<int>();
}
