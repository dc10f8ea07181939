#include "lookups/formway.h"

#include "core/backgroundtask.h"
#include "core/controlarray.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/gamerules.h"
#include "core/messages.h"
#include "core/selectionmirror.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "lookups/tallymodel.h"
#include "lookups/tallyrows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <QStatusBar>

#include <algorithm>

using namespace Qt::StringLiterals;

FormWay::FormWay(const ToolContext &context, QWidget *parent)
    : QWidget(parent ? parent : &context.mainWindow(), Qt::Window), m_context(context)
{
    setObjectName(u"FormWay"_s);
    setWindowTitle(Tally::caption());

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildControls());
    layout->addWidget(buildList(), 1);
    buildRunDisplay(layout);
    m_status = new QStatusBar(this);
    m_status->setObjectName(u"StatusBar1"_s);
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);
    resize(920, 440);
}

QHBoxLayout *FormWay::buildControls()
{
    auto *controls = new QHBoxLayout;
    for (int i = 0; i < Tally::kMaxTiers; ++i) {
        auto *box = new QCheckBox(Tally::tierCaption(i + 1), this);
        setControlIndex(box, u"Check1"_s, i);
        box->setChecked(true);
        controls->addWidget(box);
        m_tiers.append(box);
    }
    // miniLOTO pays four tiers.
    m_tiers[4]->setVisible(GameRules::of(m_context.runMode()).tierCount() >= 5);
    controls->addSpacing(8);
    m_merge = new QCheckBox(Tally::mergeCaption(), this);
    m_merge->setObjectName(u"Check2"_s);
    controls->addWidget(m_merge);
    controls->addSpacing(8);
    m_amount = new NumericLineEdit(Tally::defaultAmountText(m_context.runMode()), this);
    m_amount->setObjectName(u"Text1"_s);
    m_amount->setExtraCharacters(u" "_s);
    m_amount->setAlignment(Qt::AlignRight);
    m_amount->setPlaceholderText(Tally::amountHint());
    m_amount->setToolTip(Tally::amountHint());
    m_amount->setFixedWidth(m_amount->fontMetrics().horizontalAdvance(u"00000000000000"_s));
    controls->addWidget(m_amount);
    m_command = new QPushButton(u"更新"_s, this);
    m_command->setObjectName(u"Command1"_s);
    connect(m_command, &QPushButton::clicked, this, &FormWay::Command1_Click);
    controls->addWidget(m_command);
    controls->addStretch(1);
    return controls;
}

QTreeView *FormWay::buildList()
{
    m_model = new TallyModel(m_context.runMode(), this);
    m_rows = std::make_unique<TallyRows>(m_model);
    m_list = new QTreeView(this);
    m_list->setObjectName(u"ListView1"_s);
    m_list->setModel(m_model);
    setupReportList(m_list);
    m_list->setAlternatingRowColors(true);
    // Every row is selected after a run: a pale highlight keeps tens of thousands of them legible.
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Highlight, palette.color(QPalette::Highlight).lighter(175));
    palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Text));
    m_list->setPalette(palette);
    m_list->header()->setSortIndicatorShown(false);
    m_list->setColumnWidth(0, 0);
    // Before the first run the headers alone say what the columns will hold: each shown whole.
    const QFontMetrics metrics = m_list->header()->fontMetrics();
    for (int c = 1; c < m_model->columnCount(); ++c) {
        const QString header = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        m_list->setColumnWidth(c, std::max(twipsToPixels(600), metrics.horizontalAdvance(header) + 28));
    }
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &FormWay::ListView1_ColumnClick);
    m_selection = std::make_unique<SelectionMirror>(
        m_list, [this](int r) { return m_model->isSelected(r); },
        [this](int first, int last, bool on) { m_model->setRangeSelected(first, last, on); });
    return m_list;
}

void FormWay::buildRunDisplay(QVBoxLayout *layout)
{
    m_leftOut = new QLabel(this);
    m_leftOut->setObjectName(u"Label1"_s);
    m_leftOut->setVisible(false);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 100);
    m_progress->setVisible(false);
    layout->addWidget(m_leftOut);
    layout->addWidget(m_progress);

    m_task = new BackgroundTask(this);
    connect(m_task, &BackgroundTask::progressChanged, this, [this] { m_progress->setValue(m_task->percent()); });
    // Short runs end before a progress bar would be worth showing.
    m_progressDelay = new QTimer(this);
    m_progressDelay->setSingleShot(true);
    connect(m_progressDelay, &QTimer::timeout, this, [this] { showRunning(true); });
}

FormWay::~FormWay() = default;

QCheckBox *FormWay::Check1(int index) const
{
    return m_tiers.value(index);
}

bool FormWay::isRunning() const
{
    return m_task->isRunning();
}

void FormWay::GetWay6()
{
    getWay(Game::Loto6);
}

void FormWay::GetWay5()
{
    getWay(Game::MiniLoto);
}

void FormWay::Command1_Click()
{
    if (GameRules::of(m_context.runMode()).isGame())
        getWay(m_context.runMode());
}

Tally::Settings FormWay::settings(int runMode) const
{
    Tally::Settings s;
    s.runMode = runMode;
    for (int i = 0; i < Tally::kMaxTiers; ++i)
        s.tiers[size_t(i)] = m_tiers[i]->isChecked();
    s.merge = m_merge->isChecked();
    s.amountText = m_amount->text();
    return s;
}

void FormWay::getWay(int runMode)
{
    Tally::Plan plan = Tally::plan(m_context.mainWindow().table(), settings(runMode));
    switch (plan.outcome) {
    case Tally::Outcome::EmptyTable:
        stopRun();
        hideGraph();
        return;
    case Tally::Outcome::NoTier:
        stopRun();
        m_model->clear();
        m_leftOut->clear();
        m_leftOut->setVisible(false);
        hideGraph();
        return;
    case Tally::Outcome::NothingSelected:
        m_status->showMessage(u"抽選結果が選ばれていません。メインウィンドウで解析する回を選んでから「更新」を押してください。"_s);
        return;
    case Tally::Outcome::AmountUnreadable:
        Messages::warn(this, Tally::amountMessage());
        return;
    case Tally::Outcome::Ready:
        break;
    }
    m_status->clearMessage();
    // A rerun replaces a run still going.
    m_task->drop();
    m_task->start(
        [plan = std::move(plan)](BackgroundTask::Run &run) {
            return std::make_shared<const Tally::Result>(Tally::run(plan, [&run](qint64 done, qint64 total) {
                run.setProgress(done, total);
                return !run.isCancelled();
            }));
        },
        [this](std::shared_ptr<const Tally::Result> result) {
            showRunning(false);
            fill(std::move(result));
        });
    m_progressDelay->start(m_progressDelayMs);
}

void FormWay::stopRun()
{
    // A run still going would fill the table after it was emptied.
    m_task->drop();
    showRunning(false);
}

void FormWay::showRunning(bool running)
{
    if (!running)
        m_progressDelay->stop();
    m_command->setEnabled(!running);
    m_progress->setValue(running ? m_task->percent() : 0);
    m_progress->setVisible(running);
}

void FormWay::fill(std::shared_ptr<const Tally::Result> result)
{
    if (!result)
        return;
    m_model->setResult(result);
    m_model->setAllSelected(true);
    m_selection->push();
    autoSizeColumns();
    m_leftOut->setText(Tally::leftOutText(result->leftOut));
    m_leftOut->setVisible(result->leftOut > 0);

    if (!m_graph) {
        m_graph = new FormGraph(m_context, this);
        m_graph->setObjectName(u"Graph"_s);
        m_graph->setWindowTitle(Tally::caption());
        m_graph->setChanceShown(false);
    }
    m_graph->setLvwObj(m_rows.get());
    m_graph->setNoTop(1);
    m_graph->setNoEnd(result->runMode);
    m_graph->MakeGraph();
    if (!m_graph->isVisible())
        placeBeside(m_graph, this);
    showToolWindow(m_graph);
    Q_EMIT filled();
}

void FormWay::hideGraph()
{
    if (m_graph)
        m_graph->hide();
}

void FormWay::autoSizeColumns()
{
    // Fitted to the cells as every result list is (columns of nothing but blanks hidden), from
    // the widest text of each column the model knows without reading every row.
    if (m_model->rows() == 0)
        return;
    LvwAutoSize(m_list, true, 0, [this](int column, const TextMeasure &measure) { return m_model->widestText(column, measure); });
    // The draws column lists every draw of its row and could grow thousands of pixels wide: it is
    // capped, its full text in the tool tip and in the exports.
    const int draws = m_model->columnCount() - 1;
    const int cap = m_list->fontMetrics().horizontalAdvance(u'0') * 48;
    if (draws > 0 && m_list->columnWidth(draws) > cap)
        m_list->setColumnWidth(draws, cap);
}

void FormWay::ListView1_ColumnClick(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    const Qt::SortOrder order = m_sortOrder.next();
    sortKeepingWidths(m_list, column, order, [&] { m_model->sortByText(column, order); });
    m_selection->push();
}

void FormWay::closeEvent(QCloseEvent *event)
{
    // Only hidden, with its sub-graph: the settings and results stay for the next showing. A run
    // still going is dropped, or its end would show the sub-graph of a closed window.
    stopRun();
    hideGraph();
    hide();
    event->ignore();
}
