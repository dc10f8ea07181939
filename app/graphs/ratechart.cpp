#include "graphs/ratechart.h"

#include "graphs/trend.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
RateChart chartFrame(const TrendGrid &grid)
{
    RateChart chart;
    chart.categories.reserve(grid.draws);
    for (const QString &label : grid.drawLabels)
        chart.categories.append(label + u'回');
    for (const int n : grid.numbers) {
        chart.seriesLabels.append(QString::number(n) + u"平均"_s);
        chart.seriesLabels.append(QString::number(n));
    }
    chart.values.assign(size_t(chart.seriesLabels.size()), std::vector<double>(size_t(grid.draws), 0.0));
    return chart;
}

double runningRate(const TrendGrid &grid, int index, int draw)
{
    return double(grid.hitsUpTo(index, draw)) / double(draw) * 100.0;
}
} // namespace

double movingRate(const std::vector<qint64> &prefixHits, qint64 h, qint64 window)
{
    window = std::max<qint64>(window, 1);
    const qint64 start = h - window + 1;
    if (start > 0)
        return double(prefixHits[size_t(h)] - prefixHits[size_t(start - 1)]) * 100.0 / double(window);
    return double(prefixHits[size_t(h)]) * 100.0 / double(h);
}

std::optional<RateChart> movingRateChart(const TrendGrid &grid, qint64 window)
{
    if (!grid.rates)
        return std::nullopt;
    RateChart chart = chartFrame(grid);
    std::vector<qint64> prefix(size_t(grid.draws) + 1, 0);
    for (int i = 0; i < grid.numbers.size(); ++i) {
        for (int h = 1; h <= grid.draws; ++h)
            prefix[size_t(h)] = grid.hitsUpTo(i, h);
        std::vector<double> &running = chart.values[size_t(2 * i)];
        std::vector<double> &moving = chart.values[size_t(2 * i + 1)];
        for (int h = 1; h <= grid.draws; ++h) {
            running[size_t(h - 1)] = runningRate(grid, i, h);
            moving[size_t(h - 1)] = movingRate(prefix, h, window);
        }
    }
    return chart;
}

std::optional<RateChart> finalRateChart(const TrendGrid &grid)
{
    if (!grid.rates)
        return std::nullopt;
    RateChart chart = chartFrame(grid);
    for (int i = 0; i < grid.numbers.size(); ++i) {
        const double finalRate = grid.draws > 0 ? runningRate(grid, i, grid.draws) : 0.0;
        std::fill(chart.values[size_t(2 * i)].begin(), chart.values[size_t(2 * i)].end(), finalRate);
        std::vector<double> &running = chart.values[size_t(2 * i + 1)];
        for (int h = 1; h <= grid.draws; ++h)
            running[size_t(h - 1)] = runningRate(grid, i, h);
    }
    return chart;
}
