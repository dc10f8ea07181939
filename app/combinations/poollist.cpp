#include "combinations/poollist.h"

PoolList::PoolList(int picks)
    : m_picks(picks)
{
}

void PoolList::append(int number)
{
    if (!m_numbers.contains(number))
        m_numbers.append(number);
}

bool PoolList::remove(int number)
{
    const int index = indexOf(number);
    if (index < 0)
        return false;
    m_numbers.removeAt(index);
    if (index < m_keys)
        --m_keys;
    return true;
}

std::optional<int> PoolList::moveUp(int index)
{
    if (index <= 0 || index >= size() || (isKey(index - 1) && !isKey(index)))
        return std::nullopt;
    m_numbers.move(index, index - 1);
    return index - 1;
}

std::optional<int> PoolList::moveDown(int index)
{
    if (index < 0 || index >= size() - 1 || (isKey(index) && !isKey(index + 1)))
        return std::nullopt;
    m_numbers.move(index, index + 1);
    return index + 1;
}

std::optional<int> PoolList::markKey(int index)
{
    if (index < 0 || index >= size())
        return std::nullopt;
    if (isKey(index))
        return index;
    if (m_keys >= m_picks)
        return std::nullopt;
    m_numbers.move(index, m_keys);
    return m_keys++;
}

std::optional<int> PoolList::unmarkKey(int index)
{
    if (index < 0 || index >= size())
        return std::nullopt;
    if (!isKey(index))
        return index;
    m_numbers.move(index, m_keys - 1);
    return --m_keys;
}
