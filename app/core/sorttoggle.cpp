#include "core/sorttoggle.h"

#include <algorithm>
#include <utility>

Qt::SortOrder SortToggle::next()
{
    m_order = m_order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    return m_order;
}

void sortRowsByText(std::vector<int> &rows, Qt::SortOrder order, const std::function<QString(int row)> &text)
{
    std::vector<std::pair<QString, int>> keyed;
    keyed.reserve(rows.size());
    for (const int row : rows)
        keyed.emplace_back(text(row), row);
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto &a, const auto &b) {
        const int cmp = a.first.compare(b.first);
        return ascending ? cmp < 0 : cmp > 0;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].second;
}
