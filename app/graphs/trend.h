#pragma once

#include "core/gridsource.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class RowSource;

// What the trend grid is asked for: the columns of a draw row to look at, the ticked number
// boxes and the trend box "出現確率の変移".
struct TrendRequest
{
    int noTop = 3;
    int noEnd = 8;
    int maxNo = 43;
    std::vector<bool> ticked;  // number n at index n - 1
    bool rates = false;
};

// The trend of the ticked numbers over the selected draws, and the grid that shows it: row 0 the
// draw numbers (one column each, in list order), column 0 the number labels. Each ticked number
// has a mark row (a hit where it came up) and, with rates, a rate row below it holding the running
// rate. Cells are computed when asked; only the running hit counts are stored.
class TrendGrid final : public GridSource
{
public:
    int draws = 0;          // selected rows: columns 1..draws
    QList<int> numbers;     // ticked numbers in row order
    bool rates = false;     // rate rows present
    QStringList drawLabels; // draw number of each column, without its blanks
    double chance = 0;      // the chance a draw shows a given number: its columns over maxNo

    int rows() const override;
    int columns() const override { return draws + 1; }
    QString text(int row, int column) const override;

    // Index into `numbers` of a grid row, or -1 for row 0 and rows outside the grid.
    int numberIndexOfRow(int row) const;
    bool isRateRow(int row) const;
    // A mark cell of a draw in which its number came up.
    bool isHit(int row, int column) const;
    // The shade of a rate cell, 0 (rate 0) to 255 (rate 1); nothing for other cells.
    std::optional<int> shadeLevel(int row, int column) const;
    // Draws among the first `draw` (1-based) in which number `index` came up.
    qint64 hitsUpTo(int index, int draw) const;

    // Running hit counts: prefix[i][d] for number index i after d draws.
    std::vector<std::vector<qint32>> prefix;
};

TrendGrid buildTrendGrid(const RowSource &rows, const TrendRequest &request);

// Running rate after `draws` draws of which `hits` had the number: "66.6666666666667%".
QString runningRateText(qint64 hits, qint64 draws);
// The same as a number: hits among draws in percent.
double runningRate(qint64 hits, qint64 draws);
// Green of the rate shade, 0 (rate 0) to 255 (rate 1).
int greenLevel(qint64 hits, qint64 draws);

// Text for the cell under the pointer: "No 7  120回  50%" over a rate cell, less away from it.
QString trendHoverText(const GridSource &grid, int row, int column);
