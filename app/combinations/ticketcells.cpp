#include "combinations/ticketcells.h"

#include "combinations/gridcolors.h"

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
