#include "core/sorttoggle.h"

#include <algorithm>
#include <utility>

Qt::SortOrder SortToggle::next()
{
    m_order = m_order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    return m_order;
}

void sortRowsByText(std::vector<int> &rows, Qt::SortOrder order, const std::function<QString(int row)> &text,
                    bool rightAligned)
{
    std::vector<std::pair<QString, int>> keyed;
    keyed.reserve(rows.size());
    qsizetype widest = 0;
    for (const int row : rows) {
        keyed.emplace_back(text(row), row);
        widest = std::max(widest, keyed.back().first.size());
    }
    if (rightAligned) {
        for (auto &[key, row] : keyed) {
            if (key.size() < widest)
                key.prepend(QString(widest - key.size(), u' '));
        }
    }
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto &a, const auto &b) {
        const int cmp = a.first.compare(b.first);
        return ascending ? cmp < 0 : cmp > 0;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].second;
}
