#include "combinations/combinationcells.h"

#include "combinations/gridcolors.h"

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
