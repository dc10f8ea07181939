#include "core/formhelpers.h"


#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {
// Space a cell needs beside its text (left and right item margins).
constexpr int kCellMargin = 12;
// Header text margins and the sort indicator beside the text.
constexpr int kHeaderMargin = 28;
constexpr int kNarrowPixels = 180 / kTwipsPerPixel;

// Summing cached glyph advances is far cheaper than laying out every cell text, and exact for
// the digits and blanks that fill nearly every cell.
class AdvanceCache
{
public:
    explicit AdvanceCache(const QFontMetrics &metrics) : m_metrics(metrics) { m_ascii.fill(-1); }

    int width(QStringView text)
    {
        int total = 0;
        for (const QChar c : text) {
            if (c.unicode() < m_ascii.size()) {
                int &advance = m_ascii[c.unicode()];
                if (advance < 0)
                    advance = m_metrics.horizontalAdvance(c);
                total += advance;
                continue;
            }
            auto it = m_advances.constFind(c.unicode());
            if (it == m_advances.cend())
                it = m_advances.insert(c.unicode(), m_metrics.horizontalAdvance(c));
            total += *it;
        }
        return total;
    }

private:
    QFontMetrics m_metrics;
    std::array<int, 128> m_ascii;
    QHash<char16_t, int> m_advances;
};
} // namespace

void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth)
{
    const QAbstractItemModel *model = list->model();
    if (!model)
        return;
    LvwAutoSize(list, hideNarrow, narrowWidth, model->rowCount(), [model](int row, int column) {
        return model->index(row, column).data(Qt::DisplayRole).toString();
    });
}

void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth, int rows,
                 const std::function<QString(int row, int column)> &cellText)
{
    LvwAutoSize(list, hideNarrow, narrowWidth, [&](int column, const TextMeasure &measure) {
        int widest = 0;
        for (int r = 0; r < rows; ++r) {
            const QString text = cellText(r, column);
            if (!text.isEmpty())
                widest = std::max(widest, measure(text));
        }
        return widest;
    });
}

void LvwAutoSize(QTreeView *list, bool hideNarrow, int narrowWidth,
                 const std::function<int(int column, const TextMeasure &measure)> &widestText)
{
    const QAbstractItemModel *model = list->model();
    if (!model)
        return;
    // Hidden columns are 0 wide, below the header's usual minimum.
    list->header()->setMinimumSectionSize(0);
    AdvanceCache cache(list->fontMetrics());
    const TextMeasure measure = [&cache](QStringView text) { return cache.width(text); };
    const QFontMetrics headerMetrics = list->header()->fontMetrics();
    const int columns = model->columnCount();
    for (int c = 0; c < columns; ++c) {
        int width = widestText(c, measure) + kCellMargin;
        if (hideNarrow && width <= kNarrowPixels) {
            width = narrowWidth;
        } else {
            // A column that stays in sight shows its whole header, sort arrow included.
            const QString header = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            if (!header.isEmpty())
                width = std::max(width, headerMetrics.horizontalAdvance(header) + kHeaderMargin);
        }
        list->setColumnWidth(c, width);
    }
}

namespace {
// The decorations around a window: its own once shown, else those of a window on screen (a
// window not yet shown has none to ask for; the window system gives all the same frame).
QMargins frameMargins(const QWidget *window)
{
    const QWidget *shown = window->isVisible() ? window : QApplication::activeWindow();
    if (!shown) {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        const auto it = std::find_if(windows.begin(), windows.end(), [](const QWidget *w) { return w->isVisible(); });
        shown = it == windows.end() ? nullptr : *it;
    }
    if (!shown)
        return {};
    const QRect frame = shown->frameGeometry();
    const QRect inner = shown->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QRect availableArea(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
} // namespace

void FitFormToScreen(QWidget *window)
{
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    const QMargins margins = frameMargins(window);
    // A window larger than the screen is shrunk to it, so that all of it can be reached.
    const QSize room(area.width() - margins.left() - margins.right(), area.height() - margins.top() - margins.bottom());
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(std::min(window->width(), room.width()), std::min(window->height(), room.height()));
    const QSize frame = window->size().grownBy(margins);
    QPoint pos = window->pos();
    pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.left() + area.width() - frame.width())));
    pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.top() + area.height() - frame.height())));
    if (pos != window->pos())
        window->move(pos);
}

void placeWindow(QWidget *window, QPoint place)
{
    moveFrameTo(window, place);
    const QPoint wanted = window->pos();
    FitFormToScreen(window);
    if (window->pos() == wanted)
        return;
    // Moved to fit: several windows pushed to the same spot would hide each other, so each steps
    // past the ones already there, down and right where there is room, else up and left.
    const QRect area = availableArea(window);
    const QSize frame = window->size().grownBy(frameMargins(window));
    auto fits = [&](QPoint at) { return area.contains(QRect(at, frame)); };
    auto taken = [window](QPoint at) {
        const QList<QWidget *> others = QApplication::topLevelWidgets();
        return std::any_of(others.begin(), others.end(), [&](const QWidget *other) {
            return other != window && other->isVisible() && other->frameGeometry().topLeft() == at;
        });
    };
    const QPoint step = fits(window->pos() + QPoint(24, 24)) ? QPoint(24, 24) : QPoint(-24, -24);
    for (int tries = 0; tries < 20 && taken(window->pos()) && fits(window->pos() + step); ++tries)
        window->move(window->pos() + step);
}

namespace {
// The frame a window will have at `topLeft`, with the decorations the window system gives.
QRect frameAt(const QWidget *window, QPoint topLeft)
{
    return QRect(topLeft, window->size().grownBy(frameMargins(window)));
}

// The frame moved inside the area (its top-left corner kept on screen when it is larger).
QRect fitted(QRect frame, const QRect &area)
{
    frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    return frame;
}

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// How far a cascaded window stands from the one under it: its title bar's height.
int cascadeStep(const QWidget *window)
{
    return std::max(24, frameMargins(window).top());
}

// Where a window goes beside `other`: below it, else above, to its right or left, at the first
// of those places where its whole frame fits on the screen without covering `other`; where
// none does, cascaded from `other` so both title bars stay in sight.
QPoint besidePlace(const QWidget *window, const QRect &other, const QRect &area)
{
    const QSize size = frameAt(window, {}).size();
    const QList<QPoint> sides{{other.left(), other.bottom() + 1}, {other.left(), other.top() - size.height()},
                              {other.right() + 1, other.top()}, {other.left() - size.width(), other.top()}};
    for (const QPoint &side : sides) {
        // Slid along the side when it sticks out at an end, never onto `other`.
        const QRect frame = fitted(QRect(side, size), area);
        if (area.contains(frame) && overlap(frame, other) == 0)
            return frame.topLeft();
    }
    // Down and right of it where that fits, else up and left.
    const int step = cascadeStep(window);
    const QPoint down = fitted(QRect(other.topLeft() + QPoint(step, step), size), area).topLeft();
    if (down.x() >= other.left() + step && down.y() >= other.top() + step)
        return down;
    return fitted(QRect(other.topLeft() - QPoint(step, step), size), area).topLeft();
}

// After the window system has put its frame around a window (which it may do a little later),
// a frame that sticks out of the screen is moved in.
void keepFrameOnScreen(QWidget *window)
{
    for (const int delay : {0, 150, 600}) {
        QTimer::singleShot(delay, window, [window] {
            if (!window->isVisible() || window->isMaximized() || window->isFullScreen())
                return;
            const QRect area = availableArea(window);
            const QRect frame = window->frameGeometry();
            if (area.isEmpty() || area.contains(frame))
                return;
            const QRect moved = fitted(frame, area);
            window->move(moved.topLeft());
        });
    }
}
} // namespace

void placeBeside(QWidget *window, const QWidget *other)
{
    FitFormToScreen(window);
    const QRect area = availableArea(other);
    moveFrameTo(window, besidePlace(window, other->frameGeometry(), area));
}

void showToolWindowPair(QWidget *first, QWidget *second, const QWidget *opener)
{
    if (first->isVisible() && second->isVisible()) {
        showToolWindow(first);
        showToolWindow(second);
        return;
    }
    if (first->isVisible() || second->isVisible()) {
        QWidget *hidden = first->isVisible() ? second : first;
        placeBeside(hidden, first->isVisible() ? first : second);
        showToolWindow(first);
        showToolWindow(second);
        return;
    }
    FitFormToScreen(first);
    FitFormToScreen(second);
    const QRect area = availableArea(opener);
    const QRect openerFrame = opener->frameGeometry();
    const QSize a = frameAt(first, {}).size();
    const QSize b = frameAt(second, {}).size();
    // One above the other below the opener; else that block at the foot of the screen, over the
    // opener's lower part; else side by side; else the second beside or cascaded from the first.
    const int left = std::clamp(openerFrame.left(), area.left(), std::max(area.left(), area.right() + 1 - std::max(a.width(), b.width())));
    QPoint firstAt(left, openerFrame.bottom() + 1);
    if (firstAt.y() + a.height() + b.height() > area.bottom() + 1)
        firstAt.setY(area.bottom() + 1 - a.height() - b.height());
    if (firstAt.y() >= area.top()) {
        moveFrameTo(first, firstAt);
        moveFrameTo(second, firstAt + QPoint(0, a.height()));
    } else if (a.width() + b.width() <= area.width()) {
        moveFrameTo(first, {area.left(), area.bottom() + 1 - a.height()});
        moveFrameTo(second, {area.left() + a.width(), area.bottom() + 1 - b.height()});
    } else {
        // Cascaded: the first as close below the opener as leaves room for the second a title
        // bar further down and right.
        const int step = cascadeStep(second);
        QRect firstFrame = fitted(QRect(openerFrame.bottomLeft() + QPoint(0, 1), a), area);
        firstFrame.moveTop(std::max(area.top(), std::min(firstFrame.top(), area.bottom() + 1 - step - b.height())));
        firstFrame.moveLeft(std::max(area.left(), std::min(firstFrame.left(), area.right() + 1 - step - b.width())));
        moveFrameTo(first, firstFrame.topLeft());
        moveFrameTo(second, fitted(QRect(firstFrame.topLeft() + QPoint(step, step), b), area).topLeft());
    }
    showToolWindow(first);
    showToolWindow(second);
}

void SetTranslucent(QWidget *window, int opacity)
{
    window->setWindowOpacity(std::clamp(opacity, 0, 255) / 255.0);
}

int GetOptionIndex(const QList<QAbstractButton *> &group)
{
    for (qsizetype i = 0; i < group.size(); ++i) {
        if (group[i] && group[i]->isChecked())
            return int(i);
    }
    return -1;
}

QPoint frameBottomLeft(const QWidget *window)
{
    const QRect f = window->frameGeometry();
    return {f.x(), f.y() + f.height()};
}

QPoint frameTopRight(const QWidget *window)
{
    const QRect f = window->frameGeometry();
    return {f.x() + f.width(), f.y()};
}

QPoint frameBottomRight(const QWidget *window)
{
    const QRect f = window->frameGeometry();
    return {f.x() + f.width(), f.y() + f.height()};
}

void moveFrameTo(QWidget *window, QPoint topLeft)
{
    // move() places the frame's top-left corner for top-level windows.
    window->move(topLeft);
}

void focusFirstEntry(QWidget *window)
{
    // The first box to type into, in tab order; typed digits must not go to the window itself.
    for (QWidget *w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled())
            continue;
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    window->setFocus();
}

void showToolWindow(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    FitFormToScreen(window);
    const bool appearing = !window->isVisible();
    window->show();
    if (appearing)
        keepFrameOnScreen(window);
    window->raise();
    window->activateWindow();
    focusFirstEntry(window);
}

void showToolWindow(QWidget *window, QPoint placeIfHidden)
{
    if (!window->isVisible())
        placeWindow(window, placeIfHidden);
    showToolWindow(window);
}

void showUpdatedWindow(QWidget *window, QPoint placeIfHidden)
{
    if (window->isVisible() && !window->isMinimized())
        return;
    showToolWindow(window, placeIfHidden);
}

