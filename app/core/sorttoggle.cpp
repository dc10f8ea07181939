#include "core/sorttoggle.h"

Qt::SortOrder SortToggle::next()
{
    m_order = m_order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    return m_order;
}
