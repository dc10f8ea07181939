#include "combinations/ticketsheet.h"

#include "combinations/poolgrid.h"
#include "core/combinatorics.h"

TicketSheet::TicketSheet()
    : m_rows(1)
{
}

void TicketSheet::setHeader(const QList<int> &numbers)
{
    m_header = numbers.mid(0, PatternFile::kMaxPositions);
    for (PatternFile::Ticket &t : m_rows)
        t.mask &= Combinatorics::firstPositions(positions());
}

bool TicketSheet::isMarked(int row, int position) const
{
    return row >= 0 && row < rowCount() && position <= positions() && PoolGrid::holds(m_rows[row].mask, position);
}

void TicketSheet::toggle(int row, int position)
{
    if (row < 0 || row >= rowCount() || position < 1 || position > positions())
        return;
    m_rows[row].mask ^= PoolGrid::positionBit(position);
    m_rows[row].surplus = false;
}

void TicketSheet::addRow()
{
    m_rows.append(PatternFile::Ticket());
}

bool TicketSheet::removeLastRow()
{
    if (m_rows.isEmpty())
        return false;
    m_rows.removeLast();
    return true;
}

void TicketSheet::load(const QList<PatternFile::Ticket> &tickets)
{
    m_rows = tickets;
    setHeader(m_header);
}

std::optional<Guarantee::Input> TicketSheet::guaranteeInput(int picks) const
{
    if (m_rows.isEmpty())
        return std::nullopt;
    Guarantee::Input input;
    input.picks = picks;
    input.pool = positions();
    input.tickets.reserve(m_rows.size());
    for (const PatternFile::Ticket &t : m_rows) {
        if (t.isIncomplete(picks))
            return std::nullopt;
        input.tickets.push_back(t.mask);
    }
    return input;
}

PatternVerify::Input TicketSheet::verifyInput(int picks, int keys) const
{
    PatternVerify::Input input{picks, positions(), keys, {}};
    for (const PatternFile::Ticket &t : m_rows) {
        if (!t.isIncomplete(picks))
            input.tickets.push_back(t.mask);
    }
    return input;
}

QString TicketSheet::cellText(int gridRow, int column) const
{
    if (gridRow < 0 || gridRow >= gridRows() || column < 0 || column >= gridColumns())
        return {};
    return PoolGrid::cellText(m_header, gridRow, column, gridRow > 0 ? m_rows[gridRow - 1].mask : 0);
}
