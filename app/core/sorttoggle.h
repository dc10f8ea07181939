#pragma once

#include <Qt>

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
