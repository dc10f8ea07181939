#include "combinations/ticketcells.h"

#include "combinations/gridcolors.h"
#include "combinations/poolgrid.h"

TicketCells::TicketCells(std::shared_ptr<const TicketSheet> sheet, int picks) : m_sheet(std::move(sheet)), m_picks(picks) {}

int TicketCells::rows() const
{
    return m_sheet->gridRows();
}

int TicketCells::columns() const
{
    return m_sheet->gridColumns();
}

QString TicketCells::text(int row, int column) const
{
    return m_sheet->cellText(row, column);
}

bool TicketCells::isMark(int row, int column) const
{
    return row > 0 && column > 0 && m_sheet->isMarked(row - 1, column);
}

GridColor TicketCells::foreColor(int row, int column) const
{
    return isMark(row, column) ? GridColors::kMarked : kNoGridColor;
}

GridColor TicketCells::backColor(int row, int column) const
{
    if (column == 0 && row > 0 && row < rows())
        return m_sheet->isIncomplete(row - 1, m_picks) ? GridColors::kMarked : kNoGridColor;
    return isMark(row, column) ? GridColors::kMarked : kNoGridColor;
}

std::shared_ptr<const GridSource> TicketCells::snapshot() const
{
    // The window keeps changing its sheet; a copy shares its lists until the window writes them.
    return std::make_shared<TicketCells>(std::make_shared<const TicketSheet>(*m_sheet), m_picks);
}

bool TicketCells::rowsAreTickets() const
{
    return true;
}

QList<int> TicketCells::ticketNumbers(int row) const
{
    if (row <= 0 || row >= rows())
        return {};
    return PoolGrid::numbers(m_sheet->header(), m_sheet->ticket(row - 1).mask);
}
