#include "graphs/formgraph3.h"

#include "graphs/chance.h"
#include "graphs/trend.h"

#include "core/controlarray.h"
#include "core/fields.h"
#include "core/numbers.h"
#include "core/formhelpers.h"
#include "core/viewexport.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"
#include "graphs/formgraph2.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QAreaSeries>
#include <QLineSeries>
#include <QPushButton>
#include <QSlider>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// Labelled draws along the bottom; more would overlap.
constexpr int kMaxDrawLabels = 12;
// Points per line: more than any screen shows across the plot, yet a bounded amount of memory
// for a history of any length.
constexpr int kMaxPlotPoints = 4000;
// Beyond this many series the legend would cover the plot.
constexpr int kMaxLegendSeries = 20;
// Tick counts come from typed digits: keep them to what an axis can draw.
constexpr qint64 kMaxDivisions = 100;
// Below this the window could no longer be found to turn it back.
constexpr int kMinOpacity = 40;

double fieldNumber(const NumericLineEdit *field)
{
    bool ok = false;
    const double value = field->text().toDouble(&ok);
    return ok ? value : 0.0;
}

qint64 fieldCount(const NumericLineEdit *field)
{
    return parseNumber(field->text()).value_or(0);
}

QColor seriesColor(int pair)
{
    // Distinct hues around the wheel, dark enough to read over red and green grid cells.
    return QColor::fromHsv((pair * 137) % 360, 200, 200);
}
} // namespace

FormGraph3::FormGraph3(FormGraph2 *owner) : QWidget(owner, Qt::Window), m_owner(owner)
{
    buildChart();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildControls());
    layout->addWidget(m_chartView, 1);

    applyAxis();
    resize(960, 420);
}

void FormGraph3::buildChart()
{
    m_chart = new QChart;
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_axisX = new QCategoryAxis;
    m_axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_axisX->setGridLineVisible(false);
    m_axisY = new QValueAxis;
    m_axisY->setLabelFormat(u"%g"_s);
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);

    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(u"MSChart1"_s);
    ViewExport::enable(m_chartView);
}

QLayout *FormGraph3::buildControls()
{
    auto *controls = new QHBoxLayout;
    // The two "更新" buttons: running against final rates, and moving against running ones.
    const auto addUpdateButton = [this, controls](const QString &name, const QString &tip, void (FormGraph3::*click)()) {
        auto *button = new QPushButton(u"更新"_s, this);
        button->setObjectName(name);
        button->setToolTip(tip);
        connect(button, &QPushButton::clicked, this, click);
        controls->addWidget(button);
        controls->addSpacing(16);
    };
    const QString hints[] = {u"Ｙ軸の最大値"_s, u"Ｙ軸の最小値"_s, u"Ｙ軸の区切り数（大）"_s, u"Ｙ軸の区切り数（小）"_s};
    const QString initial[] = {u"50"_s, u"0"_s, u"5"_s, u"1"_s};
    for (int i = 0; i < 4; ++i) {
        auto *field = new NumericLineEdit(initial[i], this);
        setControlIndex(field, u"Text1"_s, i);
        field->setToolTip(hints[i]);
        field->setPlaceholderText(hints[i]);
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(48);
        connect(field, &QLineEdit::returnPressed, this, &FormGraph3::Text1_Enter);
        controls->addWidget(field);
        m_axisFields.append(field);
    }
    addUpdateButton(u"Command1"_s, u"通算の出現率と最終の出現率"_s, &FormGraph3::Command1_Click);

    m_spanField = new NumericLineEdit(u"5"_s, this);
    m_spanField->setObjectName(u"Text2"_s);
    m_spanField->setToolTip(u"移動出現率の区間（回）"_s);
    m_spanField->setAlignment(Qt::AlignRight);
    m_spanField->setFixedWidth(48);
    connect(m_spanField, &QLineEdit::returnPressed, this, &FormGraph3::Text2_Enter);
    controls->addWidget(m_spanField);
    addUpdateButton(u"Command2"_s, u"移動出現率と通算の出現率"_s, &FormGraph3::Command2_Click);

    auto *command3 = new QPushButton(u"合成"_s, this);
    command3->setObjectName(u"Command3"_s);
    connect(command3, &QPushButton::clicked, this, &FormGraph3::Command3_Click);
    controls->addWidget(command3);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(u"Slider1"_s);
    m_slider->setRange(kMinOpacity, 255);
    m_slider->setValue(255);
    m_slider->setMinimumWidth(120);
    connect(m_slider, &QSlider::valueChanged, this, &FormGraph3::Slider1_Scroll);
    controls->addWidget(m_slider);
    controls->addStretch(1);
    return controls;
}

FormGraph3::~FormGraph3() = default;

NumericLineEdit *FormGraph3::axisField(int index) const
{
    return m_axisFields.value(index);
}

void FormGraph3::fillEmptyFields(bool moving)
{
    for (NumericLineEdit *field : std::as_const(m_axisFields)) {
        if (field->text().isEmpty())
            field->setText(u"0"_s);
    }
    if (moving) {
        if (m_spanField->text().isEmpty() || fieldCount(m_spanField) == 0)
            m_spanField->setText(u"1"_s);
    }
}

void FormGraph3::MakeGraph3_2()
{
    fillEmptyFields(true);
    // Without the owner's rate rows there is nothing to plot: the chart stays as it is.
    if (std::optional<RateChart> rates =
            rateChart(m_owner->grid(), RateView::Moving, fieldCount(m_spanField), kMaxPlotPoints))
        showChart(std::move(*rates));
}

void FormGraph3::MakeGraph3()
{
    fillEmptyFields(false);
    if (!m_owner->Check2()->isChecked())
        return;
    if (std::optional<RateChart> rates = rateChart(m_owner->grid(), RateView::Final, 0, kMaxPlotPoints))
        showChart(std::move(*rates));
}

void FormGraph3::showChart(RateChart chartData)
{
    m_data = std::move(chartData);
    const int points = int(m_data.categories.size());
    const int draws = m_data.draws.empty() ? 0 : m_data.draws.back();

    m_chart->removeAllSeries();
    const QStringList labels = m_axisX->categoriesLabels();
    for (const QString &label : labels)
        m_axisX->remove(label);
    if (points > 0) {
        const int step = std::max(1, (points + kMaxDrawLabels - 1) / kMaxDrawLabels);
        m_axisX->setStartValue(0.5);
        for (int k = step; k <= points; k += step)
            m_axisX->append(m_data.categories[k - 1], m_data.draws[size_t(k - 1)]);
    }
    // One category per draw, centred on its grid column when laid over the grid.
    m_axisX->setRange(0.5, std::max(draws, 1) + 0.5);

    addChanceBand();
    for (qsizetype s = 0; s < m_data.seriesLabels.size(); ++s) {
        auto *series = new QLineSeries;
        series->setName(m_data.seriesLabels[s]);
        QList<QPointF> line;
        line.reserve(points);
        const std::vector<double> &values = m_data.values[size_t(s)];
        for (int k = 0; k < points; ++k)
            line.append(QPointF(m_data.draws[size_t(k)], values[size_t(k)]));
        series->replace(line);
        // The first of a pair is the reference line: thinner and dashed in the pair's colour.
        QPen pen(seriesColor(int(s / 2)));
        pen.setWidthF(s % 2 == 0 ? 1.0 : 2.0);
        if (s % 2 == 0)
            pen.setStyle(Qt::DashLine);
        series->setPen(pen);
        m_chart->addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
    }
    m_chart->legend()->setVisible(m_data.seriesLabels.size() <= kMaxLegendSeries);
    applyAxis();
    Q_EMIT chartRebuilt();
}

void FormGraph3::addChanceBand()
{
    // Where a number's running rate stays 95% of the time when chance alone draws: narrow after
    // many draws, wide after few. Behind the lines, without a legend entry of its own.
    const double p = m_owner->grid().chance;
    if (p <= 0 || m_data.draws.empty())
        return;
    auto *low = new QLineSeries(m_chart);
    auto *high = new QLineSeries(m_chart);
    for (const int h : m_data.draws) {
        const Chance::Band band = Chance::countBand(h, p);
        low->append(h, 100.0 * band.low / h);
        high->append(h, 100.0 * band.high / h);
    }
    auto *area = new QAreaSeries(high, low);
    area->setName(u"偶然の範囲（95%）"_s);
    area->setPen(Qt::NoPen);
    area->setBrush(QColor(255, 200, 0, 70));
    m_chart->addSeries(area);
    area->attachAxis(m_axisX);
    area->attachAxis(m_axisY);
}

void FormGraph3::applyAxis()
{
    const double maximum = fieldNumber(axisField(0));
    const double minimum = fieldNumber(axisField(1));
    const qint64 major = std::clamp<qint64>(fieldCount(axisField(2)), 1, kMaxDivisions);
    const qint64 minor = std::clamp<qint64>(fieldCount(axisField(3)), 1, kMaxDivisions);
    // An empty or inverted range cannot be drawn; the axis keeps its last one.
    if (maximum > minimum)
        m_axisY->setRange(minimum, maximum);
    m_axisY->setTickCount(int(major) + 1);
    m_axisY->setMinorTickCount(int(minor) - 1);
}

void FormGraph3::Command1_Click()
{
    MakeGraph3();
}

void FormGraph3::Command2_Click()
{
    if (m_owner->Check2()->isChecked())
        m_owner->Check2_Click();
    else
        m_owner->Check2()->setChecked(true);  // fires the owner's Check2_Click
}

void FormGraph3::Text1_Enter()
{
    applyAxis();
}

void FormGraph3::Text2_Enter()
{
    Command2_Click();
}

void FormGraph3::Slider1_Scroll(int value)
{
    SetTranslucent(this, value);
}

QRect FormGraph3::plotAreaOnScreen() const
{
    // The chart lays itself out lazily; a size change may not have reached the plot area yet.
    if (QLayout *own = layout())
        own->activate();
    m_chart->layout()->activate();
    const QRectF inScene = m_chart->mapRectToScene(m_chart->plotArea());
    const QRect inView = m_chartView->mapFromScene(inScene).boundingRect();
    return QRect(m_chartView->viewport()->mapToGlobal(inView.topLeft()), inView.size());
}

void FormGraph3::Command3_Click()
{
    // The grid's draw columns start right of the label column and below the header row; the
    // window system places both windows, so screen positions already include every frame.
    VirtualGridView *grid = m_owner->MSFlexGrid1();
    const int columns = grid->source().columns();
    if (columns < 2)
        return;
    const QPoint gridOrigin = grid->viewport()->mapToGlobal(QPoint(grid->cellX(1), grid->headerRowHeight()));
    // Only the part of the draw columns on screen: a long selection scrolls the grid.
    const int gridWidth = std::min(grid->columnWidth() * (columns - 1), grid->viewport()->width() - grid->cellX(1));

    const QRect plot = plotAreaOnScreen();
    // Client-area geometry: the shift applies to it exactly, whatever the frame.
    const QRect client = geometry();
    setGeometry(QRect(client.topLeft() + (gridOrigin - plot.topLeft()),
                      QSize(client.width() + (gridWidth - plot.width()), client.height())));
}

void FormGraph3::closeEvent(QCloseEvent *event)
{
    hide();
    event->ignore();
}
