#include "graphs/trend.h"

#include "core/rowsource.h"
#include "graphs/graphtext.h"

#include <algorithm>

using namespace Qt::StringLiterals;

QString runningRateText(qint64 hits, qint64 draws)
{
    return shortestNumber(double(hits) / double(draws) * 100.0) + u'%';
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

TrendGrid buildTrendGrid(const RowSource &rows, const TrendRequest &request)
{
    TrendGrid result;
    const int maxNo = std::max(request.maxNo, 0);
    auto isTicked = [&](qint64 n) {
        return n >= 1 && n <= maxNo && size_t(n) <= request.ticked.size() && request.ticked[size_t(n - 1)];
    };

    std::vector<int> selectedRows;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rows.isSelected(r))
            selectedRows.push_back(r);
    }
    result.draws = int(selectedRows.size());
    for (int n = 1; n <= maxNo; ++n) {
        if (isTicked(n))
            result.numbers.append(n);
    }
    const int perNumber = request.rates ? 2 : 1;
    const int gridRows = int(result.numbers.size()) * perNumber + 1;
    const int gridColumns = result.draws + 1;

    GridData &grid = result.grid;
    grid.resize(gridRows, gridColumns);
    for (int c = 1; c <= result.draws; ++c)
        grid.setText(0, c, trimLeadingBlanks(rows.cellText(selectedRows[size_t(c - 1)], 1)));

    std::vector<int> rowOfNumber(size_t(maxNo) + 1, 0);
    for (qsizetype i = 0; i < result.numbers.size(); ++i) {
        const int n = result.numbers[i];
        const int row = int(i) * perNumber + 1;
        rowOfNumber[size_t(n)] = row;
        grid.setText(row, 0, QString::number(n));
        if (request.rates)
            grid.setText(row + 1, 0, QString::number(n));
    }
    if (result.draws == 0)
        return result;

    for (int c = 1; c <= result.draws; ++c) {
        const int r = selectedRows[size_t(c - 1)];
        for (int j = request.noTop; j <= request.noEnd; ++j) {
            const std::optional<qint64> v = rows.cellNumber(r, j);
            if (v && isTicked(*v))
                grid.setBackColor(rowOfNumber[size_t(*v)], c, kGridRed);
        }
    }

    if (request.rates) {
        std::vector<qint64> hits(result.numbers.size(), 0);
        for (int c = 1; c <= result.draws; ++c) {
            for (size_t i = 0; i < hits.size(); ++i) {
                const int markRow = int(i) * 2 + 1;
                if (grid.backColor(markRow, c) == kGridRed)
                    ++hits[i];
                grid.setText(markRow + 1, c, runningRateText(hits[i], c));
                grid.setBackColor(markRow + 1, c, gridRgb(0, greenLevel(hits[i], c), 0));
            }
        }
    }
    return result;
}

QString trendHoverText(const GridData &grid, int row, int column)
{
    QString numberPart;
    if (grid.rows() > 1 && row > 0)
        numberPart = u"No "_s + grid.text(row, 0);
    QString drawPart;
    if (grid.columns() > 1 && column > 0)
        drawPart = trimLeadingBlanks(grid.text(0, column)) + u'回';
    QString valuePart;
    if (!numberPart.isEmpty() && !drawPart.isEmpty()) {
        if (const QString &value = grid.text(row, column); !value.isEmpty())
            valuePart = u"  "_s + value;
        numberPart += u"  "_s;
    }
    return numberPart + drawPart + valuePart;
}
