#pragma once

#include <QString>
#include <Qt>

#include <functional>
#include <vector>

// The order a list sorts in on a header click: it flips on every click, whichever column was
// clicked before, starting ascending.
class SortToggle
{
public:
    // The order for this click.
    Qt::SortOrder next();
    Qt::SortOrder order() const { return m_order; }
    // Takes an order set by other means (a list filled already sorted), so the next click flips it.
    void set(Qt::SortOrder order) { m_order = order; }

private:
    Qt::SortOrder m_order = Qt::DescendingOrder;  // flipped before the first sort
};

// The sort of every list on a header click: `rows` (row indexes in their present order) put in
// the order of their texts in the clicked column, compared as they are shown; rows of equal
// text keep their order. Each text is asked for once. Right-aligned texts (padded cells) compare
// as they line up, the shorter ones with blanks before them, so a value wider than the rest
// still sorts as its number.
void sortRowsByText(std::vector<int> &rows, Qt::SortOrder order, const std::function<QString(int row)> &text,
                    bool rightAligned = false);
