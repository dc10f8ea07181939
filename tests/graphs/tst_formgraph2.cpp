#include "windowfixture.h"

#include "core/controlarray.h"
#include "core/formhelpers.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"
#include "graphs/formgraph2.h"
#include "graphs/trend.h"
#include "graphs/graphsfeature.h"
#include "graphs/formgraph3.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QValueAxis>

using namespace Qt::StringLiterals;

namespace {
// Opens the without-bonus pair over four draws and keeps only 7 and 13 with rates.
struct TrendWindows : LoadedWindow
{
    FormGraph2 *trend = nullptr;
    FormGraph3 *chart = nullptr;

    bool open(bool rates)
    {
        if (!load(testsupport::loto6Text(fourDraws())))
            return false;
        main->findChild<QAction *>(u"menuEasyNumber"_s)->trigger();
        trend = main->tools().get<FormGraph2>(GraphTools::TrendWithoutBonus);
        chart = trend->graph3();
        chart->resize(500, 200);
        trend->Command1_Click(BoxesClear);
        trend->Check1(6)->setChecked(true);
        trend->Check1(12)->setChecked(true);
        if (rates)
            trend->Check2()->setChecked(true);
        return true;
    }

    QList<QLineSeries *> series() const
    {
        QList<QLineSeries *> out;
        // The lines of the rates; the band of chance behind them is an area.
        for (QAbstractSeries *s : chart->chart()->series()) {
            if (auto *line = qobject_cast<QLineSeries *>(s))
                out.append(line);
        }
        return out;
    }
};

QList<qreal> yValues(const QLineSeries *series)
{
    QList<qreal> out;
    for (const QPointF &p : series->points())
        out.append(p.y());
    return out;
}

void pressEnter(QLineEdit *field)
{
    QTest::keyClick(field, Qt::Key_Return);
}
} // namespace

class FormGraph2Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsChangeTheBoxesAndRecomputeOnce()
    {
        TrendWindows w;
        QVERIFY(w.open(false));
        QSignalSpy rebuilt(w.trend, &FormGraph2::gridRebuilt);
        auto button = [&](int i) { return controlAt<QPushButton>(w.trend, u"Command1"_s, i); };

        button(0)->click();  // All
        QCOMPARE(rebuilt.count(), 1);
        QCOMPARE(w.trend->grid().rows(), 44);
        button(2)->click();  // Not
        QCOMPARE(rebuilt.count(), 2);
        QCOMPARE(w.trend->grid().rows(), 1);
        for (int i = 0; i < 43; ++i)
            QVERIFY(!w.trend->Check1(i)->isChecked());
        button(2)->click();
        QCOMPARE(w.trend->grid().rows(), 44);
        button(1)->click();  // Clear
        QCOMPARE(w.trend->grid().rows(), 1);
        QCOMPARE(rebuilt.count(), 4);

        // "更新" leaves the boxes alone but follows the main window's selection.
        w.trend->Check1(0)->setChecked(true);
        QCOMPARE(rebuilt.count(), 5);
        w.main->Command1_Click(FormMain::SelectClear);
        button(3)->click();
        QCOMPARE(rebuilt.count(), 6);
        QVERIFY(w.trend->Check1(0)->isChecked());
        QCOMPARE(w.trend->grid().rows(), 2);
        QCOMPARE(w.trend->grid().columns(), 1);

        // A click on a box is one recompute.
        QTest::mouseClick(w.trend->Check1(4), Qt::LeftButton);
        QVERIFY(w.trend->Check1(4)->isChecked());
        QCOMPARE(rebuilt.count(), 7);
    }

    void numberBoxesTwentyToALine()
    {
        TrendWindows w;
        QVERIFY(w.open(false));
        QCOMPARE(w.trend->findChildren<QCheckBox *>(u"Check1"_s).size(), 43);
        const QPoint first = w.trend->Check1(0)->pos();
        QCOMPARE(w.trend->Check1(19)->y(), first.y());
        QVERIFY(w.trend->Check1(19)->x() > w.trend->Check1(18)->x());
        QCOMPARE(w.trend->Check1(20)->x(), first.x());
        QVERIFY(w.trend->Check1(20)->y() > first.y());
        QCOMPARE(w.trend->Check1(42)->x(), w.trend->Check1(2)->x());
        QCOMPARE(w.trend->Check1(6)->text(), u"7"_s);
    }

    void trendBoxShowsRatesAndOpensTheChartBelow()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        const TrendGrid &g = w.trend->grid();
        QCOMPARE(g.rows(), 5);
        QCOMPARE((QStringList{g.text(2, 1), g.text(2, 2), g.text(2, 3), g.text(2, 4)}),
                 (QStringList{u"100%"_s, u"50%"_s, u"66.6666666666667%"_s, u"50%"_s}));
        // What the view shows: red marks, green shades.
        const GridSource &cells = w.trend->MSFlexGrid1()->source();
        QCOMPARE(cells.backColor(1, 1), gridRgb(255, 0, 0));
        QCOMPARE(cells.backColor(2, 1), gridRgb(0, 255, 0));
        QVERIFY(qGreen(cells.backColor(2, 2)) < 255);
        QCOMPARE(cells.backColor(1, 2), kNoGridColor);

        QVERIFY(w.chart->isVisible());
        QCOMPARE(w.chart->frameGeometry().topLeft(), justBelow(w.trend));
        QCOMPARE(w.chart->windowTitle(), w.trend->windowTitle());
        QCOMPARE(w.chart->SetFormGraph2(), w.trend);
        const QList<QLineSeries *> series = w.series();
        QCOMPARE(series.size(), 4);
        QCOMPARE(series[0]->name(), u"7平均"_s);
        QCOMPARE(series[1]->name(), u"7"_s);
        QCOMPARE(series[3]->name(), u"13"_s);
        QCOMPARE(yValues(series[0]), (QList<qreal>{100, 50, 2.0 / 3.0 * 100.0, 50}));
        // Window 5 is wider than the four draws: the moving rate is the running rate.
        const QList<qreal> moving = yValues(series[1]);
        const QList<qreal> running = yValues(series[0]);
        QCOMPARE(moving.size(), running.size());
        for (qsizetype i = 0; i < moving.size(); ++i)
            QVERIFY(qFuzzyCompare(moving[i], running[i]));
        QCOMPARE(w.chart->chartData().categories, (QStringList{u"101回"_s, u"102回"_s, u"103回"_s, u"104回"_s}));

        // A moved chart stays where it is on the next trend.
        w.chart->move(300, 40);
        w.trend->Check1(0)->setChecked(true);
        QCOMPARE(w.chart->pos(), QPoint(300, 40));
        QCOMPARE(w.series().size(), 6);
    }

    void hoverTextGoesToTheStatusBarAndTooltip()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        VirtualGridView *grid = w.trend->MSFlexGrid1();
        auto hover = [&](int row, int column) {
            const QPoint at = grid->cellRect(row, column).center();
            QMouseEvent move(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &move);
        };
        hover(2, 3);
        const QString expected = u"No 7  103回  66.6666666666667%"_s;
        QCOMPARE(w.trend->StatusBar1()->panelText(1), expected);
        QCOMPARE(grid->toolTip(), expected);
        hover(0, 2);
        QCOMPARE(w.trend->StatusBar1()->panelText(1), u"102回"_s);
    }

    void noSelectedDrawLeavesTheChartAlone()
    {
        TrendWindows w;
        QVERIFY(w.open(false));
        QSignalSpy charted(w.chart, &FormGraph3::chartRebuilt);
        w.main->Command1_Click(FormMain::SelectClear);
        w.trend->Check2()->setChecked(true);
        QCOMPARE(w.trend->grid().columns(), 1);
        QCOMPARE(w.trend->grid().rows(), 5);
        QCOMPARE(w.trend->grid().text(4, 0), u"13"_s);
        QVERIFY(!w.chart->isVisible());
        QCOMPARE(charted.count(), 0);
    }

    void closingHidesTheGridAndItsChart()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        QVERIFY(w.chart->isVisible());
        QVERIFY(!w.trend->close());
        QVERIFY(!w.trend->isVisible());
        QVERIFY(!w.chart->isVisible());
        QVERIFY(!w.chart->close());
        QCOMPARE(w.trend->graph3(), w.chart);
    }

    void gridCellsFitTheVisibleGrid()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        w.trend->resize(700, 400);
        QApplication::processEvents();
        VirtualGridView *grid = w.trend->MSFlexGrid1();
        const int columns = grid->source().columns();
        const int rows = grid->source().rows();
        const QSize area = grid->viewport()->size();
        const int width = grid->labelColumnWidth() + grid->columnWidth() * (columns - 1);
        const int height = grid->headerRowHeight() + grid->rowHeight() * (rows - 1);
        QVERIFY(width <= area.width() && width > area.width() - columns);
        QVERIFY(height <= area.height() && height > area.height() - rows);
    }

    void axisFieldsRescaleWithoutRebuilding()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        QSignalSpy charted(w.chart, &FormGraph3::chartRebuilt);
        const QList<QLineSeries *> before = w.series();
        QValueAxis *axis = w.chart->valueAxis();
        QCOMPARE(axis->max(), 50.0);
        QCOMPARE(axis->min(), 0.0);
        QCOMPARE(axis->tickCount(), 6);

        auto *maximum = controlAt<QLineEdit>(w.chart, u"Text1"_s, 0);
        auto *minimum = controlAt<QLineEdit>(w.chart, u"Text1"_s, 1);
        QCOMPARE(maximum->toolTip(), u"Ｙ軸の最大値"_s);
        maximum->setText(u"20"_s);
        minimum->setText(u"10"_s);
        controlAt<QLineEdit>(w.chart, u"Text1"_s, 2)->setText(u"2"_s);
        controlAt<QLineEdit>(w.chart, u"Text1"_s, 3)->setText(u"4"_s);
        pressEnter(minimum);
        QCOMPARE(axis->min(), 10.0);
        QCOMPARE(axis->max(), 20.0);
        QCOMPARE(axis->tickCount(), 3);
        QCOMPARE(axis->minorTickCount(), 3);
        QCOMPARE(charted.count(), 0);
        QCOMPARE(w.series(), before);

        // Only digits get into the fields.
        QTest::keyClicks(maximum, u"x-5"_s);
        QCOMPARE(maximum->text().right(1), u"5"_s);
        QVERIFY(!maximum->text().contains(u'x'));

        // A rebuild fills empty fields with 0 and keeps the user's scale.
        controlAt<QLineEdit>(w.chart, u"Text1"_s, 3)->clear();
        w.chart->Command1_Click();
        QCOMPARE(controlAt<QLineEdit>(w.chart, u"Text1"_s, 3)->text(), u"0"_s);
        QCOMPARE(axis->min(), 10.0);
    }

    void windowSizeField()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        QSignalSpy charted(w.chart, &FormGraph3::chartRebuilt);
        auto *text2 = w.chart->findChild<QLineEdit *>(u"Text2"_s);
        text2->setText(u"1"_s);
        pressEnter(text2);
        QCOMPARE(charted.count(), 1);
        QCOMPARE(yValues(w.series()[1]), (QList<qreal>{100, 0, 100, 0}));
        QCOMPARE(yValues(w.series()[3]), (QList<qreal>{0, 0, 0, 0}));

        text2->setText(u"2"_s);
        pressEnter(text2);
        QCOMPARE(yValues(w.series()[1]), (QList<qreal>{100, 50, 50, 50}));

        // Empty or zero counts as one draw.
        for (const QString &typed : {QString(), u"0"_s}) {
            text2->setText(typed);
            pressEnter(text2);
            QCOMPARE(text2->text(), u"1"_s);
            QCOMPARE(yValues(w.series()[1]), (QList<qreal>{100, 0, 100, 0}));
        }
    }

    void finalViewAndMissingRateRows()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        QSignalSpy charted(w.chart, &FormGraph3::chartRebuilt);
        w.chart->findChild<QPushButton *>(u"Command1"_s)->click();
        QCOMPARE(charted.count(), 1);
        QCOMPARE(yValues(w.series()[0]), (QList<qreal>{50, 50, 50, 50}));
        QCOMPARE(yValues(w.series()[1]), (QList<qreal>{100, 50, 2.0 / 3.0 * 100.0, 50}));
        QCOMPARE(yValues(w.series()[2]), (QList<qreal>{0, 0, 0, 0}));

        // The rate rows go with the trend box: the chart must not read mark rows as rates.
        w.trend->Check2()->setChecked(false);
        const RateChart before = w.chart->chartData();
        w.chart->Command1_Click();
        w.chart->MakeGraph3_2();
        QCOMPARE(charted.count(), 1);
        QCOMPARE(w.chart->chartData().seriesLabels, before.seriesLabels);
        QCOMPARE(w.series().size(), 4);

        // The moving-rate button ticks the box again, which rebuilds grid and chart.
        w.chart->findChild<QPushButton *>(u"Command2"_s)->click();
        QVERIFY(w.trend->Check2()->isChecked());
        QCOMPARE(w.trend->grid().rows(), 5);
        QCOMPARE(charted.count(), 2);
        // Ticked already: the same button reruns the trend.
        QSignalSpy rebuilt(w.trend, &FormGraph2::gridRebuilt);
        w.chart->Command2_Click();
        QCOMPARE(rebuilt.count(), 1);
        QCOMPARE(charted.count(), 3);
    }

    void sliderSetsTheOpacity()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        auto *slider = w.chart->findChild<QSlider *>(u"Slider1"_s);
        QCOMPARE(slider->value(), 255);
        slider->setValue(128);
        QVERIFY(qAbs(w.chart->windowOpacity() - 128.0 / 255.0) < 0.01);
        slider->setValue(slider->minimum());
        QVERIFY(w.chart->windowOpacity() > 0.1);
    }

    void overlayLaysThePlotOverTheDrawColumns()
    {
        TrendWindows w;
        QVERIFY(w.open(true));
        // Away from the desktop's left edge: the chart moves left of the grid's frame.
        w.trend->setGeometry(150, 120, 640, 300);
        w.chart->move(40, 500);
        QApplication::processEvents();
        w.chart->findChild<QPushButton *>(u"Command3"_s)->click();
        QApplication::processEvents();

        VirtualGridView *grid = w.trend->MSFlexGrid1();
        const QPoint firstDraw = grid->viewport()->mapToGlobal(grid->cellRect(1, 1).topLeft());
        const int drawsWidth = grid->columnWidth() * (grid->source().columns() - 1);
        const QRect plot = w.chart->plotAreaOnScreen();
        QVERIFY2(qAbs(plot.left() - firstDraw.x()) <= 1, qPrintable(u"%1 vs %2"_s.arg(plot.left()).arg(firstDraw.x())));
        QVERIFY2(qAbs(plot.top() - firstDraw.y()) <= 1, qPrintable(u"%1 vs %2"_s.arg(plot.top()).arg(firstDraw.y())));
        QVERIFY2(qAbs(plot.width() - drawsWidth) <= 2, qPrintable(u"%1 vs %2"_s.arg(plot.width()).arg(drawsWidth)));
    }
};

QTEST_MAIN(FormGraph2Test)
#include "tst_formgraph2.moc"
