#include "core/viewexport.h"

#include "core/appfiles.h"
#include "core/filedialogs.h"
#include "core/gridsource.h"
#include "core/messages.h"
#include "core/tabletext.h"

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

bool saveFile(QWidget *parent, const QString &path, const QByteArray &bytes)
{
    const bool written = AppFiles::writeFile(path, bytes);
    if (!written)
        Messages::warn(parent, AppFiles::writeFailedText(path));
    return written;
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
    QApplication::clipboard()->setText(TableText::tsv(rows(view, true)));
}

bool saveAsCsv(QWidget *parent, const QAbstractItemView *view)
{
    const QString path = FileDialogs::getSaveFileName(parent, u"CSV ファイル|*.csv|すべてのファイル|*.*"_s, {},
                                                      u"CSV で保存"_s);
    if (path.isEmpty())
        return false;
    return saveFile(parent, path, TableText::csvFile(rows(view, false)));
}

bool saveChartImage(QWidget *parent, QChartView *chart)
{
    const QString path = FileDialogs::getSaveFileName(parent, u"PNG 画像|*.png|SVG 画像|*.svg"_s, {},
                                                      u"画像で保存"_s);
    if (path.isEmpty())
        return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(u"svg"_s, Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(chart->size());
        svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
        svg.setTitle(chart->window()->windowTitle());
        QPainter painter(&svg);
        chart->render(&painter);
        painter.end();
    } else {
        chart->grab().save(&buffer, "PNG");
    }
    return saveFile(parent, path, buffer.data());
}

void enable(QAbstractItemView *view)
{
    auto *copy = new QAction(u"コピー"_s, view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, view, [view] { copyToClipboard(view); });
    view->addAction(copy);
    QAction *csv = csvAction(view, view);
    view->addAction(csv);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
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
    auto cellsOf = [source](int row) {
        const GridSource &cells = source();
        QStringList out;
        out.reserve(cells.columns());
        for (int c = 0; c < cells.columns(); ++c)
            out.append(cells.text(row, c).trimmed());
        return out;
    };
    auto *copy = new QAction(u"コピー"_s, grid);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, grid, [source, cellsOf] {
        QString text;
        for (int r = 0; r < source().rows(); ++r) {
            text += TableText::tsvLine(cellsOf(r));
            text += u'\n';
        }
        QApplication::clipboard()->setText(text);
    });
    auto *csv = new QAction(u"CSV で保存…"_s, grid);
    QObject::connect(csv, &QAction::triggered, grid, [grid, source, cellsOf] {
        const QString path = FileDialogs::getSaveFileName(grid->window(), u"CSV ファイル|*.csv|すべてのファイル|*.*"_s, {},
                                                          u"CSV で保存"_s);
        if (path.isEmpty())
            return;
        QByteArray bytes("\xEF\xBB\xBF");
        for (int r = 0; r < source().rows(); ++r) {
            bytes += TableText::csvLine(cellsOf(r)).toUtf8();
            bytes += "\r\n";
        }
        saveFile(grid->window(), path, bytes);
    });
    grid->addAction(copy);
    grid->addAction(csv);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QAction *csvAction(QWidget *parent, QAbstractItemView *view)
{
    auto *action = new QAction(u"CSV で保存…"_s, parent);
    QObject::connect(action, &QAction::triggered, view, [view] { saveAsCsv(view->window(), view); });
    return action;
}

} // namespace ViewExport
