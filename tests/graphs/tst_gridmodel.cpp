#include "core/griddata.h"
#include "core/gridmodel.h"

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr GridColor kRed = gridRgb(255, 0, 0);

// Millions of rows that exist only when asked for: a red fill where row + column is even, and
// a text in every cell of column 2.
class Checkerboard final : public GridSource
{
public:
    int rows() const override { return 5'000'000; }
    int columns() const override { return 4; }
    QString text(int row, int column) const override { return column == 2 ? QString::number(row) : QString(); }
    GridColor backColor(int row, int column) const override { return (row + column) % 2 == 0 ? kRed : kNoGridColor; }
};

// The fill of a cell as the view painted it, taken below the text and inside the grid lines.
QRgb cellCentre(const GridView &view, const QImage &image, int row, int column)
{
    const QPoint origin = view.viewport()->geometry().topLeft();
    const int x = origin.x() + view.columnViewportPosition(column) + view.columnWidth(column) / 2;
    const int y = origin.y() + view.rowViewportPosition(row) + view.rowHeight(row) - 3;
    return image.pixel(x, y) & 0xFFFFFF;
}

// Pixels of a cell's inside that differ from the plain base colour (text strokes).
int inkIn(const GridView &view, const QImage &image, int row, int column)
{
    const QPoint origin = view.viewport()->geometry().topLeft();
    const QRgb base = view.palette().color(QPalette::Base).rgb() & 0xFFFFFF;
    const int x0 = origin.x() + view.columnViewportPosition(column) + 2;
    const int y0 = origin.y() + view.rowViewportPosition(row) + 2;
    int ink = 0;
    for (int y = y0; y < y0 + view.rowHeight(row) - 4; ++y) {
        for (int x = x0; x < x0 + view.columnWidth(column) - 4; ++x)
            ink += (image.pixel(x, y) & 0xFFFFFF) != base ? 1 : 0;
    }
    return ink;
}
} // namespace

class GridModelTest : public QObject
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

    void modelShowsTextAndColours()
    {
        GridModel model;
        GridData grid(3, 3);
        grid.setText(0, 1, u"120"_s);
        grid.setBackColor(1, 1, kRed);
        grid.setText(2, 1, u"0%"_s);
        grid.setBackColor(2, 1, gridRgb(0, 0, 0));
        grid.setText(2, 2, u"100%"_s);
        grid.setBackColor(2, 2, gridRgb(0, 255, 0));
        grid.setForeColor(1, 2, gridRgb(0, 0, 255));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.setGrid(grid);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 3);

        auto role = [&](int r, int c, int which) { return model.index(r, c).data(which); };
        QCOMPARE(role(0, 1, Qt::DisplayRole).toString(), u"120"_s);
        QCOMPARE(role(1, 1, Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
        QCOMPARE(role(1, 2, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
        // Text stays readable on a dark shade; a light one keeps the view's text colour.
        QCOMPARE(role(2, 1, Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
        QVERIFY(!role(2, 2, Qt::ForegroundRole).isValid());
        // Label cells look like headers; data cells without a colour show the view's own.
        const QColor button = QGuiApplication::palette().color(QPalette::Button);
        QCOMPARE(role(0, 2, Qt::BackgroundRole).value<QColor>(), button);
        QCOMPARE(role(2, 0, Qt::BackgroundRole).value<QColor>(), button);
        QVERIFY(!role(1, 2, Qt::BackgroundRole).isValid());
        model.setFixedRows(0);
        QVERIFY(!role(0, 2, Qt::BackgroundRole).isValid());
        QVERIFY(!(model.flags(model.index(1, 1)) & Qt::ItemIsEditable));
    }

    void cellChangesReachTheView()
    {
        GridModel model;
        model.setRowCount(2);
        model.setColumnCount(4);
        QCOMPARE(model.columnCount(), 4);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setText(1, 3, u"x"_s);
        model.setBackColor(1, 2, kRed);
        model.setText(9, 9, u"y"_s);  // outside: nothing happens
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed[0][0].toModelIndex(), model.index(1, 3));
        QCOMPARE(changed[1][0].toModelIndex(), model.index(1, 2));
        QCOMPARE(model.source().text(1, 3), u"x"_s);
        QCOMPARE(model.source().backColor(1, 2), kRed);
    }

    void viewPaintsAComputedSource()
    {
        GridView view;
        view.resize(320, 220);
        view.gridModel()->setSource(std::make_shared<Checkerboard>());
        view.gridModel()->setFixedRows(0);
        view.gridModel()->setFixedColumns(0);
        view.setCellSizes(60, 60, 24, 24);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.gridModel()->rowCount(), 5'000'000);
        // Edits only reach a stored grid; a computed one stays as it is.
        view.gridModel()->setText(1, 1, u"x"_s);
        QVERIFY(view.source().text(1, 1).isEmpty());

        for (const bool atEnd : {false, true}) {
            if (atEnd)
                view.scrollToBottom();
            const QImage image = view.grab().toImage();
            // The first row wholly in sight (scrolled by pixels, the top one may be cut).
            const int top = view.rowAt(0) + 1;
            QVERIFY(top >= 1);
            for (int r = top; r < top + 3; ++r) {
                for (int c = 0; c < 4; ++c) {
                    const bool red = (r + c) % 2 == 0;
                    QCOMPARE(cellCentre(view, image, r, c) == 0xFF0000u, red);
                }
                // Text is drawn where the source has some, and only there.
                if ((r + 3) % 2 != 0)
                    QCOMPARE(inkIn(view, image, r, 3), 0);
                if ((r + 2) % 2 != 0)
                    QVERIFY(inkIn(view, image, r, 2) > 0);
            }
            if (atEnd)
                QVERIFY(top > 4'999'000);
        }
    }

    void viewSizesThousandsOfColumns()
    {
        GridView view;
        view.gridModel()->setGrid(GridData(3, 3001));
        view.setCellSizes(20, 2, 13, 6);
        QCOMPARE(view.columnWidth(0), 20);
        QCOMPARE(view.rowHeight(0), 13);
        for (int c : {1, 1500, 3000})
            QCOMPARE(view.columnWidth(c), 2);
        QCOMPARE(view.rowHeight(2), 6);
        // Lines would cover cells that narrow.
        QVERIFY(!view.showGrid());
        view.setCellSizes(20, 12, 13, 10);
        QCOMPARE(view.columnWidth(3000), 12);
        QVERIFY(view.showGrid());
    }
};

QTEST_MAIN(GridModelTest)
#include "tst_gridmodel.moc"
