#include "combinations/ticketsheet.h"

using namespace Qt::StringLiterals;

TicketSheet::TicketSheet()
    : m_rows(1)
{
}

void TicketSheet::setHeader(const QList<int> &numbers)
{
    m_header = numbers.mid(0, PatternFile::kMaxPositions);
    const quint64 kept = positions() >= 64 ? ~quint64(0) : (quint64(1) << positions()) - 1;
    for (PatternFile::Ticket &t : m_rows)
        t.mask &= kept;
}

bool TicketSheet::isMarked(int row, int position) const
{
    if (row < 0 || row >= rowCount() || position < 1 || position > positions())
        return false;
    return (m_rows[row].mask >> (position - 1)) & 1;
}

void TicketSheet::toggle(int row, int position)
{
    if (row < 0 || row >= rowCount() || position < 1 || position > positions())
        return;
    m_rows[row].mask ^= quint64(1) << (position - 1);
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

QString TicketSheet::cellText(int gridRow, int column) const
{
    if (gridRow < 0 || gridRow >= gridRows() || column < 0 || column >= gridColumns())
        return {};
    if (gridRow == 0)
        return column == 0 ? QString() : QString::number(m_header[column - 1]);
    if (column == 0)
        return QString::number(gridRow);
    return isMarked(gridRow - 1, column) ? u"1"_s : QString();
}
