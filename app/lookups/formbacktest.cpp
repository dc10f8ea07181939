#include "lookups/formbacktest.h"

#include "core/backgroundtask.h"
#include "core/drawtable.h"
#include "core/formmain.h"
#include "core/gamerules.h"
#include "core/messages.h"
#include "core/taskprogress.h"
#include "core/viewexport.h"
#include "core/widgets.h"
#include "lookups/backtesttext.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <bit>

using namespace Qt::StringLiterals;

FormBackTest::FormBackTest(const ToolContext &context, QWidget *parent)
    : QWidget(parent ? parent : &context.mainWindow(), Qt::Window), m_context(context)
{
    setObjectName(u"FormBackTest"_s);
    setWindowTitle(u"過去の抽選で検証"_s);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(u"ListView1"_s);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    ViewExport::enable(m_list);
    m_summary = new QLabel(this);
    m_summary->setObjectName(u"Label1"_s);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_summary->setWordWrap(true);

    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(u"Chart1"_s);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(220);
    ViewExport::enable(m_chartView);

    auto *top = new QSplitter(Qt::Horizontal, this);
    top->addWidget(m_list);
    top->addWidget(m_summary);
    top->setStretchFactor(0, 3);
    top->setStretchFactor(1, 1);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(top);
    split->addWidget(m_chartView);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split);

    m_task = new BackgroundTask(this);
    m_progress = new TaskProgress(this, m_task, u"過去の抽選で検証しています…"_s);
    resize(980, 640);
}

FormBackTest::~FormBackTest() = default;

bool FormBackTest::isRunning() const
{
    return m_task->isRunning();
}

void FormBackTest::start(const std::vector<quint64> &tickets, const QString &source)
{
    const DrawTable *draws = m_context.firstTable();
    if (!draws || draws->rowCount() == 0) {
        Messages::warn(this, u"検証する抽選結果がありません。メインウィンドウでファイルを読み込んでください。"_s);
        return;
    }
    const int picks = GameRules::of(draws->runMode()).picks();
    for (const quint64 ticket : tickets) {
        if (std::popcount(ticket) != picks) {
            Messages::warn(this, u"メインウィンドウの抽選結果は %1 のものです。同じゲームの抽選結果で検証してください。"_s
                                     .arg(GameRules::of(draws->runMode()).name()));
            return;
        }
    }
    setWindowTitle(u"過去の抽選で検証 - %1"_s.arg(source));
    m_task->drop();
    // The draws as they are now: the main window may change its selection while this runs.
    auto snapshot = std::make_shared<DrawTable>(*draws);
    const int runMode = draws->runMode();
    m_task->start(
        [snapshot, runMode, tickets](BackgroundTask::Run &run) {
            return BackTest::run(*snapshot, runMode, tickets, run.cancelFlag(),
                                 [&run](qint64 done, qint64 total) { run.setProgress(done, total); });
        },
        [this](std::optional<BackTest::Result> result) {
            m_progress->finish();
            if (result)
                display(std::move(*result));
            Q_EMIT finished();
        });
    m_progress->start();
}

void FormBackTest::display(BackTest::Result result)
{
    m_result = std::move(result);
    const QStringList headers = BackTestText::headers(m_result->runMode);
    m_list->clear();
    m_list->setHeaderLabels(headers);
    // Numbers stand right, under headers that do too; the date and the tier read from the left.
    for (int c = 0; c < headers.size(); ++c) {
        if (c != 1 && c != 2)
            m_list->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    QList<QTreeWidgetItem *> items;
    items.reserve(qsizetype(m_result->draws.size()));
    for (const BackTest::Draw &draw : m_result->draws) {
        auto *item = new QTreeWidgetItem(BackTestText::cells(*m_result, draw));
        for (int c = 0; c < headers.size(); ++c) {
            if (c != 1 && c != 2)
                item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    for (int c = 0; c < headers.size(); ++c)
        m_list->resizeColumnToContents(c);
    m_summary->setText(BackTestText::summary(*m_result).join(u'\n'));
    drawChart();
}

void FormBackTest::drawChart()
{
    m_chart->removeAllSeries();
    for (QAbstractAxis *axis : m_chart->axes())
        m_chart->removeAxis(axis);
    auto *balance = new QLineSeries;
    balance->setName(u"累計収支（円）"_s);
    auto *expected = new QLineSeries;
    expected->setName(u"同じ口数の無作為な買い方の期待値"_s);
    double low = 0;
    double high = 0;
    for (size_t i = 0; i < m_result->draws.size(); ++i) {
        const BackTest::Draw &draw = m_result->draws[i];
        balance->append(double(i + 1), double(draw.balance));
        expected->append(double(i + 1), draw.expectedBalance);
        low = std::min({low, double(draw.balance), draw.expectedBalance});
        high = std::max({high, double(draw.balance), draw.expectedBalance});
    }
    m_chart->addSeries(expected);
    m_chart->addSeries(balance);
    auto *x = new QValueAxis;
    x->setTitleText(u"抽選（選んだ順）"_s);
    x->setLabelFormat(u"%d"_s);
    x->setRange(1, std::max<double>(2, double(m_result->draws.size())));
    auto *y = new QValueAxis;
    y->setLabelFormat(u"%.0f"_s);
    y->setRange(low, high > low ? high : low + 1);
    y->applyNiceNumbers();
    m_chart->addAxis(x, Qt::AlignBottom);
    m_chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries *series : {expected, balance}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}
