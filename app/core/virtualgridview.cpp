#include "core/virtualgridview.h"

#include "core/appfiles.h"
#include "core/backgroundtask.h"
#include "core/filedialogs.h"
#include "core/formhelpers.h"
#include "core/messages.h"
#include "core/taskprogress.h"
#include "core/viewexport.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QStyleOption>
#include <QToolTip>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int kTextPadding = 8;
constexpr int kColumnPadding = 5;
// Saves that end sooner show no progress dialog.

// The one label cell a grid shows before it has anything else.
class EmptyGrid final : public GridSource
{
public:
    int rows() const override { return 1; }
    int columns() const override { return 1; }
    QString text(int, int) const override { return {}; }
};
} // namespace

VirtualGridView::VirtualGridView(QWidget *parent)
    : QAbstractScrollArea(parent), m_source(std::make_shared<EmptyGrid>()), m_save(new BackgroundTask(this))
{
    viewport()->setMouseTracking(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    ViewExport::enable(this, [this]() -> const GridSource & { return source(); },
                       [this] { askAndSave(GridExport::Form::Csv); });
    m_ticketSave = new QAction(u"数字の並びで保存…"_s, this);
    m_ticketSave->setVisible(false);
    connect(m_ticketSave, &QAction::triggered, this, [this] { askAndSave(GridExport::Form::Tickets); });
    addAction(m_ticketSave);

    m_saveProgress = new TaskProgress(this, m_save, u"保存中です。"_s);
    // A failed save ends without a result.
    connect(m_save, &BackgroundTask::finished, this, [this] {
        if (!m_save->error().isEmpty())
            saveEnded(false);
    });
}

void VirtualGridView::setSource(std::shared_ptr<const GridSource> source, bool keepPlace)
{
    m_source = source ? std::move(source) : std::make_shared<EmptyGrid>();
    m_ticketSave->setVisible(m_source->rowsAreTickets());
    if (!keepPlace) {
        verticalScrollBar()->setValue(0);
        horizontalScrollBar()->setValue(0);
    }
    fitCells();
}

void VirtualGridView::setCellSizes(const CellSizes &sizes)
{
    m_ownerSizes = sizes;
    fitCells();
}

void VirtualGridView::setTableLook(bool table)
{
    m_tableLook = table;
    viewport()->update();
}

void VirtualGridView::refresh()
{
    fitCells();
}

int VirtualGridView::bodyRows() const
{
    return std::max(m_source->rows() - 1, 0);
}

int VirtualGridView::bodyColumns() const
{
    return std::max(m_source->columns() - 1, 0);
}

VirtualGridView::CellSizes VirtualGridView::cellSizes() const
{
    if (m_ownerSizes)
        return *m_ownerSizes;
    const QFontMetrics metrics = fontMetrics();
    CellSizes sizes;
    sizes.minimumRowHeight = metrics.height() + 2;
    sizes.headerRowHeight = std::max(twipsToPixels(200), sizes.minimumRowHeight);
    // The label column holds the row numbers, up to seven digits for the biggest pools.
    sizes.labelColumnWidth =
        std::max({twipsToPixels(300), metrics.horizontalAdvance(m_source->text(bodyRows(), 0)) + kTextPadding,
                  metrics.horizontalAdvance(m_source->text(0, 0)) + kTextPadding});
    // Body columns are named by numbers of up to two digits; 43 of them fit a window of 1000 pixels.
    sizes.minimumColumnWidth = metrics.horizontalAdvance(QStringLiteral("00")) + kColumnPadding;
    for (int c = 1; c <= bodyColumns(); ++c)
        sizes.minimumColumnWidth =
            std::max(sizes.minimumColumnWidth, metrics.horizontalAdvance(m_source->text(0, c)) + kColumnPadding);
    return sizes;
}

void VirtualGridView::fitCells()
{
    const CellSizes sizes = cellSizes();
    const int rows = bodyRows();
    const int columns = bodyColumns();
    const int minRow = sizes.minimumRowHeight;
    const int minColumn = sizes.minimumColumnWidth;
    m_labelWidth = sizes.labelColumnWidth;
    m_headerHeight = sizes.headerRowHeight;

    // The area inside the frame, scroll bars not taken off yet.
    const QSize area = contentsRect().size();
    const int verticalBar = verticalScrollBar()->sizeHint().width();
    const int horizontalBar = horizontalScrollBar()->sizeHint().height();
    int width = area.width() - m_labelWidth;
    int height = area.height() - m_headerHeight;
    bool vertical = rows > 0 && qint64(rows) * minRow > height;
    if (vertical)
        width -= verticalBar;
    const bool horizontal = columns > 0 && qint64(columns) * minColumn > width;
    if (horizontal) {
        height -= horizontalBar;
        if (!vertical && rows > 0 && qint64(rows) * minRow > height) {
            vertical = true;
            width -= verticalBar;
        }
    }
    m_body = QSize(std::max(width, 0), std::max(height, 0));
    m_columnWidth = columns > 0 ? std::max(minColumn, m_body.width() / columns) : 0;
    m_rowHeight = rows > 0 ? std::max(minRow, m_body.height() / rows) : 0;

    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const int shownRows = visibleRowCount();
    verticalScrollBar()->setRange(0, std::max(rows - shownRows, 0));
    verticalScrollBar()->setPageStep(std::max(shownRows, 1));
    const int shownColumns = m_columnWidth > 0 ? std::max(m_body.width() / m_columnWidth, 1) : 1;
    horizontalScrollBar()->setRange(0, std::max(columns - shownColumns, 0));
    horizontalScrollBar()->setPageStep(shownColumns);
    viewport()->update();
}

int VirtualGridView::firstVisibleRow() const
{
    return 1 + verticalScrollBar()->value();
}

int VirtualGridView::firstVisibleColumn() const
{
    return 1 + horizontalScrollBar()->value();
}

int VirtualGridView::visibleRowCount() const
{
    if (m_rowHeight <= 0)
        return 0;
    return std::min(std::max(m_body.height() / m_rowHeight, 1), bodyRows());
}

void VirtualGridView::scrollToRow(int row)
{
    QScrollBar *bar = verticalScrollBar();
    const int first = firstVisibleRow();
    if (row < first)
        bar->setValue(row - 1);
    else if (row >= first + visibleRowCount())
        bar->setValue(row - visibleRowCount());
}

int VirtualGridView::cellX(int column) const
{
    return column == 0 ? 0 : m_labelWidth + (column - firstVisibleColumn()) * m_columnWidth;
}

int VirtualGridView::cellY(int row) const
{
    return row == 0 ? 0 : m_headerHeight + (row - firstVisibleRow()) * m_rowHeight;
}

VirtualGridView::Cell VirtualGridView::cellAt(QPoint point) const
{
    if (point.x() < 0 || point.y() < 0)
        return {};
    Cell cell;
    if (point.x() < m_labelWidth)
        cell.column = 0;
    else if (m_columnWidth > 0)
        cell.column = firstVisibleColumn() + (point.x() - m_labelWidth) / m_columnWidth;
    if (point.y() < m_headerHeight)
        cell.row = 0;
    else if (m_rowHeight > 0)
        cell.row = firstVisibleRow() + (point.y() - m_headerHeight) / m_rowHeight;
    if (!m_source->contains(cell.row, cell.column))
        return {};
    return cell;
}

QRect VirtualGridView::cellRect(int row, int column) const
{
    if (!m_source->contains(row, column) || (row > 0 && row < firstVisibleRow())
        || (column > 0 && column < firstVisibleColumn()))
        return {};
    const QRect rect(cellX(column), cellY(row), column == 0 ? m_labelWidth : m_columnWidth,
                     row == 0 ? m_headerHeight : m_rowHeight);
    return rect.intersects(viewport()->rect()) ? rect : QRect();
}

void VirtualGridView::paintCell(QPainter &painter, int row, int column, const QRect &rect) const
{
    const bool label = row == 0 || column == 0;
    const GridColor back = m_source->backColor(row, column);
    if (back != kNoGridColor)
        painter.fillRect(rect, QColor::fromRgba(back));
    else if (label)
        painter.fillRect(rect, palette().color(QPalette::Button));
    const QString text = m_source->text(row, column);
    if (text.isEmpty() || rect.width() < 6)
        return;
    QColor pen;
    if (const GridColor fore = m_source->foreColor(row, column); fore != kNoGridColor)
        pen = QColor::fromRgba(fore);
    else if (back != kNoGridColor && isDarkGridColor(back))
        pen = Qt::white;
    else
        pen = palette().color(label ? QPalette::ButtonText : QPalette::Text);
    painter.setPen(pen);
    painter.drawText(rect.adjusted(m_tableLook ? 2 : 3, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

QColor VirtualGridView::lineColor() const
{
    if (m_tableLook) {
        QStyleOption option;
        option.initFrom(this);
        const QColor table = QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
        if (table.alpha() > 0)
            return table;
    }
    return palette().color(QPalette::Mid);
}

void VirtualGridView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, palette().color(QPalette::Base));
    const int rows = m_source->rows();
    const int columns = m_source->columns();

    // The rows and columns in view: the label row and column, then the body from the scroll position.
    QList<int> shownRows{0};
    for (int r = firstVisibleRow(); r < rows && cellY(r) < area.height(); ++r)
        shownRows.append(r);
    QList<int> shownColumns{0};
    for (int c = firstVisibleColumn(); c < columns && cellX(c) < area.width(); ++c)
        shownColumns.append(c);

    for (const int r : std::as_const(shownRows)) {
        const int y = cellY(r);
        const int h = r == 0 ? m_headerHeight : m_rowHeight;
        for (const int c : std::as_const(shownColumns))
            paintCell(painter, r, c, QRect(cellX(c), y, c == 0 ? m_labelWidth : m_columnWidth, h));
    }

    painter.setPen(lineColor());
    const int right = cellX(shownColumns.last()) + (shownColumns.size() == 1 ? m_labelWidth : m_columnWidth) - 1;
    const int bottom = cellY(shownRows.last()) + (shownRows.size() == 1 ? m_headerHeight : m_rowHeight) - 1;
    for (const int c : std::as_const(shownColumns)) {
        const int x = cellX(c) + (c == 0 ? m_labelWidth : m_columnWidth) - 1;
        painter.drawLine(x, 0, x, bottom);
    }
    for (const int r : std::as_const(shownRows)) {
        const int y = cellY(r) + (r == 0 ? m_headerHeight : m_rowHeight) - 1;
        painter.drawLine(0, y, right, y);
    }
}

bool VirtualGridView::viewportEvent(QEvent *event)
{
    // The owner keeps the tooltip as the text of the cell under the pointer.
    if (event->type() == QEvent::ToolTip) {
        if (toolTip().isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), toolTip(), viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void VirtualGridView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    fitCells();
}

void VirtualGridView::mouseMoveEvent(QMouseEvent *event)
{
    if (const Cell cell = cellAt(event->position().toPoint()); cell.isValid())
        Q_EMIT cellHovered(cell.row, cell.column);
    QAbstractScrollArea::mouseMoveEvent(event);
}

void VirtualGridView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (const Cell cell = cellAt(event->position().toPoint()); cell.isValid())
            Q_EMIT cellClicked(cell.row, cell.column);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void VirtualGridView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Home:
        verticalScrollBar()->setValue(0);
        return;
    case Qt::Key_End:
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void VirtualGridView::hideEvent(QHideEvent *event)
{
    // A window closed while saving takes the save with it: no file, no message.
    if (!event->spontaneous() && !window()->isVisible() && m_save->isRunning()) {
        m_save->drop();
        m_saveProgress->finish();
    }
    QAbstractScrollArea::hideEvent(event);
}

bool VirtualGridView::isSaving() const
{
    return m_save->isRunning();
}

QProgressDialog *VirtualGridView::saveProgress() const
{
    return m_saveProgress->dialog();
}

void VirtualGridView::askAndSave(GridExport::Form form)
{
    if (isSaving())
        return;
    const bool csv = form == GridExport::Form::Csv;
    const QString path = FileDialogs::getSaveFileName(
        window(), csv ? u"CSV ファイル|*.csv|すべてのファイル|*.*"_s : u"テキスト ファイル|*.txt|すべてのファイル|*.*"_s, {},
        csv ? u"CSV で保存"_s : u"数字の並びで保存"_s);
    if (!path.isEmpty())
        saveRows(path, form);
}

bool VirtualGridView::saveRows(const QString &path, GridExport::Form form)
{
    if (isSaving())
        return false;
    // The worker reads a snapshot of its own: the window goes on reading, changing or replacing
    // its source meanwhile.
    m_save->start(
        [grid = m_source->snapshot(), path, form](BackgroundTask::Run &run) {
            GridExport::Options options;
            options.cancel = run.cancelFlag();
            options.progress = [&run](qint64 done, qint64 total) { run.setProgress(done, total); };
            // Cancelled, the temporary file goes and the file keeps what it held.
            const bool written = AppFiles::writeFile(path, [&](QIODevice &file) {
                return GridExport::write(*grid, form, file, options) && !run.isCancelled();
            });
            if (!written && !run.isCancelled())
                run.fail(AppFiles::writeFailedText(path));
            return written;
        },
        [this](bool written) { saveEnded(written); });
    m_saveProgress->start();
    return true;
}

void VirtualGridView::saveEnded(bool saved)
{
    m_saveProgress->finish();
    if (const QString error = m_save->error(); !error.isEmpty())
        Messages::warn(window(), error);
    Q_EMIT saveFinished(saved);
}

void VirtualGridView::scrollContentsBy(int, int)
{
    viewport()->update();
}
