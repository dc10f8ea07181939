#include "core/gridsource.h"

#include "core/griddata.h"

GridColor GridSource::foreColor(int, int) const
{
    return kNoGridColor;
}

GridColor GridSource::backColor(int, int) const
{
    return kNoGridColor;
}

std::shared_ptr<const GridSource> GridSource::snapshot() const
{
    auto copy = std::make_shared<GridData>(rows(), columns());
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < columns(); ++c) {
            copy->setText(r, c, text(r, c));
            copy->setForeColor(r, c, foreColor(r, c));
            copy->setBackColor(r, c, backColor(r, c));
        }
    }
    return copy;
}

bool GridSource::rowsAreTickets() const
{
    return false;
}

QList<int> GridSource::ticketNumbers(int) const
{
    return {};
}

bool isDarkGridColor(GridColor color)
{
    const int red = int((color >> 16) & 0xFF);
    const int green = int((color >> 8) & 0xFF);
    const int blue = int(color & 0xFF);
    return (299 * red + 587 * green + 114 * blue) / 1000 < 128;
}
