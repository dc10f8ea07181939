#pragma once

#include "core/griddata.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The rate chart's data, read from a trend grid alone: one category per draw column, two
// series per number (mark row and rate row pair).
struct RateChart
{
    QStringList categories;                   // "120回"
    QStringList seriesLabels;                 // "7平均", "7", "13平均", "13", ...
    std::vector<std::vector<double>> values;  // per series, one value (percent) per category
};

// Whether every data row of the grid pairs up as mark row and rate row of the same number,
// as it does while the trend box is ticked. Without them a chart would read marks as rates.
bool hasRateRows(const GridData &grid);

// Running rate (series "n平均") against the moving rate over the last `window` draws (series
// "n"). A window below 1 counts as 1. Empty when the grid has no rate rows.
std::optional<RateChart> movingRateChart(const GridData &grid, qint64 window);

// Final rate, a flat line (series "n平均"), against the running rate (series "n").
std::optional<RateChart> finalRateChart(const GridData &grid);

// Percentage of hits among the last `window` draws up to draw h (1-based), or among all draws
// up to h while fewer than `window` have passed. prefixHits[i] = hits in draws 1..i.
double movingRate(const std::vector<qint64> &prefixHits, qint64 h, qint64 window);
