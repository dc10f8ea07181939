#include "lookups/tallyrows.h"

#include "lookups/tallymodel.h"

int TallyRows::rowCount() const
{
    return m_model->rows();
}

bool TallyRows::isSelected(int row) const
{
    return m_model->isSelected(row);
}

QString TallyRows::cellText(int row, int column) const
{
    return m_model->text(row, column);
}

std::optional<qint64> TallyRows::cellNumber(int row, int column) const
{
    if (column >= 1 && column <= m_model->runMode()) {
        const int n = m_model->number(row, column);
        return n > 0 ? std::optional<qint64>(n) : std::nullopt;
    }
    return RowSource::cellNumber(row, column);
}
