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

std::optional<qint64> TallyResultRows::cellNumber(int row, int column) const
{
    if (column >= 1 && column <= m_result.runMode) {
        const int n = Tally::numberAt(m_result, row, column);
        return n > 0 ? std::optional<qint64>(n) : std::nullopt;
    }
    return RowSource::cellNumber(row, column);
}
