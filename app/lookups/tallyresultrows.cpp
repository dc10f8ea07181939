#include "lookups/tallyresultrows.h"

#include "lookups/tally.h"

int TallyResultRows::rowCount() const
{
    return int(m_result.rows.size());
}

QString TallyResultRows::cellText(int row, int column) const
{
    return Tally::cellText(m_result, row, column);
}

int TallyResultRows::number(int row, int column) const
{
    return Tally::numberAt(m_result, row, column);
}
