#pragma once

#include "lookups/tally.h"

#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <vector>

// The tally's result table for a view: every cell computed from the result rows when it is
// shown, so tens of thousands of combinations cost nothing per row. It keeps the row order of a
// header-click sort and which rows are selected.
class TallyModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TallyModel(int runMode, QObject *parent = nullptr);

    // Replaces every row at once; a table sorted by a click stays sorted that way.
    void setResult(std::shared_ptr<const Tally::Result> result);
    void clear();
    const Tally::Result *result() const { return m_result.get(); }
    int runMode() const { return m_runMode; }

    int rows() const { return int(m_order.size()); }
    // The result row a table row shows.
    int resultRow(int row) const { return m_order[size_t(row)]; }
    QString text(int row, int column) const;
    // The number a number column shows, 0 for blanks.
    int number(int row, int column) const;

    // Stable sort by cell text, from the current order.
    void sortByText(int column, Qt::SortOrder order);

    bool isSelected(int row) const { return m_selected[size_t(m_order[size_t(row)])] != 0; }
    void setRangeSelected(int first, int last, bool selected);
    void setAllSelected(bool selected);

    // Width of the widest cell text of a column, measured as the sum of its characters'
    // advances; 0 when the column shows nothing but blanks.
    int widestText(int column, const std::function<int(QStringView)> &measure) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void applySort();

    int m_runMode;
    QStringList m_headers;
    QStringList m_keys;
    std::shared_ptr<const Tally::Result> m_result;
    std::vector<int> m_order;
    std::vector<char> m_selected;  // by result row, so a sort keeps them
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
