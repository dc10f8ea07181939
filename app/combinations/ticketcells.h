#pragma once

#include "combinations/ticketsheet.h"
#include "core/gridsource.h"

#include <memory>

// The ticket grid as the window paints it: a mark holds "1" in red on red, and the row header of
// a ticket that does not hold exactly `picks` marks (or was cut short on loading) turns red.
class TicketCells final : public GridSource
{
public:
    TicketCells(std::shared_ptr<const TicketSheet> sheet, int picks);

    int rows() const override;
    int columns() const override;
    QString text(int row, int column) const override;
    GridColor foreColor(int row, int column) const override;
    GridColor backColor(int row, int column) const override;
    std::shared_ptr<const GridSource> snapshot() const override;
    bool rowsAreTickets() const override;
    QList<int> ticketNumbers(int row) const override;

private:
    bool isMark(int row, int column) const;

    std::shared_ptr<const TicketSheet> m_sheet;
    int m_picks;
};
