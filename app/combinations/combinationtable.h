#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The combination grid of a pool: every set of `picks` pool positions, in lexicographic order
// of the positions, keeping only the sets that hold every key position when the pool has keys
// (keys are always the first positions of the pool). Rows are computed from their index, so a
// pool of 43 (6,096,454 rows) costs no more memory than a pool of 8.
//
// Positions are 1-based pool-list positions; position j is bit j-1 of a row mask. Body rows are
// indexed from 0; the grid adds the header row 0 and the row-number column 0.
class CombinationTable
{
public:
    // No pool: a grid of one empty cell.
    CombinationTable() = default;
    // `pool` holds the numbers of the pool list in its order; its first `keys` entries are keys.
    CombinationTable(const QList<int> &pool, int picks, int keys);

    const QList<int> &pool() const { return m_pool; }
    int poolSize() const { return int(m_pool.size()); }
    int picks() const { return m_picks; }
    int keys() const { return m_keys; }

    // Body rows: C(n - keys, picks - keys); 0 when the pool holds fewer numbers than a ticket.
    qint64 rowCount() const { return m_rows; }
    // The grid as shown: n + 1 columns and rowCount() + 1 rows, or one cell without rows.
    int gridColumns() const { return m_rows > 0 ? poolSize() + 1 : 1; }
    qint64 gridRows() const { return m_rows + 1; }

    // Positions of body row `row` in ascending order; empty outside the table.
    QList<int> rowPositions(qint64 row) const;
    quint64 rowMask(qint64 row) const;
    // The body row of a set of positions; -1 when the set is not a row of this table.
    qint64 rowOfMask(quint64 mask) const;

    // Cells in grid coordinates, as every pool grid shows them (see PoolGrid). A view reads a
    // row cell by cell, so the last row read is kept: one table is read by one thread at a time.
    QString cellText(qint64 gridRow, int column) const;
    bool isMarked(qint64 gridRow, int column) const;

private:
    quint64 cellRowMask(qint64 gridRow) const;

    QList<int> m_pool;
    int m_picks = 0;
    int m_keys = 0;
    qint64 m_rows = 0;
    mutable qint64 m_cachedGridRow = -1;
    mutable quint64 m_cachedMask = 0;
};

// The selection status of a grid of that size: "8個選択 - 28通り" for 9 columns and 29 rows.
QString selectionStatusText(int gridColumns, qint64 gridRows);
