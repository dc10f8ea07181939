#pragma once

#include "purchases/purchaseentry.h"

#include <Qt>

#include <vector>

// The rows of one purchase list in display order, each with its selected flag, and the width
// each padded column shows its cells at.
class PurchaseRows
{
public:
    // A cell as the list shows it: in a padded column right-aligned to the column's width, so
    // that the order of the texts is the order of the numbers.
    QString cellText(int row, int column) const;
    QStringList cells(int row) const;
    // Each padded column (least width in `columns` above 0) as wide as its widest cell of these
    // rows, at least that least width; the other columns unpadded.
    void fitWidths(const QList<ColumnLayout> &columns);
    const std::vector<int> &widths() const { return m_widths; }
    void setWidths(std::vector<int> widths) { m_widths = std::move(widths); }

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const PurchaseEntry &at(int row) const { return m_entries[size_t(row)]; }
    PurchaseEntry &at(int row) { return m_entries[size_t(row)]; }
    const std::vector<PurchaseEntry> &entries() const { return m_entries; }

    void clear();
    void assign(std::vector<PurchaseEntry> entries);
    void append(PurchaseEntry entry);
    void reserve(int rows) { m_entries.reserve(size_t(rows)); m_selected.reserve(size_t(rows)); }
    // Removes every selected row; returns how many went.
    int removeSelected();

    bool isSelected(int row) const { return m_selected[size_t(row)] != 0; }
    void setSelected(int row, bool selected);
    void setAllSelected(bool selected);
    int selectedCount() const { return m_selectedCount; }
    // The selected rows in display order.
    std::vector<int> selectedRows() const;

    // Stable sort by the shown text of a list column, carrying the selected flags along.
    void sortByColumn(int column, Qt::SortOrder order);

private:
    std::vector<PurchaseEntry> m_entries;
    std::vector<char> m_selected;
    int m_selectedCount = 0;
    std::vector<int> m_widths;  // by column; 0 = not padded
};
