#pragma once

#include "core/toolcontext.h"
#include "lookups/backtest.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class BackgroundTask;
class QChart;
class QChartView;
class QLabel;
class QTreeWidget;
class TaskProgress;

// "過去の抽選で検証": what a set of tickets would have won over the selected draws of the first
// main window — a line per draw, the summary, and the running balance beside what random tickets
// of the same count would have brought.
class FormBackTest : public QWidget
{
    Q_OBJECT
public:
    explicit FormBackTest(const ToolContext &context, QWidget *parent = nullptr);
    ~FormBackTest() override;

    QTreeWidget *ListView1() const { return m_list; }
    QLabel *Label1() const { return m_summary; }
    QChartView *chartView() const { return m_chartView; }
    const std::optional<BackTest::Result> &result() const { return m_result; }

    // Runs the tickets (number masks of the game) over the draws off the GUI thread and shows the
    // outcome; `source` says where they came from, for the caption.
    void start(const std::vector<quint64> &tickets, const QString &source);
    bool isRunning() const;

Q_SIGNALS:
    void finished();

private:
    void display(BackTest::Result result);
    void drawChart();

    ToolContext m_context;
    QTreeWidget *m_list;
    QLabel *m_summary;
    QChart *m_chart;
    QChartView *m_chartView;
    BackgroundTask *m_task;
    TaskProgress *m_progress;
    std::optional<BackTest::Result> m_result;
};
