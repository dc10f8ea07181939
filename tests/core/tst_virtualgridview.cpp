#include "core/griddata.h"
#include "core/virtualgridview.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QScrollBar>
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
};

QTEST_MAIN(VirtualGridViewTest)
#include "tst_virtualgridview.moc"
