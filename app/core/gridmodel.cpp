#include "core/gridmodel.h"

#include "core/viewexport.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPalette>
#include <QStyle>
#include <QToolTip>

namespace {
// Perceived brightness: pure green is light, pure red and blue are dark.
bool isDark(GridColor color)
{
    return (299 * qRed(color) + 587 * qGreen(color) + 114 * qBlue(color)) / 1000 < 128;
}
} // namespace

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent), m_stored(std::make_shared<GridData>())
{
    m_source = m_stored;
}

void GridModel::setGrid(GridData grid)
{
    beginResetModel();
    m_stored = std::make_shared<GridData>(std::move(grid));
    m_source = m_stored;
    endResetModel();
}

void GridModel::setSource(std::shared_ptr<const GridSource> source)
{
    if (!source)
        return;
    beginResetModel();
    m_stored.reset();
    m_source = std::move(source);
    endResetModel();
}

GridData *GridModel::editable(int row, int column)
{
    return m_stored && m_stored->contains(row, column) ? m_stored.get() : nullptr;
}

void GridModel::setRowCount(int rows)
{
    resizeStored(rows, m_source->columns());
}

void GridModel::setColumnCount(int columns)
{
    resizeStored(m_source->rows(), columns);
}

void GridModel::resizeStored(int rows, int columns)
{
    if (!m_stored)
        return;
    beginResetModel();
    m_stored->resize(rows, columns);
    endResetModel();
}

void GridModel::cellChanged(int row, int column, int role)
{
    const QModelIndex at = index(row, column);
    Q_EMIT dataChanged(at, at, {role});
}

void GridModel::setText(int row, int column, const QString &text)
{
    if (GridData *grid = editable(row, column)) {
        grid->setText(row, column, text);
        cellChanged(row, column, Qt::DisplayRole);
    }
}

void GridModel::setForeColor(int row, int column, GridColor color)
{
    if (GridData *grid = editable(row, column)) {
        grid->setForeColor(row, column, color);
        cellChanged(row, column, Qt::ForegroundRole);
    }
}

void GridModel::setBackColor(int row, int column, GridColor color)
{
    if (GridData *grid = editable(row, column)) {
        grid->setBackColor(row, column, color);
        cellChanged(row, column, Qt::BackgroundRole);
    }
}

void GridModel::setFixedRows(int rows)
{
    beginResetModel();
    m_fixedRows = std::max(rows, 0);
    endResetModel();
}

void GridModel::setFixedColumns(int columns)
{
    beginResetModel();
    m_fixedColumns = std::max(columns, 0);
    endResetModel();
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_source->rows();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_source->columns();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_source->text(r, c);
    case Qt::BackgroundRole:
        if (const QColor back = cellBackground(r, c); back.isValid())
            return back;
        return {};
    case Qt::ForegroundRole:
        if (const QColor fore = cellForeground(r, c); fore.isValid())
            return fore;
        return {};
    case Qt::TextAlignmentRole:
        // Cells are often narrower than their text: the start of it is what identifies it.
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QColor GridModel::cellBackground(int row, int column) const
{
    if (const GridColor back = m_source->backColor(row, column); back != kNoGridColor)
        return QColor::fromRgba(back);
    if (row < m_fixedRows || column < m_fixedColumns)
        return QGuiApplication::palette().color(QPalette::Button);
    return {};
}

QColor GridModel::cellForeground(int row, int column) const
{
    if (const GridColor fore = m_source->foreColor(row, column); fore != kNoGridColor)
        return QColor::fromRgba(fore);
    // Text on a dark shade would vanish in the default black.
    if (const GridColor back = m_source->backColor(row, column); back != kNoGridColor && isDark(back))
        return QColor(Qt::white);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

GridView::GridView(QWidget *parent) : QTableView(parent), m_model(new GridModel(this))
{
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setMouseTracking(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    ViewExport::enable(this);
}

void GridView::setCellSizes(int firstColumnWidth, int columnWidth, int firstRowHeight, int rowHeight)
{
    QHeaderView *columns = horizontalHeader();
    QHeaderView *rows = verticalHeader();
    columns->setDefaultSectionSize(std::max(columnWidth, 0));
    rows->setDefaultSectionSize(std::max(rowHeight, 0));
    // The default applies to existing sections too; only the label column and row differ.
    if (columns->count() > 0)
        columns->resizeSection(0, std::max(firstColumnWidth, 0));
    if (rows->count() > 0)
        rows->resizeSection(0, std::max(firstRowHeight, 0));
    // Lines around cells of a few pixels would cover the cells themselves.
    setShowGrid((columnWidth == 0 || columnWidth >= 4) && (rowHeight == 0 || rowHeight >= 4));
}

QSize GridView::availableCellArea() const
{
    return maximumViewportSize();
}

bool GridView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // The owner keeps the text of the cell under the pointer as the grid's tooltip.
        auto *help = static_cast<QHelpEvent *>(event);
        if (toolTip().isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), toolTip(), viewport());
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
        const QModelIndex at = indexAt(pos);
        if (at.isValid())
            Q_EMIT cellHovered(at.row(), at.column());
    }
    return QTableView::viewportEvent(event);
}

void GridView::paintEvent(QPaintEvent *event)
{
    const GridSource &cells = m_model->source();
    const int rows = cells.rows();
    const int columns = cells.columns();
    if (rows == 0 || columns == 0)
        return;
    const QRect area = event->rect();
    auto firstLast = [](int first, int last, int count) {
        return std::pair{first < 0 ? 0 : first, last < 0 ? count - 1 : last};
    };
    const auto [firstRow, lastRow] = firstLast(rowAt(area.top()), rowAt(area.bottom()), rows);
    const auto [firstColumn, lastColumn] = firstLast(columnAt(area.left()), columnAt(area.right()), columns);

    struct Span
    {
        int at;
        int size;
    };
    std::vector<Span> xs;
    xs.reserve(size_t(lastColumn - firstColumn + 1));
    for (int c = firstColumn; c <= lastColumn; ++c)
        xs.push_back({columnViewportPosition(c), columnWidth(c)});

    QPainter painter(viewport());
    const QColor base = palette().color(QPalette::Base);
    const QColor text = palette().color(QPalette::Text);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QColor lines = QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    if (lines.alpha() == 0)
        lines = palette().color(QPalette::Mid);
    const bool grid = showGrid();
    const int minTextHeight = fontMetrics().height() / 2;
    painter.fillRect(area, base);
    painter.setFont(font());
    for (int r = firstRow; r <= lastRow; ++r) {
        const int y = rowViewportPosition(r);
        const int h = rowHeight(r);
        if (h <= 0)
            continue;
        for (int c = firstColumn; c <= lastColumn; ++c) {
            const Span &x = xs[size_t(c - firstColumn)];
            if (x.size <= 0)
                continue;
            const QRect cell(x.at, y, x.size, h);
            if (const QColor back = m_model->cellBackground(r, c); back.isValid())
                painter.fillRect(cell, back);
            const QString label = cells.text(r, c);
            // Text a few pixels wide or high would only smear the colours.
            if (!label.isEmpty() && x.size >= 6 && h >= minTextHeight) {
                const QColor fore = m_model->cellForeground(r, c);
                painter.setPen(fore.isValid() ? fore : text);
                painter.drawText(cell.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, label);
            }
        }
    }
    if (grid) {
        painter.setPen(lines);
        const int right = xs.back().at + xs.back().size - 1;
        const int bottom = rowViewportPosition(lastRow) + rowHeight(lastRow) - 1;
        for (const Span &x : xs)
            painter.drawLine(x.at + x.size - 1, rowViewportPosition(firstRow), x.at + x.size - 1, bottom);
        for (int r = firstRow; r <= lastRow; ++r) {
            const int y = rowViewportPosition(r) + rowHeight(r) - 1;
            painter.drawLine(xs.front().at, y, right, y);
        }
    }
}

void GridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    Q_EMIT resized();
}
