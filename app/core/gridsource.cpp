#include "core/gridsource.h"

GridColor GridSource::foreColor(int, int) const
{
    return kNoGridColor;
}

GridColor GridSource::backColor(int, int) const
{
    return kNoGridColor;
}
