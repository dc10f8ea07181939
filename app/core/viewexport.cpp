#include "core/viewexport.h"

#include "core/appfiles.h"
#include "core/filedialogs.h"
#include "core/gridexport.h"
#include "core/gridsource.h"
#include "core/messages.h"
#include "core/tablewriter.h"

#include <QAction>
#include <QBuffer>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>
#include <QTreeView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ViewExport {

namespace {
bool columnShown(const QAbstractItemView *view, int column)
{
    if (const auto *tree = qobject_cast<const QTreeView *>(view))
        return !tree->isColumnHidden(column) && tree->columnWidth(column) > 0;
    return true;
}

bool saveFile(QWidget *parent, const QString &path, const std::function<bool(QIODevice &file)> &write)
{
    const bool written = AppFiles::writeFile(path, write);
    if (!written)
        Messages::warn(parent, AppFiles::writeFailedText(path));
    return written;
}

// Writes every row of a table to the writer given.
using TableRows = std::function<void(TableWriter &out)>;

void copyText(const std::function<void(QIODevice &device)> &write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    QApplication::clipboard()->setText(QString::fromUtf8(bytes));
}

bool saveTable(QWidget *parent, const TableRows &rows)
{
    const QString path = FileDialogs::getSaveFileName(parent, u"CSV ファイル|*.csv|すべてのファイル|*.*"_s, {},
                                                      u"CSV で保存"_s);
    if (path.isEmpty())
        return false;
    return saveFile(parent, path, [&rows](QIODevice &file) {
        TableWriter csv(&file, TableWriter::Format::Csv);
        rows(csv);
        return csv.ok();
    });
}

TableRows rowsOf(const QAbstractItemView *view, bool selectedOnly)
{
    return [view, selectedOnly](TableWriter &out) {
        for (const QStringList &row : rows(view, selectedOnly))
            out.writeRow(row);
    };
}

// The copy shortcut and a context menu with "コピー" and "CSV で保存…".
void addTableActions(QWidget *widget, const std::function<void()> &copied, const std::function<void()> &saved)
{
    auto *copy = new QAction(u"コピー"_s, widget);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, widget, copied);
    auto *csv = new QAction(u"CSV で保存…"_s, widget);
    QObject::connect(csv, &QAction::triggered, widget, saved);
    widget->addAction(copy);
    widget->addAction(csv);
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
}
} // namespace

QList<QStringList> rows(const QAbstractItemView *view, bool selectedOnly)
{
    QList<QStringList> out;
    const QAbstractItemModel *model = view->model();
    if (!model)
        return out;
    QList<int> columns;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (columnShown(view, c))
            columns.append(c);
    }
    QStringList header;
    for (const int c : std::as_const(columns))
        header.append(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().trimmed());
    out.append(header);
    QList<int> rowNumbers;
    if (selectedOnly && view->selectionModel()) {
        for (const QModelIndex &index : view->selectionModel()->selectedRows())
            rowNumbers.append(index.row());
        std::sort(rowNumbers.begin(), rowNumbers.end());
    }
    if (rowNumbers.isEmpty()) {
        for (int r = 0; r < model->rowCount(); ++r)
            rowNumbers.append(r);
    }
    for (const int r : std::as_const(rowNumbers)) {
        QStringList cells;
        cells.reserve(columns.size());
        for (const int c : std::as_const(columns))
            cells.append(model->index(r, c).data(Qt::DisplayRole).toString().trimmed());
        out.append(cells);
    }
    return out;
}

void copyToClipboard(const QAbstractItemView *view)
{
    copyText([view](QIODevice &device) {
        TableWriter tsv(&device, TableWriter::Format::Tsv);
        rowsOf(view, true)(tsv);
    });
}

void copyToClipboard(QWidget *parent, const GridSource &grid)
{
    if (qint64(grid.rows()) * grid.columns() > kMaxCopyCells) {
        Messages::warn(parent, u"コピーする行が多すぎます（%1行）。「CSV で保存…」をお使いください。"_s.arg(grid.rows() - 1));
        return;
    }
    copyText([&grid](QIODevice &device) { GridExport::write(grid, GridExport::Form::Tsv, device); });
}

bool saveAsCsv(QWidget *parent, const QAbstractItemView *view)
{
    return saveTable(parent, rowsOf(view, false));
}

bool saveChartImage(QWidget *parent, QChartView *chart)
{
    const QString path = FileDialogs::getSaveFileName(parent, u"PNG 画像|*.png|SVG 画像|*.svg"_s, {},
                                                      u"画像で保存"_s);
    if (path.isEmpty())
        return false;
    return saveFile(parent, path, [&](QIODevice &file) {
        if (QFileInfo(path).suffix().compare(u"svg"_s, Qt::CaseInsensitive) != 0)
            return chart->grab().save(&file, "PNG");
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(chart->size());
        svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
        svg.setTitle(chart->window()->windowTitle());
        QPainter painter(&svg);
        chart->render(&painter);
        return painter.end();
    });
}

void enable(QAbstractItemView *view)
{
    addTableActions(view, [view] { copyToClipboard(view); }, [view] { saveAsCsv(view->window(), view); });
}

void enable(QChartView *chart)
{
    auto *image = new QAction(u"画像で保存…"_s, chart);
    QObject::connect(image, &QAction::triggered, chart, [chart] { saveChartImage(chart->window(), chart); });
    chart->addAction(image);
    chart->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void enable(QWidget *grid, const std::function<const GridSource &()> &source, const std::function<void()> &saveCsv)
{
    addTableActions(grid, [grid, source] { copyToClipboard(grid->window(), source()); }, saveCsv);
}

QAction *csvAction(QWidget *parent, QAbstractItemView *view)
{
    auto *action = new QAction(u"CSV で保存…"_s, parent);
    QObject::connect(action, &QAction::triggered, view, [view] { saveAsCsv(view->window(), view); });
    return action;
}

} // namespace ViewExport
