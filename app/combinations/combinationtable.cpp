#include "combinations/combinationtable.h"

#include "combinations/binomial.h"

#include <bit>

using namespace Qt::StringLiterals;

CombinationTable::CombinationTable(const QList<int> &pool, int picks, int keys)
    : m_pool(pool)
    , m_picks(picks)
    , m_keys(keys)
{
    const int n = poolSize();
    if (picks >= 1 && n >= picks && n <= Binomial::kMaxPool && keys >= 0 && keys <= picks)
        m_rows = Binomial::count(n - keys, picks - keys);
}

// The rows past the keys are the t-sets of the m free positions in lexicographic order. Counted
// from the end, that order is the combinatorial number system over the reversed positions
// y = m - x, so a row is read off greedily, one binary search per member.
quint64 CombinationTable::rowMask(qint64 row) const
{
    if (row < 0 || row >= m_rows)
        return 0;
    const int m = poolSize() - m_keys;
    const int t = m_picks - m_keys;
    quint64 mask = m_keys > 0 ? (~quint64(0) >> (64 - m_keys)) : 0;
    qint64 rest = m_rows - 1 - row;
    int below = m;  // every later y is below this
    for (int left = t; left >= 1; --left) {
        // The largest y < below with C(y, left) <= rest; C(left - 1, left) = 0 always qualifies.
        int lo = left - 1;
        int hi = below - 1;
        while (lo < hi) {
            const int mid = (lo + hi + 1) / 2;
            if (Binomial::count(mid, left) <= rest)
                lo = mid;
            else
                hi = mid - 1;
        }
        rest -= Binomial::count(lo, left);
        below = lo;
        const int position = m_keys + (m - lo);
        mask |= quint64(1) << (position - 1);
    }
    return mask;
}

QList<int> CombinationTable::rowPositions(qint64 row) const
{
    QList<int> positions;
    for (quint64 mask = rowMask(row); mask != 0; mask &= mask - 1)
        positions.append(std::countr_zero(mask) + 1);
    return positions;
}

qint64 CombinationTable::rowOfMask(quint64 mask) const
{
    if (m_rows == 0 || std::popcount(mask) != m_picks)
        return -1;
    const int n = poolSize();
    if (n < 64 && (mask >> n) != 0)
        return -1;
    const quint64 keyBits = m_keys > 0 ? (~quint64(0) >> (64 - m_keys)) : 0;
    if ((mask & keyBits) != keyBits)
        return -1;
    const int m = n - m_keys;
    int left = m_picks - m_keys;
    qint64 fromEnd = 0;
    for (quint64 rest = mask & ~keyBits; rest != 0; rest &= rest - 1, --left) {
        const int x = std::countr_zero(rest) + 1 - m_keys;
        fromEnd += Binomial::count(m - x, left);
    }
    return m_rows - 1 - fromEnd;
}

QString CombinationTable::cellText(qint64 gridRow, int column) const
{
    if (gridRow < 0 || gridRow >= gridRows() || column < 0 || column >= gridColumns())
        return {};
    if (gridRow == 0)
        return column == 0 ? QString() : QString::number(m_pool[column - 1]);
    if (column == 0)
        return QString::number(gridRow);
    return isMarked(gridRow, column) ? u"1"_s : QString();
}

bool CombinationTable::isMarked(qint64 gridRow, int column) const
{
    if (gridRow < 1 || column < 1 || column >= gridColumns())
        return false;
    return (rowMask(gridRow - 1) >> (column - 1)) & 1;
}

QString selectionStatusText(int gridColumns, qint64 gridRows)
{
    return QString::number(gridColumns - 1) + u"個選択 - "_s + QString::number(gridRows - 1) + u"通り"_s;
}
