#pragma once

#include "core/griddata.h"

#include <QList>
#include <QString>

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

// The trend grid: row 0 the draw numbers of the selected rows (one column each, in list
// order), column 0 the number labels. Each ticked number has a mark row (red where it came up)
// and, with rates, a rate row below it holding the running rate as text and as a green shade.
struct TrendGrid
{
    GridData grid;
    int draws = 0;        // selected rows: columns 1..draws
    QList<int> numbers;   // ticked numbers in row order
};

TrendGrid buildTrendGrid(const RowSource &rows, const TrendRequest &request);

// Running rate after `draws` draws of which `hits` had the number: "66.6666666666667%".
QString runningRateText(qint64 hits, qint64 draws);
// Green of the rate shade, 0 (rate 0) to 255 (rate 1).
int greenLevel(qint64 hits, qint64 draws);

// Text for the cell under the pointer: "No 7  120回  50%" over a rate cell, less away from it.
QString trendHoverText(const GridData &grid, int row, int column);
