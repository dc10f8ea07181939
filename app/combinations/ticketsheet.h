#pragma once

#include "combinations/guarantee.h"
#include "combinations/patternfile.h"
#include "combinations/patternverify.h"

#include <QList>
#include <QString>

#include <optional>

// The tickets of the purchase-pattern grid: rows of marked pool positions under a header row
// of pool numbers. Rows are indexed from 0, positions from 1; the grid adds the header row 0 and
// the row-number column 0.
class TicketSheet
{
public:
    // One empty ticket row and no positions, as the grid starts.
    TicketSheet();

    const QList<int> &header() const { return m_header; }
    int positions() const { return int(m_header.size()); }
    int rowCount() const { return int(m_rows.size()); }
    int gridColumns() const { return positions() + 1; }
    int gridRows() const { return rowCount() + 1; }

    // The pool numbers heading the columns (none while the pool is smaller than a ticket).
    // Marks stay in place column by column; marks past the last column are dropped.
    void setHeader(const QList<int> &numbers);

    const PatternFile::Ticket &ticket(int row) const { return m_rows[row]; }
    bool isMarked(int row, int position) const;
    // A click on a cell: marks or unmarks it. The user has now seen the row as it is, so a cut
    // loaded line no longer counts as cut.
    void toggle(int row, int position);
    // The row buttons: ↓ adds an empty row at the end; ↑ removes the last row, refused (false)
    // when only the header row is left.
    void addRow();
    bool removeLastRow();
    // Replaces every row by the tickets of a pattern file.
    void load(const QList<PatternFile::Ticket> &tickets);

    // A row whose header turns red: not exactly `picks` marks, or a loaded line that was cut.
    bool isIncomplete(int row, int picks) const { return m_rows[row].isIncomplete(picks); }
    // What the win-guarantee calculation takes: nothing without ticket rows or while any row
    // is incomplete.
    std::optional<Guarantee::Input> guaranteeInput(int picks) const;
    // What the check of a pattern's promise takes, the first `keys` positions being keys: the
    // complete rows only, as an incomplete one is no ticket anybody can buy.
    PatternVerify::Input verifyInput(int picks, int keys) const;

    // Cells in grid coordinates, as every pool grid shows them (see PoolGrid).
    QString cellText(int gridRow, int column) const;

private:
    QList<int> m_header;
    QList<PatternFile::Ticket> m_rows;
};
