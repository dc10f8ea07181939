#include "purchases/purchaserows.h"

#include "core/fields.h"
#include "core/game.h"
#include "core/sorttoggle.h"

#include <algorithm>
#include <numeric>

QString PurchaseRows::cellText(int row, int column) const
{
    QString text = at(row).cellText(column);
    const int width = column >= 0 && size_t(column) < m_widths.size() ? m_widths[size_t(column)] : 0;
    // An empty cell (no winnings, no date) stays empty.
    if (text.isEmpty() || text.size() >= width)
        return text;
    return padCell(text, width);
}

QStringList PurchaseRows::cells(int row) const
{
    QStringList out;
    const int count = PurchaseColumn::count(at(row).picks());
    out.reserve(count);
    for (int c = 0; c < count; ++c)
        out.append(cellText(row, c));
    return out;
}

void PurchaseRows::fitWidths(const QList<ColumnLayout> &columns)
{
    m_widths.assign(size_t(columns.size()), 0);
    for (qsizetype c = 0; c < columns.size(); ++c)
        m_widths[size_t(c)] = columns[c].width;
    // The stored cells are read in place; the winnings are as wide as their digits.
    const int money = PurchaseColumn::money(int(columns.size()) - PurchaseColumn::count(0));
    auto widen = [this](int column, qsizetype size) {
        if (m_widths[size_t(column)] > 0)
            m_widths[size_t(column)] = std::max(m_widths[size_t(column)], int(size));
    };
    for (const PurchaseEntry &entry : m_entries) {
        widen(PurchaseColumn::Kai, entry.kai.size());
        for (int i = 0; i < entry.picks(); ++i)
            widen(PurchaseColumn::FirstNumber + i, entry.numbers[i].size());
        widen(PurchaseColumn::buy(entry.picks()), entry.buy.size());
        if (entry.wins())
            widen(money, QString::number(entry.outcome.winnings).size());
    }
}

void PurchaseRows::clear()
{
    m_entries.clear();
    m_selected.clear();
    m_selectedCount = 0;
}

void PurchaseRows::assign(std::vector<PurchaseEntry> entries)
{
    m_entries = std::move(entries);
    m_selected.assign(m_entries.size(), 0);
    m_selectedCount = 0;
}

void PurchaseRows::append(PurchaseEntry entry)
{
    m_entries.push_back(std::move(entry));
    m_selected.push_back(0);
}

int PurchaseRows::removeSelected()
{
    size_t kept = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_selected[i])
            continue;
        if (kept != i)
            m_entries[kept] = std::move(m_entries[i]);
        ++kept;
    }
    const int removed = int(m_entries.size() - kept);
    m_entries.resize(kept);
    m_selected.assign(kept, 0);
    m_selectedCount = 0;
    return removed;
}

void PurchaseRows::setSelected(int row, bool selected)
{
    char &flag = m_selected[size_t(row)];
    if (bool(flag) == selected)
        return;
    flag = selected;
    m_selectedCount += selected ? 1 : -1;
}

void PurchaseRows::setAllSelected(bool selected)
{
    std::fill(m_selected.begin(), m_selected.end(), char(selected));
    m_selectedCount = selected ? count() : 0;
}

std::vector<int> PurchaseRows::selectedRows() const
{
    std::vector<int> rows;
    rows.reserve(size_t(m_selectedCount));
    for (size_t i = 0; i < m_selected.size(); ++i) {
        if (m_selected[i])
            rows.push_back(int(i));
    }
    return rows;
}

void PurchaseRows::sortByColumn(int column, Qt::SortOrder order)
{
    std::vector<int> order_(m_entries.size());
    std::iota(order_.begin(), order_.end(), 0);
    sortRowsByText(order_, order, [&](int row) { return cellText(row, column); });
    std::vector<PurchaseEntry> entries;
    std::vector<char> selected;
    entries.reserve(m_entries.size());
    selected.reserve(m_entries.size());
    for (const int i : order_) {
        entries.push_back(std::move(m_entries[size_t(i)]));
        selected.push_back(m_selected[size_t(i)]);
    }
    m_entries = std::move(entries);
    m_selected = std::move(selected);
}
