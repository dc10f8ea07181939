#include "core/gridmodel.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QToolTip>

namespace {
// Perceived brightness: pure green is light, pure red and blue are dark.
bool isDark(GridColor color)
{
    return (299 * qRed(color) + 587 * qGreen(color) + 114 * qBlue(color)) / 1000 < 128;
}
} // namespace

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent) {}

void GridModel::setGrid(GridData grid)
{
    beginResetModel();
    m_grid = std::move(grid);
    endResetModel();
}

void GridModel::setRowCount(int rows)
{
    beginResetModel();
    m_grid.setRows(rows);
    endResetModel();
}

void GridModel::setColumnCount(int columns)
{
    beginResetModel();
    m_grid.setColumns(columns);
    endResetModel();
}

void GridModel::cellChanged(int row, int column, int role)
{
    const QModelIndex at = index(row, column);
    Q_EMIT dataChanged(at, at, {role});
}

void GridModel::setText(int row, int column, const QString &text)
{
    if (!m_grid.contains(row, column))
        return;
    m_grid.setText(row, column, text);
    cellChanged(row, column, Qt::DisplayRole);
}

void GridModel::setForeColor(int row, int column, GridColor color)
{
    if (!m_grid.contains(row, column))
        return;
    m_grid.setForeColor(row, column, color);
    cellChanged(row, column, Qt::ForegroundRole);
}

void GridModel::setBackColor(int row, int column, GridColor color)
{
    if (!m_grid.contains(row, column))
        return;
    m_grid.setBackColor(row, column, color);
    cellChanged(row, column, Qt::BackgroundRole);
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
    return parent.isValid() ? 0 : m_grid.rows();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid.columns();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_grid.text(r, c);
    case Qt::BackgroundRole:
        if (const GridColor back = m_grid.backColor(r, c); back != kNoGridColor)
            return QColor::fromRgba(back);
        if (r < m_fixedRows || c < m_fixedColumns)
            return QGuiApplication::palette().color(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (const GridColor fore = m_grid.foreColor(r, c); fore != kNoGridColor)
            return QColor::fromRgba(fore);
        // Text on a dark shade would vanish in the default black.
        if (const GridColor back = m_grid.backColor(r, c); back != kNoGridColor && isDark(back))
            return QColor(Qt::white);
        return {};
    case Qt::TextAlignmentRole:
        // Cells are often narrower than their text: the start of it is what identifies it.
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
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

void GridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    Q_EMIT resized();
}
