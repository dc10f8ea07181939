#include "graphs/formgraph.h"

#include "core/controlarray.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/rowsource.h"
#include "core/viewexport.h"
#include "core/widgets.h"
#include "graphs/chance.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QAreaSeries>
#include <QChartView>
#include <QLineSeries>
#include <QGraphicsLayout>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int kCellPadding = 12;

// Draws a cell's own text colour in selected rows too, instead of the highlight's.
class ForegroundKeepingDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if (foreground.canConvert<QBrush>())
            option->palette.setBrush(QPalette::HighlightedText, foreground.value<QBrush>());
    }
};
} // namespace

FormGraph::FormGraph(const ToolContext &context, QWidget *parent)
    : QWidget(parent ? parent : &context.mainWindow(), Qt::Window), m_context(context)
{
    setWindowTitle(graphDesignCaption());
    // Made in the order Tab goes: the buttons at the top, then the chart and the table.
    QLayout *top = buildTopRow();
    buildChart();
    buildTable();

    auto *body = new QHBoxLayout;
    body->addWidget(m_chartView, 1);
    body->addWidget(m_list);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_chance);
    layout->addLayout(body, 1);

    resize(960, 420);
}

void FormGraph::buildChart()
{
    m_chart = new QChart;
    m_chart->legend()->hide();
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    // The band of chance first, so the bars stand in front of it.
    m_bandLow = new QLineSeries(this);
    m_bandHigh = new QLineSeries(this);
    m_band = new QAreaSeries(m_bandHigh, m_bandLow);
    m_band->setName(u"偶然の範囲（95%）"_s);
    m_band->setPen(Qt::NoPen);
    m_band->setBrush(QColor(255, 200, 0, 70));
    m_chart->addSeries(m_band);
    auto *series = new QBarSeries;
    m_bars = new QBarSet(frequencySeriesLabel());
    series->append(m_bars);
    series->setBarWidth(0.7);
    m_chart->addSeries(series);
    m_axisX = new QBarCategoryAxis;
    // Every number must show under its bar, even with 43 bars in a narrow window.
    QFont small = m_axisX->labelsFont();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.75));
    m_axisX->setLabelsFont(small);
    m_axisX->setTruncateLabels(false);
    m_axisY = new QValueAxis;
    m_axisY->setLabelFormat(u"%d"_s);
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);
    series->attachAxis(m_axisX);
    series->attachAxis(m_axisY);
    m_band->attachAxis(m_axisX);
    m_band->attachAxis(m_axisY);

    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(u"MSChart1"_s);
    m_chartView->setRenderHint(QPainter::Antialiasing, false);
    ViewExport::enable(m_chartView);
}

void FormGraph::buildTable()
{
    m_list = new QTreeWidget(this);
    m_list->setObjectName(u"ListView1"_s);
    setupReportList(m_list);
    m_list->header()->setSortIndicatorShown(false);
    m_list->setColumnCount(0);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &FormGraph::ListView1_ColumnClick);

    // Selected rows (all of them after a count) must still show the red shares.
    m_list->setItemDelegate(new ForegroundKeepingDelegate(m_list));
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Highlight, palette.color(QPalette::Highlight).lighter(175));
    palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Text));
    m_list->setPalette(palette);

    // The table is as wide as its columns; the chart takes the rest, both the same height.
    int columnsWidth = 0;
    for (int twips : frequencyColumnTwips())
        columnsWidth += twipsToPixels(twips);
    fitTableWidth(columnsWidth);
}

QLayout *FormGraph::buildTopRow()
{
    m_expectation = new QLabel(u"n/43"_s, this);
    m_expectation->setObjectName(u"Label1"_s);
    m_oddEven = new QLabel(this);
    m_oddEven->setObjectName(u"Label2"_s);
    m_chance = new QLabel(this);
    m_chance->setObjectName(u"Label3"_s);
    for (QLabel *label : {m_expectation, m_oddEven, m_chance})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *command1 = new QPushButton(u"更新"_s, this);
    command1->setObjectName(u"Command1"_s);
    connect(command1, &QPushButton::clicked, this, &FormGraph::Command1_Click);
    auto *command2 = new QPushButton(u"偶奇数"_s, this);
    command2->setObjectName(u"Command2"_s);
    connect(command2, &QPushButton::clicked, this, &FormGraph::Command2_Click);

    auto *top = new QHBoxLayout;
    top->addWidget(m_expectation);
    top->addSpacing(24);
    top->addWidget(m_oddEven);
    top->addStretch(1);
    top->addWidget(command1);
    top->addWidget(command2);
    return top;
}

void FormGraph::fitTableWidth(int columnsWidth)
{
    m_list->setFixedWidth(columnsWidth + m_list->verticalScrollBar()->sizeHint().width() + 2 * m_list->frameWidth());
}

FormGraph::~FormGraph() = default;

void FormGraph::fillChart(const std::vector<qint64> &counts, int maxNo)
{
    if (m_axisX->count() != maxNo) {
        QStringList labels;
        for (int n = 1; n <= maxNo; ++n)
            labels.append(QString::number(n));
        m_axisX->setCategories(labels);
    }
    QList<qreal> values;
    values.reserve(maxNo);
    qint64 highest = 0;
    for (int n = 1; n <= maxNo; ++n) {
        const qint64 count = size_t(n) <= counts.size() ? counts[size_t(n) - 1] : 0;
        values.append(qreal(count));
        highest = std::max(highest, count);
    }
    m_bars->remove(0, m_bars->count());
    m_bars->append(values);
    m_axisY->setRange(0, qreal(std::max<qint64>(highest, 1)));
    m_axisY->applyNiceNumbers();
}

void FormGraph::setChanceShown(bool shown)
{
    m_chanceShown = shown;
    m_chance->setVisible(shown);
    m_band->setVisible(shown);
}

void FormGraph::showChance(const NumberCounts &counts, int columns, int maxNo)
{
    // Each draw shows a number in one of its `columns` cells with chance columns/maxNo: over the
    // analysed draws its count is binomial, the same band for every number.
    const std::optional<Chance::Uniformity> test = m_chanceShown ? Chance::uniformity(counts.counts, columns) : std::nullopt;
    m_chance->setText(test ? Chance::uniformityText(*test) : QString());
    QList<QPointF> low, high;
    if (test && maxNo > 0) {
        const Chance::Band band = Chance::countBand(counts.selected, double(columns) / maxNo);
        low = {QPointF(-0.5, band.low), QPointF(maxNo - 0.5, band.low)};
        high = {QPointF(-0.5, band.high), QPointF(maxNo - 0.5, band.high)};
        if (band.high > m_axisY->max()) {
            m_axisY->setRange(0, band.high);
            m_axisY->applyNiceNumbers();
        }
    }
    m_bandLow->replace(low);
    m_bandHigh->replace(high);
}

void FormGraph::MakeGraph()
{
    const int maxNo = MaxNo();
    NumberCounts counts;
    if (m_rows)
        counts = countNumbers(*m_rows, m_noTop, m_noEnd, maxNo);
    else
        counts.counts.assign(size_t(std::max(maxNo, 0)), 0);

    fillChart(counts.counts, maxNo);
    const int columns = m_noEnd - m_noTop + 1;
    m_expectation->setText(expectationText(columns, maxNo));
    showChance(counts, columns, maxNo);

    m_list->clear();
    m_ranked = rankNumbers(counts, columns, maxNo);
    if (counts.selected == 0)
        return;

    m_list->setColumnCount(0);
    m_list->setHeaderLabels(frequencyHeaders(m_ranked.shareHeader));
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    for (int c = 1; c < m_list->columnCount(); ++c)
        m_list->headerItem()->setTextAlignment(c, right);

    QList<QTreeWidgetItem *> items;
    items.reserve(m_ranked.rows.size());
    for (const FrequencyRow &row : std::as_const(m_ranked.rows)) {
        auto *item = new QTreeWidgetItem(row.cells());
        item->setData(0, Qt::UserRole, int(items.size()));
        for (int c = 1; c < m_list->columnCount(); ++c)
            item->setTextAlignment(c, right);
        if (row.belowExpected)
            item->setForeground(3, QColor(255, 0, 0));
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    // The rows come ranked, most frequent first: the count column, descending.
    m_sortOrder.set(Qt::DescendingOrder);
    m_list->header()->setSortIndicator(2, m_sortOrder.order());

    m_list->selectAll();
    Command2_Click();

    // The column widths of the table's design, widened where this system's font needs more.
    const QList<int> twips = frequencyColumnTwips();
    int tableWidth = 0;
    for (int c = 0; c < twips.size(); ++c) {
        int width = twipsToPixels(twips[c]);
        if (width > 0) {
            int widest = m_list->header()->fontMetrics().horizontalAdvance(m_list->headerItem()->text(c));
            for (int r = 0; r < m_list->topLevelItemCount(); ++r)
                widest = std::max(widest, m_list->fontMetrics().horizontalAdvance(m_list->topLevelItem(r)->text(c)));
            width = std::max(width, widest + kCellPadding);
        }
        m_list->setColumnWidth(c, width);
        tableWidth += width;
    }
    fitTableWidth(tableWidth);
}

void FormGraph::Command1_Click()
{
    MakeGraph();
}

void FormGraph::Command2_Click()
{
    QList<FrequencyRow> selected;
    for (const QTreeWidgetItem *item : m_list->selectedItems())
        selected.append(m_ranked.rows.value(item->data(0, Qt::UserRole).toInt()));
    m_oddEven->setText(oddEvenText(selected));
}

void FormGraph::ListView1_ColumnClick(int column)
{
    const Qt::SortOrder order = m_sortOrder.next();
    sortTreeItems(m_list, column, order);
}

void FormGraph::closeEvent(QCloseEvent *event)
{
    // The instance and its contents stay for the next opening.
    hide();
    event->ignore();
}
