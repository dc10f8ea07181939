#include "core/rowsource.h"

#include "core/drawrecord.h"

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
