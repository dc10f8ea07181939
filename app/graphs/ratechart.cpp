#include "graphs/ratechart.h"

#include <algorithm>
#include <charconv>

using namespace Qt::StringLiterals;

namespace {
// A rate cell as the chart takes it: its text without the "%"; no text reads as 0.
double rateValue(const GridData &grid, int row, int column)
{
    QStringView text = grid.text(row, column);
    if (!text.isEmpty())
        text.chop(1);
    // The texts are plain decimals; reading them directly is many times faster than the
    // locale-aware conversion, which matters for a hundred thousand rate cells.
    char digits[64];
    if (text.size() < qsizetype(sizeof digits)) {
        qsizetype n = 0;
        for (const QChar c : text)
            digits[n++] = c.unicode() < 128 ? char(c.unicode()) : '?';
        double value = 0;
        const auto [end, error] = std::from_chars(digits, digits + n, value);
        if (error == std::errc() && end == digits + n)
            return value;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

RateChart chartFrame(const GridData &grid)
{
    RateChart chart;
    const int draws = grid.columns() - 1;
    chart.categories.reserve(draws);
    for (int h = 1; h <= draws; ++h)
        chart.categories.append(grid.text(0, h) + u'回');
    for (int m = 1; m + 1 < grid.rows(); m += 2) {
        chart.seriesLabels.append(grid.text(m, 0) + u"平均"_s);
        chart.seriesLabels.append(grid.text(m, 0));
    }
    chart.values.assign(size_t(chart.seriesLabels.size()), std::vector<double>(size_t(std::max(draws, 0)), 0.0));
    return chart;
}
} // namespace

bool hasRateRows(const GridData &grid)
{
    const int dataRows = grid.rows() - 1;
    if (dataRows < 0 || dataRows % 2 != 0)
        return false;
    for (int m = 1; m + 1 < grid.rows(); m += 2) {
        if (grid.text(m, 0).isEmpty() || grid.text(m, 0) != grid.text(m + 1, 0))
            return false;
    }
    return true;
}

double movingRate(const std::vector<qint64> &prefixHits, qint64 h, qint64 window)
{
    window = std::max<qint64>(window, 1);
    const qint64 start = h - window + 1;
    if (start > 0)
        return double(prefixHits[size_t(h)] - prefixHits[size_t(start - 1)]) * 100.0 / double(window);
    return double(prefixHits[size_t(h)]) * 100.0 / double(h);
}

std::optional<RateChart> movingRateChart(const GridData &grid, qint64 window)
{
    if (!hasRateRows(grid))
        return std::nullopt;
    RateChart chart = chartFrame(grid);
    const int draws = grid.columns() - 1;
    std::vector<qint64> prefix(size_t(std::max(draws, 0)) + 1, 0);
    for (int m = 1, series = 0; m + 1 < grid.rows(); m += 2, series += 2) {
        for (int h = 1; h <= draws; ++h)
            prefix[size_t(h)] = prefix[size_t(h - 1)] + (grid.backColor(m, h) == kGridRed ? 1 : 0);
        std::vector<double> &running = chart.values[size_t(series)];
        std::vector<double> &moving = chart.values[size_t(series) + 1];
        for (int h = 1; h <= draws; ++h) {
            running[size_t(h - 1)] = rateValue(grid, m + 1, h);
            moving[size_t(h - 1)] = movingRate(prefix, h, window);
        }
    }
    return chart;
}

std::optional<RateChart> finalRateChart(const GridData &grid)
{
    if (!hasRateRows(grid))
        return std::nullopt;
    RateChart chart = chartFrame(grid);
    const int draws = grid.columns() - 1;
    for (int m = 1, series = 0; m + 1 < grid.rows(); m += 2, series += 2) {
        const double finalRate = draws > 0 ? rateValue(grid, m + 1, draws) : 0.0;
        std::fill(chart.values[size_t(series)].begin(), chart.values[size_t(series)].end(), finalRate);
        std::vector<double> &running = chart.values[size_t(series) + 1];
        for (int h = 1; h <= draws; ++h)
            running[size_t(h - 1)] = rateValue(grid, m + 1, h);
    }
    return chart;
}
