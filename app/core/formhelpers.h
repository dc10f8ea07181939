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

// Sizes every column to its widest cell text; with hideNarrow, every column 12 pixels (180 twips)
// wide or less is then set to narrowWidth pixels. With true and 0 an all-empty column such as the
// hidden column 0 ends up 0 wide. A column left in sight is at least as wide as its header.
void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth);
// The same for a list whose owner reads its rows' cells faster than the view's model can.
void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth, int rows,
                 const std::function<QString(int row, int column)> &cellText);
// The same for a list whose owner knows each column's widest text without reading every cell:
// widestText(column, measure) returns the widest width `measure` gives for the column's texts.
using TextMeasure = std::function<int(QStringView text)>;
void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth,
                 const std::function<int(int column, const TextMeasure &measure)> &widestText);

// Keeps a window wholly inside the work area of its screen: moved in where it sticks out, and
// shrunk to the area when it is larger.
void FitFormToScreen(QWidget *window);
// Places a window that is not on screen yet with its frame at `place` (beside or below its
// opener) when it fits there; otherwise where its whole frame fits, stepping past windows that
// were pushed to the same spot.
void placeWindow(QWidget *window, QPoint place);
// Places a window that is not on screen yet beside `other` (below, else above, right or left of
// it) where its whole frame fits without covering it; else cascaded from it.
void placeBeside(QWidget *window, const QWidget *other);

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
// make visible, raise, and put the focus in its first entry box.
void showToolWindow(QWidget *window);
// The same for a window that opens at a given place the first time it is shown; a window
// already on screen keeps where the user put it.
void showToolWindow(QWidget *window, QPoint placeIfHidden);
// For a window another one refreshes (the rate chart of a trend): shown and raised the first
// time; once on screen it updates in place without coming to the front.
void showUpdatedWindow(QWidget *window, QPoint placeIfHidden);
// Shows two windows opened together (a graph and its table) so that neither covers the other:
// one below the other under their opener where the screen allows, else at the foot of the screen
// or side by side, else cascaded. A window already on screen keeps its place.
void showToolWindowPair(QWidget *first, QWidget *second, const QWidget *opener);
void focusFirstEntry(QWidget *window);
