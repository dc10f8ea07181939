#pragma once

#include "core/gridsource.h"

#include <memory>

class TrendGrid;

// The trend grid as the window paints it: red where a number came up, running rates shaded
// from black (0%) to full green (100%).
class TrendCells final : public GridSource
{
public:
    explicit TrendCells(std::shared_ptr<const TrendGrid> grid);

    int rows() const override;
    int columns() const override;
    QString text(int row, int column) const override;
    GridColor backColor(int row, int column) const override;
    std::shared_ptr<const GridSource> snapshot() const override;

    static constexpr GridColor kHit = gridRgb(255, 0, 0);
    static GridColor shade(int level) { return gridRgb(0, level, 0); }

private:
    std::shared_ptr<const TrendGrid> m_grid;
};
