#pragma once

#include "core/sorttoggle.h"
#include "core/toolcontext.h"
#include "lookups/tally.h"

#include <QWidget>

#include <memory>

class BackgroundTask;
class FormGraph;
class FormMain;
class NumericLineEdit;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QStatusBar;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeView;
class QVBoxLayout;
class SelectionMirror;
class TallyModel;
class TallyRows;

// "抽選結果から当選番号の抽出": the number combinations the ticked prize tiers made winning in
// the draws selected in its main window, merged and counted, with a frequency graph of the
// numbers in the listed combinations.
class FormWay : public QWidget
{
    Q_OBJECT
public:
    explicit FormWay(const ToolContext &context, QWidget *parent = nullptr);
    ~FormWay() override;

    // The main window whose selected rows are tallied.
    FormMain *SetFormMain() const { return &m_context.mainWindow(); }

    // The whole tally for LOTO6 / miniLOTO.
    void GetWay6();
    void GetWay5();
    // "更新": reruns the tally of the main window's game.
    void Command1_Click();
    // Sorts by the clicked column's text, the order flipping on every click.
    void ListView1_ColumnClick(int column);

    QCheckBox *Check1(int index) const;
    QCheckBox *Check2() const { return m_merge; }
    NumericLineEdit *Text1() const { return m_amount; }
    QPushButton *Command1() const { return m_command; }
    QTreeView *ListView1() const { return m_list; }
    TallyModel *model() const { return m_model; }
    // The table read as rows, as the sub-graph reads it.
    const TallyRows *rows() const { return m_rows.get(); }
    // How many selected draws were left out, under the table.
    QLabel *Label1() const { return m_leftOut; }
    QProgressBar *progressBar() const { return m_progress; }
    // The frequency graph of the listed combinations, null before the first tally.
    FormGraph *Graph() const { return m_graph; }
    bool isRunning() const;

    // Runs that take longer than this show a progress bar.
    void setProgressDelay(int ms) { m_progressDelayMs = ms; }

Q_SIGNALS:
    // A tally filled the table.
    void filled();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QHBoxLayout *buildControls();
    QTreeView *buildList();
    // The left-out count and the progress bar under the table, and the run behind the bar.
    void buildRunDisplay(QVBoxLayout *layout);
    void getWay(int runMode);
    Tally::Settings settings(int runMode) const;
    void stopRun();
    void fill(std::shared_ptr<const Tally::Result> result);
    void showRunning(bool running);
    void hideGraph();
    void autoSizeColumns();

    ToolContext m_context;
    QList<QCheckBox *> m_tiers;
    QCheckBox *m_merge = nullptr;
    NumericLineEdit *m_amount = nullptr;
    QPushButton *m_command = nullptr;
    QTreeView *m_list = nullptr;
    TallyModel *m_model = nullptr;
    std::unique_ptr<TallyRows> m_rows;
    QLabel *m_leftOut = nullptr;
    QStatusBar *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QTimer *m_progressDelay = nullptr;
    BackgroundTask *m_task = nullptr;
    FormGraph *m_graph = nullptr;  // a child window: lives as long as this one
    SortToggle m_sortOrder;
    std::unique_ptr<SelectionMirror> m_selection;
    int m_progressDelayMs = 300;
};
