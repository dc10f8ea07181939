#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TrendGrid;

// The rate chart's data, read from a trend grid alone: one category per draw column, two
// series per number.
struct RateChart
{
    QStringList categories;                   // "120回"
    QStringList seriesLabels;                 // "7平均", "7", "13平均", "13", ...
    std::vector<std::vector<double>> values;  // per series, one value (percent) per category
    std::vector<int> draws;                   // the draw (1-based grid column) of each category
};

// The two views of the chart: running rate against the moving rate over the last W draws, and
// the final rate (a flat line) against the running rate.
enum class RateView { Moving, Final };

// Series of a grid's chart: two per ticked number ("n平均", "n").
QStringList rateSeriesLabels(const TrendGrid &grid);
// The value (percent) of series s of a view at draw h (1-based), computed from the grid's
// running counts alone.
double rateAt(const TrendGrid &grid, RateView view, qint64 window, int series, int h);
// The chart's category of draw h (1-based): its draw number and "回".
QString rateCategory(const TrendGrid &grid, int h);

// The chart of a view. With maxCategories above 0 and more draws than that, only every k-th
// draw is kept (the last draw always), so a plot of any history holds a bounded number of
// points; 0 keeps every draw. Nothing when the grid has no rate rows.
std::optional<RateChart> rateChart(const TrendGrid &grid, RateView view, qint64 window, int maxCategories = 0);

// Running rate (series "n平均") against the moving rate over the last `window` draws (series
// "n"). A window below 1 counts as 1. Nothing when the grid has no rate rows (the trend box was
// not ticked), as there are no rates to plot.
std::optional<RateChart> movingRateChart(const TrendGrid &grid, qint64 window);

// Final rate, a flat line (series "n平均"), against the running rate (series "n").
std::optional<RateChart> finalRateChart(const TrendGrid &grid);

