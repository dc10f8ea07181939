#include "core/viewexport.h"

#include "core/appfiles.h"
#include "core/filedialogs.h"
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

void copyTable(const TableRows &rows)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TableWriter tsv(&buffer, TableWriter::Format::Tsv);
    rows(tsv);
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

// The copy shortcut and a context menu with "コピー" (of `copied`) and "CSV で保存…" (of `saved`).
void addTableActions(QWidget *widget, const TableRows &copied, const TableRows &saved)
{
    auto *copy = new QAction(u"コピー"_s, widget);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, widget, [copied] { copyTable(copied); });
    auto *csv = new QAction(u"CSV で保存…"_s, widget);
    QObject::connect(csv, &QAction::triggered, widget, [widget, saved] { saveTable(widget->window(), saved); });
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
    copyTable(rowsOf(view, true));
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
    addTableActions(view, rowsOf(view, true), rowsOf(view, false));
}

void enable(QChartView *chart)
{
    auto *image = new QAction(u"画像で保存…"_s, chart);
    QObject::connect(image, &QAction::triggered, chart, [chart] { saveChartImage(chart->window(), chart); });
    chart->addAction(image);
    chart->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void enable(QWidget *grid, const std::function<const GridSource &()> &source)
{
    const TableRows rows = [source](TableWriter &out) {
        const GridSource &cells = source();
        for (int r = 0; r < cells.rows(); ++r) {
            for (int c = 0; c < cells.columns(); ++c)
                out.addCell(cells.text(r, c).trimmed());
            out.endRow();
        }
    };
    addTableActions(grid, rows, rows);
}

QAction *csvAction(QWidget *parent, QAbstractItemView *view)
{
    auto *action = new QAction(u"CSV で保存…"_s, parent);
    QObject::connect(action, &QAction::triggered, view, [view] { saveAsCsv(view->window(), view); });
    return action;
}

} // namespace ViewExport
