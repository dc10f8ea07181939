#pragma once

#include "graphs/ratechart.h"

#include <QWidget>

class FormGraph2;
class NumericLineEdit;
class QCategoryAxis;
class QChart;
class QChartView;
class QLayout;
class QSlider;
class QValueAxis;

// Rate chart of a trend grid: per chosen number the running rate against the moving rate over
// the last W draws, or the running rate against the final rate. Reads only its owner's grid.
// It can be laid over the grid's draw columns and made translucent to compare draw by draw.
class FormGraph3 : public QWidget
{
    Q_OBJECT

public:
    // Owned by its trend grid; a top-level window that dies with it.
    explicit FormGraph3(FormGraph2 *owner);
    ~FormGraph3() override;

    FormGraph2 *SetFormGraph2() const { return m_owner; }

    // Moving rate against running rate (what the grid requests after each trend).
    void MakeGraph3_2();
    // Running rate against final rate.
    void MakeGraph3();

    // "更新": running rate against final rate.
    void Command1_Click();
    // "更新": the moving-rate view, through the owner's trend computation.
    void Command2_Click();
    // "合成": lays the plot area over the draw columns of the owner's grid.
    void Command3_Click();
    // Enter in an axis field: rescales the value axis, the series stay.
    void Text1_Enter();
    // Enter in the window-size field: the moving-rate view again.
    void Text2_Enter();
    void Slider1_Scroll(int value);

    QChartView *MSChart1() const { return m_chartView; }
    QChart *chart() const { return m_chart; }
    QValueAxis *valueAxis() const { return m_axisY; }
    // What the chart shows, as read from the grid.
    const RateChart &chartData() const { return m_data; }
    // The plot area in global screen pixels.
    QRect plotAreaOnScreen() const;

Q_SIGNALS:
    // After every rebuild of the series (not after a rescale).
    void chartRebuilt();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildChart();
    QLayout *buildControls();
    NumericLineEdit *axisField(int index) const;
    // Empty fields read as 0, the moving span (when `moving`) as at least 1.
    void fillEmptyFields(bool moving);
    void showChart(RateChart chartData);
    void applyAxis();
    void addChanceBand();

    FormGraph2 *const m_owner;  // the parent: outlives this window
    RateChart m_data;

    QChartView *m_chartView = nullptr;
    QChart *m_chart = nullptr;
    QCategoryAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
    QList<NumericLineEdit *> m_axisFields;  // maximum, minimum, major and minor divisions
    NumericLineEdit *m_spanField = nullptr;  // how many draws the moving rate spans
    QSlider *m_slider = nullptr;
};
