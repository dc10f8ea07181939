#pragma once

#include <QAbstractTableModel>
#include <QList>


struct ColumnLayout;
class PurchaseRows;

// Shows one purchase list (the whole list or its filtered copy) in a report view: the entries'
// cell texts, right-aligned past the hidden column, and the hit numbers in their colours; the
// rows of invalid lines all red, with the reason as their tool tip.
// The owner changes the rows between beginChange() and endChange().
class PurchaseListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    PurchaseListModel(const PurchaseRows &rows, const QList<ColumnLayout> &columns, QObject *parent = nullptr);

    const PurchaseRows &rows() const { return m_rows; }

    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PurchaseRows &m_rows;
    const QList<ColumnLayout> &m_columns;
};
