#pragma once

#include "core/gridexport.h"
#include "core/gridsource.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

class BackgroundTask;
class QProgressDialog;
class TaskProgress;

// A grid of uniform cells over any number of rows, painted straight from its source. The label
// row 0 and column 0 stay in place while the body scrolls by whole rows and columns; nothing is
// kept per row, so a source of millions of computed rows costs what a source of ten does. Cells
// share out the visible area as long as they stay readable; below that they keep a readable size
// and the grid scrolls. Ctrl+C and "CSV で保存…" give every row of the source, and a grid of
// tickets also saves them as lines of numbers ("数字の並びで保存…").
class VirtualGridView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    struct Cell
    {
        int row = -1;
        int column = -1;
        bool isValid() const { return row >= 0 && column >= 0; }
    };

    // The label column and header row, and the smallest body cell before the grid scrolls.
    struct CellSizes
    {
        int labelColumnWidth = 0;
        int headerRowHeight = 0;
        int minimumColumnWidth = 0;
        int minimumRowHeight = 0;
    };

    explicit VirtualGridView(QWidget *parent = nullptr);

    const GridSource &source() const { return *m_source; }
    // A new grid, shown from its first row, or from where the old one was scrolled to.
    void setSource(std::shared_ptr<const GridSource> source, bool keepPlace = false);
    // The same grid changed (cells, rows or columns): fitted again, the scroll position kept.
    void refresh();
    // Shares the visible area out among the cells again; done on every resize.
    void fitCells();

    // Until the owner sets them, the sizes follow the font and the label texts: row numbers of
    // up to seven digits, columns named by numbers of up to two.
    CellSizes cellSizes() const;
    void setCellSizes(const CellSizes &sizes);
    // Lines in the style's colour for tables and text 2 pixels in, as the trend grid has always
    // looked; otherwise lines in the palette's mid colour and text 3 pixels in.
    void setTableLook(bool table);

    int labelColumnWidth() const { return m_labelWidth; }
    int columnWidth() const { return m_columnWidth; }
    int headerRowHeight() const { return m_headerHeight; }
    int rowHeight() const { return m_rowHeight; }

    // The first body row and column shown (grid coordinates, so 1 at the top).
    int firstVisibleRow() const;
    int firstVisibleColumn() const;
    // Body rows shown whole.
    int visibleRowCount() const;
    void scrollToRow(int row);

    // The cell at a point of the viewport; invalid outside the cells.
    Cell cellAt(QPoint point) const;
    // Where a cell is painted in the viewport; empty when it is scrolled out of view.
    QRect cellRect(int row, int column) const;
    // The left edge of a column and the top edge of a row in the viewport, left of or above it
    // when scrolled out of view.
    int cellX(int column) const;
    int cellY(int row) const;

    // Writes every row of the grid as it is now to `path` on a thread of its own, so the window
    // stays responsive however many rows there are; a progress dialog with Cancel shows when it
    // takes more than a moment. The file is written whole or not at all; a failure is told in a
    // message box, and closing the window drops the save. Refused (false) while one goes.
    bool saveRows(const QString &path, GridExport::Form form);
    bool isSaving() const;
    // The progress dialog while it is shown.
    QProgressDialog *saveProgress() const;

Q_SIGNALS:
    void cellHovered(int row, int column);
    void cellClicked(int row, int column);
    // A save ended: the file written (true), or left as it was (cancelled or failed).
    void saveFinished(bool saved);

protected:
    bool viewportEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int bodyRows() const;
    int bodyColumns() const;
    void paintCell(QPainter &painter, int row, int column, const QRect &rect) const;
    QColor lineColor() const;
    // The context menu's save entries: a file name asked for, then saveRows.
    void askAndSave(GridExport::Form form);
    void saveEnded(bool saved);

    std::shared_ptr<const GridSource> m_source;
    std::optional<CellSizes> m_ownerSizes;
    bool m_tableLook = false;
    int m_labelWidth = 0;
    int m_columnWidth = 0;
    int m_headerHeight = 0;
    int m_rowHeight = 0;
    QSize m_body;  // the viewport area right and below the label cells
    QAction *m_ticketSave = nullptr;
    BackgroundTask *m_save = nullptr;
    TaskProgress *m_saveProgress = nullptr;
};
