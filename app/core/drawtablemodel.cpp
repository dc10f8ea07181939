#include "core/drawtablemodel.h"

#include "core/drawtable.h"

DrawTableModel::DrawTableModel(const DrawTable *table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
}

int DrawTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table->rowCount();
}

int DrawTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table->columnCount();
}

QVariant DrawTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_table->cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_table->columnCount())
        return {};
    // Columns are sized to their cells, which may cut a header short: the tip shows it whole.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_table->column(section).header;
    if (role == Qt::TextAlignmentRole && section > 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}
