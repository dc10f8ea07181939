#include "core/gridsource.h"

GridColor GridSource::foreColor(int, int) const
{
    return kNoGridColor;
}

GridColor GridSource::backColor(int, int) const
{
    return kNoGridColor;
}

bool isDarkGridColor(GridColor color)
{
    const int red = int((color >> 16) & 0xFF);
    const int green = int((color >> 8) & 0xFF);
    const int blue = int(color & 0xFF);
    return (299 * red + 587 * green + 114 * blue) / 1000 < 128;
}
