#include "graphs/trendcells.h"

#include "graphs/trend.h"

TrendCells::TrendCells(std::shared_ptr<const TrendGrid> grid) : m_grid(std::move(grid)) {}

int TrendCells::rows() const
{
    return m_grid->rows();
}

int TrendCells::columns() const
{
    return m_grid->columns();
}

QString TrendCells::text(int row, int column) const
{
    return m_grid->text(row, column);
}

GridColor TrendCells::backColor(int row, int column) const
{
    if (m_grid->isHit(row, column))
        return kHit;
    if (const std::optional<int> level = m_grid->shadeLevel(row, column))
        return shade(*level);
    return kNoGridColor;
}

std::shared_ptr<const GridSource> TrendCells::snapshot() const
{
    // The trend is never changed once built: a new one replaces it.
    return std::make_shared<TrendCells>(m_grid);
}
