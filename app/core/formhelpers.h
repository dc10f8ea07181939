#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include <functional>

class QAbstractButton;
class QTreeView;
class QWidget;

// Window geometry in the program's layouts is expressed in twips, 15 to a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Sizes every column to its widest cell text (headers do not count); with hideNarrow, every
// column 12 pixels (180 twips) wide or less is then set to narrowWidth pixels. With true and 0
// an all-empty column such as the hidden column 0 ends up 0 wide.
void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth);
// The same for a list whose owner reads its rows' cells faster than the view's model can.
void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth, int rows,
                 const std::function<QString(int row, int column)> &cellText);

// Pulls a newly placed window back so at least 32 pixels of it stay inside the work area at the
// right and at the bottom. Left and top edges are left alone.
void FitFormToScreen(QWidget *window);

// Whole-window opacity, 0 (invisible) to 255 (opaque).
void SetTranslucent(QWidget *window, int opacity);

// Index of the first checked button of a group, or -1.
int GetOptionIndex(const QList<QAbstractButton *> &group);

// Outer (frame) geometry helpers: tool windows are placed beside or below their opener's frame.
QPoint frameBottomLeft(const QWidget *window);
QPoint frameTopRight(const QWidget *window);
QPoint frameBottomRight(const QWidget *window);
void moveFrameTo(QWidget *window, QPoint topLeft);

// Shows a tool window the way every launcher does: restore if minimised, keep on screen,
// make visible, raise and focus.
void showToolWindow(QWidget *window);
// The same for a window that opens at a given place the first time it is shown; a window
// already on screen keeps where the user put it.
void showToolWindow(QWidget *window, QPoint placeIfHidden);
