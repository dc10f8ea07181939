#include "graphs/formgraph2.h"

#include "core/controlarray.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"
#include "graphs/formgraph3.h"
#include "graphs/frequency.h"
#include "graphs/trend.h"
#include "graphs/trendcells.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int kBoxesPerLine = 20;
constexpr int kLabelColumnTwips = 300;
constexpr int kHeaderRowTwips = 200;
} // namespace

FormGraph2::FormGraph2(const ToolContext &context, QWidget *parent)
    : QWidget(parent ? parent : &context.mainWindow(), Qt::Window), m_context(context),
      m_trend(std::make_shared<TrendGrid>())
{
    setWindowTitle(graphDesignCaption());

    auto *boxes = new QGridLayout;
    boxes->setHorizontalSpacing(4);
    boxes->setVerticalSpacing(2);
    // Made first: Tab goes through the number boxes, then the buttons under them, then the grid.
    buildNumberBoxes(boxes);

    auto *buttons = new QHBoxLayout;
    addButtonGroup(buttons, this, u"Command1"_s, {u"All"_s, u"Clear"_s, u"Not"_s, u"更新"_s},
                   [this](int index) { Command1_Click(index); });
    buttons->addSpacing(16);
    m_ratesBox = new QCheckBox(u"出現確率の変移"_s, this);
    m_ratesBox->setObjectName(u"Check2"_s);
    connect(m_ratesBox, &QCheckBox::toggled, this, &FormGraph2::Check2_Click);
    buttons->addWidget(m_ratesBox);
    buttons->addStretch(1);

    m_grid = new VirtualGridView(this);
    m_grid->setObjectName(u"MSFlexGrid1"_s);
    m_grid->setTableLook(true);
    QFont small = m_grid->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    m_grid->setFont(small);
    // Every draw and every row fits the visible grid while the cells stay readable: never below
    // what keeps a rate ("100%") readable; past that the grid scrolls, its draw numbers and
    // number labels staying in place.
    const QFontMetrics metrics = m_grid->fontMetrics();
    m_grid->setCellSizes({std::max(twipsToPixels(kLabelColumnTwips), metrics.horizontalAdvance(u"43"_s) + 6),
                          std::max(twipsToPixels(kHeaderRowTwips), metrics.height()),
                          metrics.horizontalAdvance(u"100%"_s) + 4, metrics.height()});
    connect(m_grid, &VirtualGridView::cellHovered, this, &FormGraph2::MSFlexGrid1_MouseMove);

    m_status = new PanelStatusBar(1, this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
    layout->setContentsMargins(8, 8, 8, 0);

    m_rateChart = new FormGraph3(this);
    resize(960, 420);
}

FormGraph2::~FormGraph2() = default;

void FormGraph2::buildNumberBoxes(QGridLayout *layout)
{
    // One box per number of the game.
    for (int i = 0; i < m_context.maxNo(); ++i) {
        auto *box = new QCheckBox(QString::number(i + 1), this);
        setControlIndex(box, u"Check1"_s, i);
        connect(box, &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
        layout->addWidget(box, i / kBoxesPerLine, i % kBoxesPerLine);
        m_numberBoxes.append(box);
    }
}

QCheckBox *FormGraph2::Check1(int index) const
{
    return m_numberBoxes.value(index);
}

void FormGraph2::Command1_Click(int index)
{
    m_busy = true;
    setBoxes(m_numberBoxes, index);
    m_busy = false;
    MakeGrid();
}

void FormGraph2::Check1_Click(int)
{
    if (!m_busy)
        MakeGrid();
}

void FormGraph2::Check2_Click()
{
    MakeGrid();
}

void FormGraph2::MakeGrid()
{
    TrendRequest request;
    request.noTop = m_noTop;
    request.noEnd = m_noEnd;
    request.maxNo = m_context.maxNo();
    request.rates = m_ratesBox->isChecked();
    request.ticked.reserve(m_numberBoxes.size());
    for (const QCheckBox *box : std::as_const(m_numberBoxes))
        request.ticked.push_back(box->isChecked());

    auto trend = std::make_shared<TrendGrid>(buildTrendGrid(m_context.mainWindow().table(), request));
    m_trend = trend;
    m_grid->setSource(std::make_shared<TrendCells>(trend), true);

    if (request.rates && trend->draws > 0) {
        m_rateChart->MakeGraph3_2();
        m_rateChart->setWindowTitle(windowTitle());
        showUpdatedWindow(m_rateChart, frameBottomLeft(this));
    }
    Q_EMIT gridRebuilt();
}

void FormGraph2::MSFlexGrid1_MouseMove(int row, int column)
{
    const QString text = trendHoverText(*m_trend, row, column);
    m_status->setPanelText(1, text);
    m_grid->setToolTip(text);
}

void FormGraph2::closeEvent(QCloseEvent *event)
{
    m_rateChart->hide();
    hide();
    event->ignore();
}
