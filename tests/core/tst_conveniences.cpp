// What every window offers beyond its own work: copying and saving lists, grids and charts,
// the keyboard conventions, and the main window's hints.
#include "core/formmain.h"
#include "core/program.h"
#include "core/viewexport.h"
#include "graphs/formgraph.h"
#include "graphs/formgraph2.h"
#include "graphs/graphsfeature.h"
#include "lookups/formsearch.h"
#include "lookups/lookupsfeature.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace testsupport;

namespace {
// A plain reading of CSV (RFC 4180), written apart from the writer it checks.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(cell);
            cell.clear();
        } else if (c == u'\r') {
            continue;
        } else if (c == u'\n') {
            row.append(cell);
            rows.append(row);
            row.clear();
            cell.clear();
        } else {
            cell += c;
        }
    }
    return rows;
}

// What the main window's list shows, trimmed, without its hidden column: header, then rows.
QList<QStringList> shownRows(const FormMain &w, const QList<int> &rows)
{
    const QAbstractItemModel *model = w.ListView1()->model();
    QList<QStringList> out;
    QStringList header;
    for (int c = 1; c < model->columnCount(); ++c)
        header.append(model->headerData(c, Qt::Horizontal).toString());
    out.append(header);
    for (const int r : rows) {
        QStringList cells;
        for (int c = 1; c < model->columnCount(); ++c)
            cells.append(w.table().cellText(r, c).trimmed());
        out.append(cells);
    }
    return out;
}

// A key typed into a widget of the active window (shortcuts answer only there).
void press(QWidget *target, QKeyCombination keys)
{
    QWidget *window = target->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
    target->setFocus();
    QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
}
} // namespace

class TestConveniences : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void copyAndCsvOfTheDrawList()
    {
        MessageRecorder messages;
        QTemporaryDir dir;
        FormMain w(program());
        w.show();
        QVERIFY(w.loadFile(miniLotoFile()));
        w.findChild<QLineEdit *>(u"Text1"_s)->setText(u"3"_s);
        w.Command2_Click(FormMain::LastRows);

        // Ctrl+C in the list: the selected rows with the headers, as tab-separated lines.
        w.ListView1()->setFocus();
        press(w.ListView1(), QKeyCombination(Qt::ControlModifier, Qt::Key_C));
        const QStringList lines = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
        QList<QStringList> copied;
        for (const QString &line : lines)
            copied.append(line.split(u'\t'));
        QCOMPARE(copied, shownRows(w, {1399, 1400, 1401}));

        // "CSV で保存…" writes every row; read back, the cells are the ones shown.
        const QString path = dir.filePath(u"list.csv"_s);
        FileDialogAnswer answer(path);
        QAction *csv = nullptr;
        for (QAction *a : w.findChild<QMenu *>(u"menuData"_s)->actions()) {
            if (a->text() == u"CSV で保存…")
                csv = a;
        }
        QVERIFY(csv);
        csv->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QList<int> all;
        for (int r = 0; r < w.table().rowCount(); ++r)
            all.append(r);
        QCOMPARE(parseCsv(bytes), shownRows(w, all));
        QVERIFY(messages.texts().isEmpty());
    }

    void csvQuotesWhatNeedsIt()
    {
        QTreeWidget list;
        list.setHeaderLabels({u"a"_s, u"b,c"_s});
        new QTreeWidgetItem(&list, {u"say \"hi\""_s, u"line\nbreak"_s});
        const QList<QStringList> rows = ViewExport::rows(&list, false);
        QTemporaryDir dir;
        FileDialogAnswer answer(dir.filePath(u"q.csv"_s));
        QVERIFY(ViewExport::saveAsCsv(nullptr, &list));
        QFile file(dir.filePath(u"q.csv"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(parseCsv(file.readAll()), rows);
    }

    void chartImagesAreWritten()
    {
        MessageRecorder messages;
        QTemporaryDir dir;
        FormMain w(program());
        w.show();
        QVERIFY(w.loadFile(loto6File()));
        w.findChild<QAction *>(u"menuEasyNumber"_s)->trigger();
        auto *graph = w.tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        for (const QString &name : {u"chart.png"_s, u"chart.svg"_s}) {
            FileDialogAnswer answer(dir.filePath(name));
            QVERIFY(ViewExport::saveChartImage(graph, graph->MSChart1()));
        }
        const QImage png(dir.filePath(u"chart.png"_s));
        QCOMPARE(png.size(), graph->MSChart1()->size());
        QFile svg(dir.filePath(u"chart.svg"_s));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray svgText = svg.readAll();
        QVERIFY(svgText.contains("<svg"));
        // The chart's own drawing went in, not an empty page.
        QVERIFY(svgText.count("<path") + svgText.count("<rect") > 43);
        // The context menu offers it.
        QCOMPARE(graph->MSChart1()->actions().first()->text(), u"画像で保存…"_s);
    }

    void keyboardConventions()
    {
        MessageRecorder messages;
        FormMain w(program());
        w.show();
        QVERIFY(w.loadFile(loto6File()));

        // Ctrl+O asks for a file.
        {
            FileDialogAnswer answer{QString()};
            press(&w, QKeyCombination(Qt::ControlModifier, Qt::Key_O));
            QCOMPARE(answer.requests().size(), 1);
        }
        // Esc closes (hides) a tool window; the main window stays.
        w.findChild<QAction *>(u"menuNoSet"_s)->trigger();
        auto *search = w.tools().get<FormSearch>(LookupTools::Search);
        QTRY_VERIFY(search->isVisible());
        press(search->Text1(), QKeyCombination(Qt::Key_Escape));
        QVERIFY(!search->isVisible());
        press(w.ListView1(), QKeyCombination(Qt::Key_Escape));
        QVERIFY(w.isVisible());

        // F5 presses the window's "更新": the frequency graph recounts the new selection.
        w.findChild<QAction *>(u"menuEasyNumber"_s)->trigger();
        auto *graph = w.tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/2141"_s);
        w.findChild<QLineEdit *>(u"Text1"_s)->setText(u"10"_s);
        w.Command2_Click(FormMain::LastRows);
        press(graph->ListView1(), QKeyCombination(Qt::Key_F5));
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/10"_s);

        // Alt and a letter opens a menu of the bar.
        press(&w, QKeyCombination(Qt::AltModifier, Qt::Key_A));
        QCOMPARE(w.menuBar()->activeAction(), w.findChild<QMenu *>(u"menuAnalysis"_s)->menuAction());
    }

    void refusedFileSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("content");  // empty name: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << u"ファイルがありません。"_s;
        QTest::newRow("empty") << QByteArray("") << u"ファイルが空です。"_s;
        QTest::newRow("no marker") << QByteArray("LOTO7 DownloadData\r\nh\r\n") << u"miniLOTO DownloadData」もありません。"_s;
    }

    void refusedFileSaysWhy()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        MessageRecorder messages;
        QTemporaryDir dir;
        const QString path = content.isNull() ? dir.filePath(u"gone_Download.csv"_s)
                                              : writeBytesFile(dir, u"bad_Download.csv"_s, content);
        FormMain w(program());
        QVERIFY(!w.loadFile(path));
        QCOMPARE(messages.texts(), QStringList{u"データファイルが異常です"_s});
        const QString detail = messages.requests().first().detail;
        QVERIFY2(detail.startsWith(QDir::toNativeSeparators(path)) && detail.endsWith(reason), qPrintable(detail));
    }

    void emptyHintScrollAndRowsThatAreNotDraws()
    {
        MessageRecorder messages;
        QTemporaryDir dir;
        FormMain w(program());
        w.show();
        auto *hint = w.findChild<QLabel *>(u"emptyHint"_s);
        QVERIFY(hint && hint->isVisible());

        QVERIFY(w.loadFile(loto6File()));
        QVERIFY(!hint->isVisible());
        // Every row of the real file is a draw: nothing to say.
        QVERIFY(w.findChild<QStatusBar *>()->findChild<QLabel *>(u"Panel2"_s)->text().isEmpty());
        w.ListView1()->scrollToBottom();
        QVERIFY(w.ListView1()->verticalScrollBar()->value() > 0);
        // The next file shows its first rows.
        QStringList lines{u"1,2001/01/04,1,2,3,4,5,6,7,0,0,0,0,0,0,0,0,0,0,0"_s,
                          u"2,2001/01/11,1,2,3,4,5,x,7,0,0,0,0,0,0,0,0,0,0,0"_s,
                          u"3,2001/01/18,1,2,3,4,5,44,7,0,0,0,0,0,0,0,0,0,0,0"_s};
        for (int i = 4; i <= 60; ++i)
            lines.append(u"%1,2001/02/01,1,2,3,4,5,6,7,0,0,0,0,0,0,0,0,0,0,0"_s.arg(i));
        QVERIFY(w.loadFile(writeTextFile(dir, u"odd_Download.csv"_s, loto6Text(lines))));
        QCOMPARE(w.ListView1()->verticalScrollBar()->value(), 0);
        // The list shows every row; the status says two are not draws; analyses leave them out.
        QCOMPARE(w.table().rowCount(), 60);
        auto *panel2 = w.findChild<QStatusBar *>()->findChild<QLabel *>(u"Panel2"_s);
        const QRegularExpressionMatch count = QRegularExpression(u"\\d+"_s).match(panel2->text());
        QVERIFY2(count.hasMatch() && count.captured().toInt() == 2, qPrintable(panel2->text()));
        w.findChild<QAction *>(u"menuEasyNumber"_s)->trigger();
        auto *graph = w.tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/58"_s);
    }
};

QTEST_MAIN(TestConveniences)
#include "tst_conveniences.moc"
