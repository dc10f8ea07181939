#include "purchases/purchaselistmodel.h"

#include "purchases/purchaseentry.h"
#include "purchases/purchaserows.h"

#include <QColor>

PurchaseListModel::PurchaseListModel(const PurchaseRows &rows, const QList<ColumnLayout> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_rows(rows), m_columns(columns)
{
}

int PurchaseListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.count();
}

int PurchaseListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant PurchaseListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.count())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_rows.cellText(index.row(), column);
    case Qt::TextAlignmentRole:
        return column == 0 ? QVariant() : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::ToolTipRole: {
        const PurchaseEntry &entry = m_rows.at(index.row());
        return entry.isValid() ? QVariant() : QVariant(entry.invalidReason);
    }
    case Qt::ForegroundRole: {
        const int i = column - PurchaseColumn::FirstNumber;
        const PurchaseEntry &entry = m_rows.at(index.row());
        // A line that is no purchase is red throughout.
        if (!entry.isValid())
            return QColor(255, 0, 0);
        if (i < 0 || i >= entry.picks())
            return {};
        // A drawn number in red, the bonus number in blue; a number can be only one of them.
        if (entry.isMainHit(i))
            return QColor(255, 0, 0);
        if (entry.isBonusHit(i))
            return QColor(0, 0, 255);
        return {};
    }
    default:
        return {};
    }
}

QVariant PurchaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].header;
    if (role == Qt::TextAlignmentRole)
        return section == 0 ? QVariant() : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}
