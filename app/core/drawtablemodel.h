#pragma once

#include <QAbstractTableModel>

class DrawTable;

// Shows a DrawTable in a view. The owner mutates the table between beginChange()/endChange().
class DrawTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DrawTableModel(const DrawTable *table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }
    void beginAppend(int first, int last) { beginInsertRows({}, first, last); }
    void endAppend() { endInsertRows(); }

private:
    const DrawTable *m_table;
};
