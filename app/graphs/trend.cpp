#include "graphs/trend.h"

#include "core/rowsource.h"
#include "graphs/graphtext.h"

#include <algorithm>

using namespace Qt::StringLiterals;

QString runningRateText(qint64 hits, qint64 draws)
{
    return shortestNumber(runningRate(hits, draws)) + u'%';
}

double runningRate(qint64 hits, qint64 draws)
{
    return double(hits) / double(draws) * 100.0;
}

int greenLevel(qint64 hits, qint64 draws)
{
    if (draws <= 0)
        return 0;
    // The shade value is hits * 255 / draws * 256, rounded, in the green byte. In 64 bits: a
    // number can come up tens of thousands of times in a long selection.
    const qint64 scaled = hits * 255 * 256;
    const qint64 rounded = (2 * scaled + draws) / (2 * draws);
    return int(std::clamp<qint64>(rounded >> 8, 0, 255));
}

int TrendGrid::rows() const
{
    return int(numbers.size()) * (rates ? 2 : 1) + 1;
}

int TrendGrid::numberIndexOfRow(int row) const
{
    if (row < 1 || row >= rows())
        return -1;
    return (row - 1) / (rates ? 2 : 1);
}

bool TrendGrid::isRateRow(int row) const
{
    return rates && numberIndexOfRow(row) >= 0 && (row - 1) % 2 == 1;
}

qint64 TrendGrid::hitsUpTo(int index, int draw) const
{
    return prefix[size_t(index)][size_t(draw)];
}

bool TrendGrid::isHit(int row, int column) const
{
    const int index = numberIndexOfRow(row);
    if (index < 0 || isRateRow(row) || column < 1 || column > draws)
        return false;
    return hitsUpTo(index, column) != hitsUpTo(index, column - 1);
}

std::optional<int> TrendGrid::shadeLevel(int row, int column) const
{
    if (!isRateRow(row) || column < 1 || column > draws)
        return std::nullopt;
    return greenLevel(hitsUpTo(numberIndexOfRow(row), column), column);
}

QString TrendGrid::text(int row, int column) const
{
    if (!contains(row, column))
        return {};
    if (row == 0)
        return column == 0 ? QString() : drawLabels[column - 1];
    const int index = numberIndexOfRow(row);
    if (column == 0)
        return QString::number(numbers[index]);
    if (!isRateRow(row))
        return {};
    return runningRateText(hitsUpTo(index, column), column);
}

TrendGrid buildTrendGrid(const RowSource &rows, const TrendRequest &request)
{
    TrendGrid result;
    if (request.maxNo > 0)
        result.chance = double(request.noEnd - request.noTop + 1) / request.maxNo;
    const int maxNo = std::max(request.maxNo, 0);
    auto isTicked = [&](qint64 n) {
        return n >= 1 && n <= maxNo && size_t(n) <= request.ticked.size() && request.ticked[size_t(n - 1)];
    };

    std::vector<int> selectedRows;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rows.inAnalysisSet(r))
            selectedRows.push_back(r);
    }
    result.draws = int(selectedRows.size());
    result.rates = request.rates;
    std::vector<int> indexOfNumber(size_t(maxNo) + 1, -1);
    for (int n = 1; n <= maxNo; ++n) {
        if (isTicked(n)) {
            indexOfNumber[size_t(n)] = int(result.numbers.size());
            result.numbers.append(n);
        }
    }
    result.drawLabels.reserve(result.draws);
    for (const int r : selectedRows)
        result.drawLabels.append(trimLeadingBlanks(rows.cellText(r, 1)));

    result.prefix.assign(size_t(result.numbers.size()), std::vector<qint32>(size_t(result.draws) + 1, 0));
    std::vector<char> hit(size_t(result.numbers.size()));
    for (int c = 1; c <= result.draws; ++c) {
        std::fill(hit.begin(), hit.end(), 0);
        const int r = selectedRows[size_t(c - 1)];
        for (int j = request.noTop; j <= request.noEnd; ++j) {
            const int v = rows.number(r, j);
            if (isTicked(v))
                hit[size_t(indexOfNumber[size_t(v)])] = 1;
        }
        for (size_t i = 0; i < hit.size(); ++i)
            result.prefix[i][size_t(c)] = result.prefix[i][size_t(c - 1)] + hit[i];
    }
    return result;
}

QString trendHoverText(const GridSource &grid, int row, int column)
{
    QString numberPart;
    if (grid.rows() > 1 && row > 0)
        numberPart = u"No "_s + grid.text(row, 0);
    QString drawPart;
    if (grid.columns() > 1 && column > 0)
        drawPart = trimLeadingBlanks(grid.text(0, column)) + u'回';
    QString valuePart;
    if (!numberPart.isEmpty() && !drawPart.isEmpty()) {
        if (const QString value = grid.text(row, column); !value.isEmpty())
            valuePart = u"  "_s + value;
        numberPart += u"  "_s;
    }
    return numberPart + drawPart + valuePart;
}
