#pragma once

#include "combinations/combinationtable.h"
#include "core/gridsource.h"

// The combination grid as the window paints it: a member cell holds "1" in red on red, so it
// shows as a solid block. Every cell is computed from its row.
class CombinationCells final : public GridSource
{
public:
    explicit CombinationCells(CombinationTable table);

    int rows() const override;
    int columns() const override;
    QString text(int row, int column) const override;
    GridColor foreColor(int row, int column) const override;
    GridColor backColor(int row, int column) const override;
    std::shared_ptr<const GridSource> snapshot() const override;
    bool rowsAreTickets() const override;
    QList<int> ticketNumbers(int row) const override;

private:
    CombinationTable m_table;
};
