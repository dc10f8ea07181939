#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>

class GridSource;
class QIODevice;

// A grid's rows written out for other programs a row at a time, so that a grid of millions of
// computed rows never needs its whole text in memory.
namespace GridExport {

enum class Form {
    Tsv,      // every cell, tab-separated, blanks around a cell trimmed (the clipboard)
    Csv,      // the same as CSV (files)
    Tickets,  // one ticket a line, its numbers with a blank between ("3 8 14 21 27 33"), CR LF;
              // the header row and rows without numbers are left out
};

struct Options
{
    const std::atomic<bool> *cancel = nullptr;                // looked at between rows
    std::function<void(qint64 done, qint64 total)> progress;  // rows written out of all
};

// False when a write to the device failed or the cancel flag was set: the device then holds
// part of the grid only.
bool write(const GridSource &grid, Form form, QIODevice &device, const Options &options = {});

} // namespace GridExport
