#include "graphs/ratechart.h"

#include "graphs/trend.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
double runningRateAt(const TrendGrid &grid, int index, int draw)
{
    return runningRate(grid.hitsUpTo(index, draw), draw);
}

double movingRateAt(const TrendGrid &grid, int index, qint64 h, qint64 window)
{
    window = std::max<qint64>(window, 1);
    const qint64 start = h - window + 1;
    if (start > 0)
        return double(grid.hitsUpTo(index, int(h)) - grid.hitsUpTo(index, int(start - 1))) * 100.0 / double(window);
    return double(grid.hitsUpTo(index, int(h))) * 100.0 / double(h);
}
} // namespace

QString rateCategory(const TrendGrid &grid, int h)
{
    return grid.drawLabels[h - 1] + u'回';
}

QStringList rateSeriesLabels(const TrendGrid &grid)
{
    QStringList labels;
    for (const int n : grid.numbers) {
        labels.append(QString::number(n) + u"平均"_s);
        labels.append(QString::number(n));
    }
    return labels;
}

double rateAt(const TrendGrid &grid, RateView view, qint64 window, int series, int h)
{
    const int index = series / 2;
    const bool reference = series % 2 == 0;
    if (view == RateView::Moving)
        return reference ? runningRateAt(grid, index, h) : movingRateAt(grid, index, h, window);
    return reference ? runningRateAt(grid, index, grid.draws) : runningRateAt(grid, index, h);
}


std::optional<RateChart> rateChart(const TrendGrid &grid, RateView view, qint64 window, int maxCategories)
{
    if (!grid.rates)
        return std::nullopt;
    RateChart chart;
    chart.seriesLabels = rateSeriesLabels(grid);
    const int step = maxCategories > 0 && grid.draws > maxCategories ? (grid.draws + maxCategories - 1) / maxCategories : 1;
    for (int h = step; ; h += step) {
        if (h > grid.draws) {
            // The last draw closes the chart whatever the step.
            if (chart.draws.empty() || chart.draws.back() != grid.draws) {
                if (grid.draws > 0)
                    chart.draws.push_back(grid.draws);
            }
            break;
        }
        chart.draws.push_back(h);
    }
    chart.categories.reserve(qsizetype(chart.draws.size()));
    for (const int h : chart.draws)
        chart.categories.append(rateCategory(grid, h));
    chart.values.assign(size_t(chart.seriesLabels.size()), std::vector<double>(chart.draws.size(), 0.0));
    for (qsizetype s = 0; s < chart.seriesLabels.size(); ++s) {
        std::vector<double> &values = chart.values[size_t(s)];
        for (size_t k = 0; k < chart.draws.size(); ++k)
            values[k] = rateAt(grid, view, window, int(s), chart.draws[k]);
    }
    return chart;
}

std::optional<RateChart> movingRateChart(const TrendGrid &grid, qint64 window)
{
    return rateChart(grid, RateView::Moving, window);
}

std::optional<RateChart> finalRateChart(const TrendGrid &grid)
{
    return rateChart(grid, RateView::Final, 0);
}
