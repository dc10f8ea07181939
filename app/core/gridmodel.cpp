#include "core/gridmodel.h"

#include "core/viewexport.h"
#include "core/widgets.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPalette>
#include <QStyle>

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
    if (const GridColor back = m_source->backColor(row, column); back != kNoGridColor && isDarkGridColor(back))
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
    if (answerToolTip(this, event))
        return true;
    if (event->type() == QEvent::MouseMove) {
        const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
        const QModelIndex at = indexAt(pos);
        if (at.isValid())
            Q_EMIT cellHovered(at.row(), at.column());
    }
    return QTableView::viewportEvent(event);
}

int GridView::fixedBandWidth() const
{
    int width = 0;
    for (int c = 0; c < std::min(m_model->fixedColumns(), m_model->columnCount()); ++c)
        width += columnWidth(c);
    return width;
}

int GridView::fixedBandHeight() const
{
    int height = 0;
    for (int r = 0; r < std::min(m_model->fixedRows(), m_model->rowCount()); ++r)
        height += rowHeight(r);
    return height;
}

QModelIndex GridView::indexAt(const QPoint &pos) const
{
    // The label rows and columns stay in place while the rest scrolls beneath them.
    QModelIndex at = QTableView::indexAt(pos);
    int row = at.isValid() ? at.row() : -1;
    int column = at.isValid() ? at.column() : -1;
    if (pos.y() >= 0 && pos.y() < fixedBandHeight())
        row = QTableView::rowAt(pos.y() + verticalOffset());
    if (pos.x() >= 0 && pos.x() < fixedBandWidth())
        column = QTableView::columnAt(pos.x() + horizontalOffset());
    return row >= 0 && column >= 0 ? m_model->index(row, column) : QModelIndex();
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
    const int fixedRows = std::min(m_model->fixedRows(), rows);
    const int fixedColumns = std::min(m_model->fixedColumns(), columns);

    struct Span
    {
        int index;
        int at;
        int size;
    };
    // Scrolled cells where they are, then the label rows and columns at their unscrolled places
    // over them.
    std::vector<Span> xs;
    std::vector<Span> ys;
    std::vector<Span> fixedXs;
    std::vector<Span> fixedYs;
    for (int c = firstColumn; c <= lastColumn; ++c)
        xs.push_back({c, columnViewportPosition(c), columnWidth(c)});
    for (int r = firstRow; r <= lastRow; ++r)
        ys.push_back({r, rowViewportPosition(r), rowHeight(r)});
    for (int c = 0; c < fixedColumns; ++c)
        fixedXs.push_back({c, columnViewportPosition(c) + horizontalOffset(), columnWidth(c)});
    for (int r = 0; r < fixedRows; ++r)
        fixedYs.push_back({r, rowViewportPosition(r) + verticalOffset(), rowHeight(r)});

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

    auto paintCell = [&](const Span &y, const Span &x) {
        if (x.size <= 0 || y.size <= 0)
            return;
        const QRect cell(x.at, y.at, x.size, y.size);
        const int r = y.index;
        const int c = x.index;
        const QColor back = m_model->cellBackground(r, c);
        painter.fillRect(cell, back.isValid() ? back : base);
        const QString label = cells.text(r, c);
        // Text a few pixels wide or high would only smear the colours.
        if (!label.isEmpty() && x.size >= 6 && y.size >= minTextHeight) {
            const QColor fore = m_model->cellForeground(r, c);
            painter.setPen(fore.isValid() ? fore : text);
            painter.drawText(cell.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, label);
        }
        if (grid) {
            painter.setPen(lines);
            painter.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
            painter.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        }
    };
    for (const Span &y : ys) {
        for (const Span &x : xs)
            paintCell(y, x);
    }
    if (verticalOffset() > 0 || horizontalOffset() > 0) {
        for (const Span &y : ys) {
            for (const Span &x : fixedXs)
                paintCell(y, x);
        }
        for (const Span &y : fixedYs) {
            for (const Span &x : xs)
                paintCell(y, x);
        }
        for (const Span &y : fixedYs) {
            for (const Span &x : fixedXs)
                paintCell(y, x);
        }
    }
}

void GridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    Q_EMIT resized();
}
