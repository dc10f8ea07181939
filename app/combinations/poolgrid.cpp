#include "combinations/poolgrid.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace PoolGrid {

quint64 positionBit(int position)
{
    return position >= 1 && position <= 64 ? quint64(1) << (position - 1) : 0;
}

bool holds(quint64 mask, int position)
{
    return (mask & positionBit(position)) != 0;
}

QList<int> numbers(const QList<int> &header, quint64 mask)
{
    QList<int> out;
    for (int position = 1; position <= header.size(); ++position) {
        if (holds(mask, position))
            out.append(header[position - 1]);
    }
    std::sort(out.begin(), out.end());
    return out;
}

QString cellText(const QList<int> &header, qint64 gridRow, int column, quint64 mask)
{
    if (gridRow == 0)
        return column == 0 ? QString() : QString::number(header[column - 1]);
    if (column == 0)
        return QString::number(gridRow);
    return holds(mask, column) ? u"1"_s : QString();
}

} // namespace PoolGrid
