#include "combinations/combinationcells.h"

#include "combinations/gridcolors.h"

#include <limits>

using namespace Qt::StringLiterals;

CombinationCells::CombinationCells(CombinationTable table) : m_table(std::move(table)) {}

int CombinationCells::rows() const
{
    return int(std::min<qint64>(m_table.gridRows(), std::numeric_limits<int>::max()));
}

int CombinationCells::columns() const
{
    return m_table.gridColumns();
}

bool CombinationCells::isMember(int row, int column) const
{
    if (row < 1 || column < 1 || row >= rows() || column >= columns())
        return false;
    if (row != m_cachedRow) {
        m_cachedMask = m_table.rowMask(row - 1);
        m_cachedRow = row;
    }
    return (m_cachedMask >> (column - 1)) & 1;
}

QString CombinationCells::text(int row, int column) const
{
    if (row == 0 || column == 0)
        return m_table.cellText(row, column);
    return isMember(row, column) ? u"1"_s : QString();
}

GridColor CombinationCells::foreColor(int row, int column) const
{
    return isMember(row, column) ? GridColors::kMarked : kNoGridColor;
}

GridColor CombinationCells::backColor(int row, int column) const
{
    return isMember(row, column) ? GridColors::kMarked : kNoGridColor;
}
