#pragma once

#include "core/griddata.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

#include <memory>

// A grid control's cells for a view: text, fore and back colour per cell, read from a grid
// source that stores them (GridData, which the owner edits through this model) or computes them.
// The first fixedRows() rows and fixedColumns() columns are label cells and look like headers,
// yet stay ordinary cells.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    const GridSource &source() const { return *m_source; }
    // The stored grid, or null while a computed source is shown.
    // Replaces every cell at once: one reset for the views, however large the grid.
    void setGrid(GridData grid);
    void setSource(std::shared_ptr<const GridSource> source);

    // Edits of a stored grid; ignored while a computed source is shown.

    void setRowCount(int rows);
    void setColumnCount(int columns);
    void setText(int row, int column, const QString &text);
    void setForeColor(int row, int column, GridColor color);
    void setBackColor(int row, int column, GridColor color);

    int fixedRows() const { return m_fixedRows; }
    int fixedColumns() const { return m_fixedColumns; }
    void setFixedRows(int rows);
    void setFixedColumns(int columns);

    // The colours a cell is drawn in; invalid where the view's own colours apply.
    QColor cellBackground(int row, int column) const;
    QColor cellForeground(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void cellChanged(int row, int column, int role);

    GridData *editable(int row, int column);
    void resizeStored(int rows, int columns);

    std::shared_ptr<const GridSource> m_source;
    std::shared_ptr<GridData> m_stored;
    int m_fixedRows = 1;
    int m_fixedColumns = 1;
};

// Shows a GridModel without the view's own headers: row 0 and column 0 of the model are the
// grid's label cells. Reports the cell under the pointer and shows its own tooltip text.
class GridView : public QTableView
{
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    GridModel *gridModel() const { return m_model; }
    const GridSource &source() const { return m_model->source(); }

    // Gives every column `width` and every row `height` pixels, then column 0 and row 0 their
    // own sizes. Fast for thousands of columns.
    void setCellSizes(int firstColumnWidth, int columnWidth, int firstRowHeight, int rowHeight);
    // Width and height the cells may take without scroll bars.
    QSize availableCellArea() const;
    // The cell at a point, the label rows and columns (which stay while the rest scrolls) included.
    QModelIndex indexAt(const QPoint &pos) const override;

Q_SIGNALS:
    void cellHovered(int row, int column);
    void resized();

protected:
    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Paints the visible cells straight from the source: a grid of a few thousand draws by a
    // hundred rows, or millions of computed rows, is far too many cells to draw one item at a time.
    void paintEvent(QPaintEvent *event) override;

private:
    // Size of the label columns and rows that stay in place while scrolling.
    int fixedBandWidth() const;
    int fixedBandHeight() const;

    GridModel *m_model;
};
