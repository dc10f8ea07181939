#include "core/appfiles.h"
#include "core/griddata.h"
#include "core/virtualgridview.h"
#include "support/testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr GridColor kRed = gridRgb(255, 0, 0);
constexpr GridColor kTurns[] = {kRed, gridRgb(0, 64, 0), gridRgb(0, 255, 0), kNoGridColor, kNoGridColor};

// Five million rows computed when asked for: numbered label cells, and body cells taking turns by
// row + column: a red mark, a dark and a light shade (each with a text), a plain text, nothing.
class Sample final : public GridSource
{
public:
    int rows() const override { return 5'000'000; }
    int columns() const override { return 60; }
    QString text(int r, int c) const override
    {
        if (r == 0 || c == 0)
            return r + c > 0 ? QString::number(r + c) : QString();
        return (r + c) % 5 == 4 ? QString() : u"88"_s;
    }
    GridColor backColor(int r, int c) const override { return r == 0 || c == 0 ? kNoGridColor : kTurns[(r + c) % 5]; }
    // What a save reads: once the test holds the only count again, the save has let it go.
    std::shared_ptr<const GridSource> snapshot() const override { return copy; }
    std::shared_ptr<const GridSource> copy;
};

// "x" in every cell of a grid of the given size, counting the cells read.
class Counted final : public GridSource
{
public:
    Counted(int rows, int columns) : m_size(columns, rows) {}
    int rows() const override { return m_size.height(); }
    int columns() const override { return m_size.width(); }
    QString text(int, int) const override { ++reads; return u"x"_s; }
    QSize m_size;
    mutable qint64 reads = 0;
};

enum Ink { NoInk, DarkInk, LightInk };
} // namespace

class VirtualGridViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resizingKeepsTheCellsInsideBothSizes()
    {
        GridData grid(2, 3);
        grid.setText(1, 2, u"a"_s);
        grid.setBackColor(1, 2, kRed);
        grid.setText(0, 1, u"b"_s);
        grid.setForeColor(0, 1, gridRgb(0, 0, 255));

        grid.resize(4, 5);
        QCOMPARE(grid.text(1, 2), u"a"_s);
        QCOMPARE(grid.backColor(1, 2), kRed);
        QCOMPARE(grid.foreColor(0, 1), gridRgb(0, 0, 255));
        QVERIFY(grid.text(3, 4).isEmpty());
        QVERIFY(!grid.isMarked(3, 4));

        grid.setColumns(2);  // column 2 goes
        QCOMPARE(grid.text(0, 1), u"b"_s);
        QVERIFY(!grid.contains(1, 2));
        grid.setColumns(3);
        QVERIFY(grid.text(1, 2).isEmpty());
        QVERIFY(!grid.isMarked(1, 2));

        grid.setRows(1);
        QCOMPARE(grid.rows(), 1);
        QCOMPARE(grid.text(0, 1), u"b"_s);

        // Outside the grid: empty reads, ignored writes.
        grid.setText(5, 0, u"x"_s);
        grid.setBackColor(-1, 0, kRed);
        QVERIFY(grid.text(5, 0).isEmpty());
        QCOMPARE(grid.backColor(-1, 0), kNoGridColor);
        grid.resize(-3, 2);
        QCOMPARE(grid.rows(), 0);
        QVERIFY(grid.text(0, 0).isEmpty());
    }

    void paintsCellsAndKeepsTheLabelsWhenScrolled_data()
    {
        QTest::addColumn<bool>("atEnd");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<GridColor>("fill");  // none: the palette's, a button's for label cells
        QTest::addColumn<int>("ink");
        QTest::newRow("column label") << false << 0 << 2 << kNoGridColor << int(DarkInk);
        QTest::newRow("row label") << false << 3 << 0 << kNoGridColor << int(DarkInk);
        QTest::newRow("red mark, white text") << false << 1 << 4 << kRed << int(LightInk);
        QTest::newRow("dark shade, white text") << false << 1 << 5 << kTurns[1] << int(LightInk);
        QTest::newRow("light shade") << false << 1 << 6 << kTurns[2] << int(DarkInk);
        QTest::newRow("plain") << false << 1 << 2 << kNoGridColor << int(DarkInk);
        QTest::newRow("empty") << false << 1 << 3 << kNoGridColor << int(NoInk);
        QTest::newRow("scrolled: column label") << true << 0 << 59 << kNoGridColor << int(DarkInk);
        QTest::newRow("scrolled: row label") << true << 4'999'999 << 0 << kNoGridColor << int(DarkInk);
        QTest::newRow("scrolled: red mark") << true << 4'999'999 << 56 << kRed << int(LightInk);
        QTest::newRow("scrolled: empty") << true << 4'999'998 << 56 << kNoGridColor << int(NoInk);
    }

    void paintsCellsAndKeepsTheLabelsWhenScrolled()
    {
        QFETCH(bool, atEnd);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(GridColor, fill);
        QFETCH(int, ink);
        VirtualGridView view;
        view.resize(400, 300);
        view.setSource(std::make_shared<Sample>());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        if (atEnd) {
            QTest::keyClick(&view, Qt::Key_End);
            view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
        }
        const QRect cell = view.cellRect(row, column) & view.viewport()->rect();
        QVERIFY(!cell.isEmpty());
        // Label cells stay at the top and left edges however far the body is scrolled.
        QVERIFY((row > 0 || cell.top() == 0) && (column > 0 || cell.left() == 0));

        const QImage image = view.viewport()->grab().toImage();
        if (fill == kNoGridColor)
            fill = view.palette().color(row == 0 || column == 0 ? QPalette::Button : QPalette::Base).rgba();
        // Left of where text starts; then text strokes, clearly lighter or darker, inside the lines.
        QCOMPARE(image.pixel(cell.left() + 1, cell.center().y()), fill);
        bool lighter = false;
        bool darker = false;
        for (int y = cell.top(); y < cell.bottom(); ++y) {
            for (int x = cell.left(); x < cell.right(); ++x) {
                lighter |= qGray(image.pixel(x, y)) > qGray(fill) + 60;
                darker |= qGray(image.pixel(x, y)) < qGray(fill) - 60;
            }
        }
        QCOMPARE(int(lighter ? LightInk : darker ? DarkInk : NoInk), ink);
    }

    void copiesEveryRowWithoutPadding()
    {
        auto grid = std::make_shared<GridData>(2, 3);
        grid->setText(0, 1, u"7"_s);
        grid->setText(1, 0, u" 101回 "_s);
        grid->setText(1, 2, u"50%"_s);
        VirtualGridView view;
        view.setSource(grid);
        QCOMPARE(view.actions().value(1)->text(), u"CSV で保存…"_s);
        view.actions().value(0)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"\t7\t\n101回\t\t50%\n"_s);
    }

    void copiesUpToAMillionCells_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("copied");
        QTest::newRow("a million cells") << 1000 << 1000 << true;
        QTest::newRow("one row more") << 1001 << 1000 << false;
        QTest::newRow("six million rows") << 6'096'455 << 44 << false;
    }

    void copiesUpToAMillionCells()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(bool, copied);
        auto grid = std::make_shared<Counted>(rows, columns);
        VirtualGridView view;
        view.setSource(grid);
        grid->reads = 0;
        QGuiApplication::clipboard()->setText(u"before"_s);
        testsupport::MessageRecorder messages;
        view.actions().value(0)->trigger();
        const QString refusal = u"コピーする行が多すぎます（%1行）。「CSV で保存…」をお使いください。"_s.arg(rows - 1);
        QCOMPARE(messages.texts(), copied ? QStringList() : QStringList{refusal});
        QCOMPARE(grid->reads, copied ? qint64(rows) * columns : 0);  // a refused text is not even built
        QCOMPARE(QGuiApplication::clipboard()->text().size(), copied ? 2 * qsizetype(rows) * columns : 6);
    }

    // Saved whole, or, cancelled from the progress dialog, failed or dropped with its window,
    // not at all: the folder then holds neither the file nor a temporary one.
    void savesEveryRowOrNothing_data()
    {
        QTest::addColumn<QString>("end");
        for (const QString &end : {u"saved"_s, u"cancelled"_s, u"failed"_s, u"window closed"_s})
            QTest::newRow(qPrintable(end)) << end;
    }

    void savesEveryRowOrNothing()
    {
        QFETCH(QString, end);
        const QByteArray file = end == u"saved" ? QByteArray("\xEF\xBB\xBF,7,\r\n101回,\"a,\"\"b\"\"\",50%\r\n") : QByteArray();
        QTemporaryDir dir;
        const QString path = dir.filePath(u"grid.csv"_s);
        auto small = std::make_shared<GridData>(2, 3);
        small->setText(0, 1, u"7"_s);
        small->setText(1, 0, u" 101回 "_s);
        small->setText(1, 1, u"a,\"b\""_s);
        small->setText(1, 2, u"50%"_s);
        VirtualGridView view;
        auto big = std::make_shared<Sample>();
        big->copy = std::make_shared<Sample>();
        view.setSource(end == u"saved" || end == u"failed" ? std::shared_ptr<const GridSource>(small) : big);
        view.show();
        testsupport::MessageRecorder messages;
        testsupport::FileDialogAnswer answer(path);
        AppFiles::simulateWriteFailure(end == u"failed" ? AppFiles::WriteFailure::Write : AppFiles::WriteFailure::None);
        QSignalSpy finished(&view, &VirtualGridView::saveFinished);
        view.actions().value(1)->trigger();
        QVERIFY(view.isSaving() && !view.saveProgress());
        if (end == u"cancelled" || end == u"window closed") {
            QTRY_VERIFY(view.saveProgress());
            if (end == u"window closed")
                view.close();
            else
                view.saveProgress()->findChild<QPushButton *>()->click();
            QTRY_COMPARE(big->copy.use_count(), 1);  // the worker has stopped
        }
        if (end != u"window closed")
            QTRY_COMPARE(finished.size(), 1);
        AppFiles::simulateWriteFailure(AppFiles::WriteFailure::None);
        QTRY_COMPARE(QDir(dir.path()).entryList(QDir::Files).size(), file.isEmpty() ? 0 : 1);
        QCOMPARE(finished.value(0).value(0).toBool(), !file.isEmpty());
        QCOMPARE(messages.requests().size(), end == u"failed" ? 1 : 0);
        QVERIFY(end != u"failed" || messages.texts().value(0).contains(QDir::toNativeSeparators(path)));
        QFile saved(path);
        QCOMPARE(saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray(), file);
    }
};

QTEST_MAIN(VirtualGridViewTest)
#include "tst_virtualgridview.moc"
