#pragma once

#include "core/toolcontext.h"

#include <QList>
#include <QWidget>

#include <memory>

class FormGraph3;
class FormMain;
class TrendGrid;
class PanelStatusBar;
class VirtualGridView;
class QCheckBox;
class QGridLayout;

// Trend grid: one column per selected draw and one row per ticked number, red where the number
// came up; with "出現確率の変移" a rate row per number with the running rate, and the owned rate
// chart opened to plot it.
class FormGraph2 : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int NoTop READ NoTop WRITE setNoTop)
    Q_PROPERTY(int NoEnd READ NoEnd WRITE setNoEnd)

public:
    explicit FormGraph2(const ToolContext &context, QWidget *parent = nullptr);
    ~FormGraph2() override;

    // The main window whose selected rows are the draws.
    FormMain *SetFormMain() const { return &m_context.mainWindow(); }
    int NoTop() const { return m_noTop; }
    void setNoTop(int value) { m_noTop = value; }
    int NoEnd() const { return m_noEnd; }
    void setNoEnd(int value) { m_noEnd = value; }

    // "All", "Clear", "Not", "更新" (BoxButton): changes the number boxes, then one recompute.
    void Command1_Click(int index);
    // A number box changed (index 0 is number 1).
    void Check1_Click(int index);
    // The trend box changed, or the chart asks for a rebuild.
    void Check2_Click();
    // Hover text for the cell under the pointer, into the status bar and the grid's tooltip.
    void MSFlexGrid1_MouseMove(int row, int column);

    QCheckBox *Check1(int index) const;
    QCheckBox *Check2() const { return m_ratesBox; }
    VirtualGridView *MSFlexGrid1() const { return m_grid; }
    // The trend the grid shows.
    const TrendGrid &grid() const { return *m_trend; }
    PanelStatusBar *StatusBar1() const { return m_status; }
    // The owned rate chart, made with this window and kept for its life.
    FormGraph3 *graph3() const { return m_rateChart; }

Q_SIGNALS:
    // After every recompute of the grid.
    void gridRebuilt();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildNumberBoxes(QGridLayout *layout);
    void MakeGrid();

    ToolContext m_context;
    std::shared_ptr<const TrendGrid> m_trend;
    int m_noTop = 3;
    int m_noEnd = 8;
    bool m_busy = false;

    QList<QCheckBox *> m_numberBoxes;
    QCheckBox *m_ratesBox = nullptr;
    VirtualGridView *m_grid = nullptr;
    PanelStatusBar *m_status = nullptr;
    FormGraph3 *m_rateChart = nullptr;
};
