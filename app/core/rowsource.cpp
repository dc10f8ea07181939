#include "core/rowsource.h"

#include "core/drawrecord.h"
#include "core/numbers.h"

std::optional<qint64> RowSource::cellNumber(int row, int column) const
{
    return parseNumber(cellText(row, column));
}

const DrawRecord *RowSource::record(int) const
{
    return nullptr;
}

bool RowSource::inAnalysisSet(int row) const
{
    if (!isSelected(row))
        return false;
    const DrawRecord *draw = record(row);
    return !draw || draw->valid;
}
