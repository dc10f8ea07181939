#include "core/formhelpers.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {
// Space a cell needs beside its text (left and right item margins).
constexpr int kCellMargin = 12;
constexpr int kNarrowPixels = 180 / kTwipsPerPixel;

// Summing cached glyph advances is far cheaper than laying out every cell text, and exact for
// the digits and blanks that fill nearly every cell.
class AdvanceCache
{
public:
    explicit AdvanceCache(const QFontMetrics &metrics) : m_metrics(metrics) { m_ascii.fill(-1); }

    int width(const QString &text)
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
    const QAbstractItemModel *model = list->model();
    if (!model)
        return;
    // Hidden columns are 0 wide, below the header's usual minimum.
    list->header()->setMinimumSectionSize(0);
    AdvanceCache cache(list->fontMetrics());
    const int columns = model->columnCount();
    for (int c = 0; c < columns; ++c) {
        int widest = 0;
        for (int r = 0; r < rows; ++r) {
            const QString text = cellText(r, c);
            if (!text.isEmpty())
                widest = std::max(widest, cache.width(text));
        }
        int width = widest + kCellMargin;
        if (hideNarrow && width <= kNarrowPixels)
            width = narrowWidth;
        list->setColumnWidth(c, width);
    }
}

void FitFormToScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QPoint pos = window->pos();
    if (pos.x() > area.x() + area.width() - 32)
        pos.setX(area.x() + area.width() - 32);
    if (pos.y() > area.y() + area.height() - 32)
        pos.setY(area.y() + area.height() - 32);
    if (pos != window->pos())
        window->move(pos);
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

void showToolWindow(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    FitFormToScreen(window);
    window->show();
    window->raise();
    window->activateWindow();
    window->setFocus();
}

void showToolWindow(QWidget *window, QPoint placeIfHidden)
{
    if (!window->isVisible())
        moveFrameTo(window, placeIfHidden);
    showToolWindow(window);
}
