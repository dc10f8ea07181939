#pragma once

#include "core/sorttoggle.h"
#include "core/toolcontext.h"
#include "graphs/frequency.h"

#include <QWidget>

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QAreaSeries;
class QLabel;
class QLineSeries;
class QLayout;
class QPushButton;
class QTreeWidget;
class QValueAxis;
class RowSource;

// Frequency graph: how often each number came up in the selected rows of a list, as a bar
// chart and as a ranked table with shares, ranks and an odd/even line.
class FormGraph : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int NoTop READ NoTop WRITE setNoTop)
    Q_PROPERTY(int NoEnd READ NoEnd WRITE setNoEnd)

public:
    // A top-level window of the opener (or of the given parent), counting numbers of its game.
    explicit FormGraph(const ToolContext &context, QWidget *parent = nullptr);
    ~FormGraph() override;

    // The list to count: a main window's table, or any other list read as rows. Not owned.
    const RowSource *LvwObj() const { return m_rows; }
    void setLvwObj(const RowSource *rows) { m_rows = rows; }
    int NoTop() const { return m_noTop; }
    void setNoTop(int value) { m_noTop = value; }
    int NoEnd() const { return m_noEnd; }
    void setNoEnd(int value) { m_noEnd = value; }
    int MaxNo() const { return m_context.maxNo(); }

    // Recounts from LvwObj and refills chart, labels and table.
    void MakeGraph();
    // "更新"
    void Command1_Click();
    // "偶奇数": the odd/even line over the rows selected in this window's table.
    void Command2_Click();
    // Sorts the table by the clicked column, the order flipping on every click.
    void ListView1_ColumnClick(int column);

    QChartView *MSChart1() const { return m_chartView; }
    QTreeWidget *ListView1() const { return m_list; }
    QLabel *Label1() const { return m_expectation; }
    QLabel *Label2() const { return m_oddEven; }
    // The uniformity test of the shown counts; empty when nothing is shown.
    QLabel *Label3() const { return m_chance; }
    // The χ² line and the band of chance, for counts of drawn numbers (not for the tally's).
    void setChanceShown(bool shown);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildChart();
    void buildTable();
    QLayout *buildTopRow();
    // The table as wide as its columns and a vertical scroll bar.
    void fitTableWidth(int columnsWidth);
    void fillChart(const std::vector<qint64> &counts, int maxNo);
    void showChance(const NumberCounts &counts, int columns, int maxNo);

    ToolContext m_context;
    const RowSource *m_rows = nullptr;
    FrequencyTable m_ranked;  // the table's rows; each item keeps the index of its row
    int m_noTop = 3;
    int m_noEnd = 8;
    SortToggle m_sortOrder;

    QChartView *m_chartView = nullptr;
    QChart *m_chart = nullptr;
    QBarSet *m_bars = nullptr;
    QBarCategoryAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_expectation = nullptr;  // the share each number should have
    QLabel *m_oddEven = nullptr;      // odd and even numbers among the selected rows
    QLabel *m_chance = nullptr;       // what chance alone would do with these counts
    QAreaSeries *m_band = nullptr;
    QLineSeries *m_bandLow = nullptr;
    QLineSeries *m_bandHigh = nullptr;
    bool m_chanceShown = true;
};
