#include "core/rowsource.h"

#include "core/numbers.h"

std::optional<qint64> RowSource::cellNumber(int row, int column) const
{
    return parseNumber(cellText(row, column));
}

const DrawRecord *RowSource::record(int) const
{
    return nullptr;
}
