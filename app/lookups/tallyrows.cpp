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

int TallyRows::number(int row, int column) const
{
    return m_model->number(row, column);
}
