#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class GridSource;
class QAbstractItemView;
class QAction;
class QWidget;

class QChartView;

// Copying and saving what a list, grid or chart shows.
namespace ViewExport {

// The rows of a list as shown, for other programs: its header texts first, then its rows (the
// selected ones when `selectedOnly` and some are selected, else all). Hidden columns are left out
// and the blanks that pad cells are trimmed.
QList<QStringList> rows(const QAbstractItemView *view, bool selectedOnly);

// Ctrl+C: the selected rows (all when none is selected) as tab-separated text with the headers.
void copyToClipboard(const QAbstractItemView *view);

// Grids of more cells are not copied: their text would take tens of megabytes or more, which
// no program pastes usefully, while "CSV で保存…" writes them at any size.
constexpr qint64 kMaxCopyCells = 1'000'000;
// Ctrl+C of a grid: every row as tab-separated text; above kMaxCopyCells nothing is built and a
// message box points to "CSV で保存…".
void copyToClipboard(QWidget *parent, const GridSource &grid);
// "CSV で保存…": asks for a file name and writes every row; false when cancelled or refused.
bool saveAsCsv(QWidget *parent, const QAbstractItemView *view);
// "画像で保存…": asks for a file name and writes the chart as PNG or SVG (by the suffix chosen).
bool saveChartImage(QWidget *parent, QChartView *chart);

// Gives a list its copy shortcut and a context menu with "コピー" and "CSV で保存…".
void enable(QAbstractItemView *view);
// Gives a chart a context menu with "画像で保存…".
void enable(QChartView *chart);
// The same for a grid painted straight from a source (no item view): Ctrl+C copies every row,
// and "CSV で保存…" calls `saveCsv`.
void enable(QWidget *grid, const std::function<const GridSource &()> &source, const std::function<void()> &saveCsv);

// A "CSV で保存…" entry for a window's own menu, saving the given view.
QAction *csvAction(QWidget *parent, QAbstractItemView *view);

} // namespace ViewExport
