#include "combinations/combinationtable.h"

#include "combinations/poolgrid.h"
#include "core/combinatorics.h"

#include <bit>

using namespace Qt::StringLiterals;

CombinationTable::CombinationTable(const QList<int> &pool, int picks, int keys)
    : m_pool(pool)
    , m_picks(picks)
    , m_keys(keys)
{
    const int n = poolSize();
    if (picks >= 1 && n >= picks && n <= Combinatorics::kMaxPool && keys >= 0 && keys <= picks)
        m_rows = Combinatorics::binomial(n - keys, picks - keys);
}

// The rows past the keys are the sets of the free positions in lexicographic order.
quint64 CombinationTable::rowMask(qint64 row) const
{
    if (row < 0 || row >= m_rows)
        return 0;
    const quint64 free = Combinatorics::lexUnrank(row, poolSize() - m_keys, m_picks - m_keys);
    return free << m_keys | Combinatorics::firstPositions(m_keys);
}

QList<int> CombinationTable::rowPositions(qint64 row) const
{
    QList<int> positions;
    for (quint64 mask = rowMask(row); mask != 0; mask &= mask - 1)
        positions.append(std::countr_zero(mask) + 1);
    return positions;
}

qint64 CombinationTable::rowOfMask(quint64 mask) const
{
    const quint64 keyBits = Combinatorics::firstPositions(m_keys);
    if (m_rows == 0 || std::popcount(mask) != m_picks || (mask & ~Combinatorics::firstPositions(poolSize())) != 0 ||
        (mask & keyBits) != keyBits)
        return -1;
    return Combinatorics::lexRank(mask >> m_keys, poolSize() - m_keys);
}

quint64 CombinationTable::cellRowMask(qint64 gridRow) const
{
    if (gridRow != m_cachedGridRow) {
        m_cachedMask = rowMask(gridRow - 1);
        m_cachedGridRow = gridRow;
    }
    return m_cachedMask;
}

QString CombinationTable::cellText(qint64 gridRow, int column) const
{
    if (gridRow < 0 || gridRow >= gridRows() || column < 0 || column >= gridColumns())
        return {};
    return PoolGrid::cellText(m_pool, gridRow, column, cellRowMask(gridRow));
}

bool CombinationTable::isMarked(qint64 gridRow, int column) const
{
    return column < gridColumns() && PoolGrid::holds(cellRowMask(gridRow), column);
}

QString selectionStatusText(int gridColumns, qint64 gridRows)
{
    return QString::number(gridColumns - 1) + u"個選択 - "_s + QString::number(gridRows - 1) + u"通り"_s;
}
