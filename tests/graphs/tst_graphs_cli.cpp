#include "windowfixture.h"

#include "core/controlarray.h"
#include "core/drawfile.h"
#include "core/fields.h"
#include "core/griddata.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "graphs/graphsfeature.h"
#include "graphs/formgraph2.h"
#include "graphs/trend.h"
#include "graphs/formgraph3.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <map>

using namespace Qt::StringLiterals;
using testsupport::CliRun;
using testsupport::runCli;

namespace {
// What the windows show, written out by the dump rules.
QStringList gridLines(const GridSource &grid)
{
    QStringList out;
    for (int r = 0; r < grid.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.columns(); ++c)
            cells.append(grid.text(r, c).isEmpty() && grid.backColor(r, c) != kNoGridColor ? u"*"_s : grid.text(r, c));
        out.append(cells.join(u'\t'));
    }
    return out;
}

QStringList chartLines(const FormGraph3 *chart)
{
    const QList<QAbstractSeries *> series = chart->chart()->series();
    QStringList labels;
    for (QAbstractSeries *s : series)
        labels.append(s->name());
    QStringList out{(QStringList{QString()} + labels).join(u'\t')};
    const QStringList categories = chart->chartData().categories;
    for (qsizetype h = 0; h < categories.size(); ++h) {
        QStringList cells{categories[h]};
        for (QAbstractSeries *s : series)
            cells.append(QString::number(qobject_cast<QLineSeries *>(s)->at(int(h)).y(), 'g', 15));
        out.append(cells.join(u'\t'));
    }
    return out;
}

void selectLastRows(FormMain &window, int n)
{
    window.findChild<QLineEdit *>(u"Text1"_s)->setText(QString::number(n));
    controlAt<QPushButton>(&window, u"Command2"_s, 1)->click();
}
} // namespace

class GraphsCliTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freqPrintsWhatTheWindowShows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("slot");
        const std::tuple<const char *, QString, QString, QString> entries[] = {
            {"with-bonus", u"with-bonus"_s, u"menuEasyNumberB"_s, GraphTools::GraphWithBonus},
            {"without-bonus", u"without-bonus"_s, u"menuEasyNumber"_s, GraphTools::GraphWithoutBonus},
            {"bonus", u"bonus"_s, u"menuBonus"_s, GraphTools::GraphBonusOnly},
        };
        for (const auto &[tag, columns, action, slot] : entries) {
            QTest::addRow("LOTO6 %s", tag) << testsupport::loto6File() << columns << action << slot;
            QTest::addRow("miniLOTO %s", tag) << testsupport::miniLotoFile() << columns << action << slot;
        }
    }

    void freqPrintsWhatTheWindowShows()
    {
        QFETCH(QString, file);
        QFETCH(QString, columns);
        QFETCH(QString, action);
        QFETCH(QString, slot);

        testsupport::MessageRecorder messages;
        FormMain main(testsupport::program());
        QVERIFY(main.loadFile(file));
        selectLastRows(main, 120);
        main.findChild<QAction *>(action)->trigger();
        auto *graph = main.tools().get<FormGraph>(slot);

        const CliRun run = runCli({u"freq"_s, file, u"--columns"_s, columns, u"--select"_s, u"last:120"_s});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.sectionNames(), (QStringList{u"FormGraph.Caption"_s, u"FormGraph.MSChart1"_s, u"FormGraph.Label1"_s,
                                                 u"FormGraph.ListView1"_s, u"FormGraph.Label2"_s}));
        QCOMPARE(run.section(u"FormGraph.Caption"_s), QStringList{graph->windowTitle()});
        QCOMPARE(run.section(u"FormGraph.Label1"_s), QStringList{graph->Label1()->text()});
        QCOMPARE(run.section(u"FormGraph.ListView1"_s), testsupport::listLines(graph->ListView1(), true));
        QCOMPARE(run.section(u"FormGraph.Label2"_s), QStringList{graph->Label2()->text()});

        const QBarSet *bars = qobject_cast<QBarSeries *>(graph->MSChart1()->chart()->series().first())->barSets().first();
        QStringList chart{u'\t' + bars->label()};
        for (int i = 0; i < bars->count(); ++i)
            chart.append(QString::number(i + 1) + u'\t' + QString::number(bars->at(i)));
        QCOMPARE(run.section(u"FormGraph.MSChart1"_s), chart);
    }

    void freqCountsTheFileText()
    {
        // The last 50 draws of the real file, counted from its lines.
        QFile file(testsupport::loto6File());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList lines = DrawFile::decode(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        lines = lines.mid(lines.size() - 50);
        std::map<int, int> counts;
        int even = 0;
        int odd = 0;
        for (const QString &line : lines) {
            const QStringList fields = line.split(u',');
            for (int f = 2; f <= 7; ++f) {
                const int n = fields[f].toInt();
                ++counts[n];
                (n % 2 == 0 ? even : odd) += 1;
            }
        }
        const CliRun run = runCli({u"freq"_s, testsupport::loto6File(), u"--columns"_s, u"without-bonus"_s, u"--select"_s, u"last:50"_s});
        QCOMPARE(run.status, 0);
        const QStringList chart = run.section(u"FormGraph.MSChart1"_s);
        QCOMPARE(chart.size(), 44);
        for (int n = 1; n <= 43; ++n)
            QCOMPARE(chart[n], QString::number(n) + u'\t' + QString::number(counts[n]));
        const QStringList table = run.section(u"FormGraph.ListView1"_s);
        QCOMPARE(table.first(), u"番号\t出現数n\tn/50\tRank\t偶奇数"_s);
        QCOMPARE(table.size(), 44);
        const QStringList top = table[1].split(u'\t');
        int most = 0;
        for (const auto &[n, c] : counts)
            most = std::max(most, c);
        QCOMPARE(top[1], padCell(QString::number(most), 5));
        QCOMPARE(top[3], u" 1"_s);
        const QString label2 = run.section(u"FormGraph.Label2"_s).value(0);
        QVERIFY(label2.startsWith(u" 偶数 "_s + QString::number(even) + u"回 "_s));
        QVERIFY(label2.contains(u"    奇数 "_s + QString::number(odd) + u"回 "_s));
    }

    void trendGridAndChartOfFourDraws()
    {
        QTemporaryDir dir;
        const QString path = testsupport::writeTextFile(dir, u"four_Download.csv"_s, testsupport::loto6Text(fourDraws()));
        const CliRun marks = runCli({u"trend"_s, path, u"--columns"_s, u"without-bonus"_s, u"--numbers"_s, u"13 7"_s});
        QCOMPARE(marks.status, 0);
        QCOMPARE(marks.sectionNames(), QStringList{u"FormGraph2.MSFlexGrid1"_s});
        QCOMPARE(marks.section(u"FormGraph2.MSFlexGrid1"_s),
                 (QStringList{u"\t101\t102\t103\t104"_s, u"7\t*\t\t*\t"_s, u"13\t\t\t\t"_s}));

        const CliRun rates = runCli({u"trend"_s, path, u"--columns"_s, u"without-bonus"_s, u"--numbers"_s, u"7 13"_s, u"--rates"_s,
                               u"--window"_s, u"1"_s});
        QCOMPARE(rates.status, 0);
        QCOMPARE(rates.section(u"FormGraph2.MSFlexGrid1"_s),
                 (QStringList{u"\t101\t102\t103\t104"_s, u"7\t*\t\t*\t"_s, u"7\t100%\t50%\t66.6666666666667%\t50%"_s,
                              u"13\t\t\t\t"_s, u"13\t0%\t0%\t0%\t0%"_s}));
        QCOMPARE(rates.section(u"FormGraph3.MSChart1"_s),
                 (QStringList{u"\t7平均\t7\t13平均\t13"_s, u"101回\t100\t100\t0\t0"_s, u"102回\t50\t0\t0\t0"_s,
                              u"103回\t66.6666666666667\t100\t0\t0"_s, u"104回\t50\t0\t0\t0"_s}));

        const CliRun final = runCli({u"trend"_s, path, u"--columns"_s, u"with-bonus"_s, u"--numbers"_s, u"7"_s, u"--rates"_s, u"--final"_s});
        QCOMPARE(final.section(u"FormGraph3.MSChart1"_s),
                 (QStringList{u"\t7平均\t7"_s, u"101回\t50\t100"_s, u"102回\t50\t50"_s, u"103回\t50\t66.6666666666667"_s,
                              u"104回\t50\t50"_s}));

        // No selected draw: the grid has its labels, the chart is not opened.
        const CliRun none = runCli({u"trend"_s, path, u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"2"_s, u"--rates"_s, u"--select"_s,
                              u"first:0"_s});
        QCOMPARE(none.status, 0);
        QCOMPARE(none.sectionNames(), QStringList{u"FormGraph2.MSFlexGrid1"_s});
        QCOMPARE(none.section(u"FormGraph2.MSFlexGrid1"_s), (QStringList{QString(), u"2"_s, u"2"_s}));

        // No number ticked: the chart has its draw categories and no series at all.
        const CliRun empty = runCli({u"trend"_s, path, u"--columns"_s, u"with-bonus"_s, u"--numbers"_s, QString(),
                                     u"--rates"_s, u"--select"_s, u"last:2"_s});
        QCOMPARE(empty.status, 0);
        QCOMPARE(empty.section(u"FormGraph3.MSChart1"_s), (QStringList{QString(), u"103回"_s, u"104回"_s}));
    }

    void trendPrintsWhatTheWindowsShow()
    {
        testsupport::MessageRecorder messages;
        FormMain main(testsupport::program());
        QVERIFY(main.loadFile(testsupport::miniLotoFile()));
        selectLastRows(main, 40);
        main.findChild<QAction *>(u"menuEasyNumberB"_s)->trigger();
        auto *trend = main.tools().get<FormGraph2>(GraphTools::TrendWithBonus);
        trend->Command1_Click(BoxesClear);
        for (int n : {3, 17, 31})
            trend->Check1(n - 1)->setChecked(true);
        FormGraph3 *chart = trend->graph3();
        chart->findChild<QLineEdit *>(u"Text2"_s)->setText(u"7"_s);
        trend->Check2()->setChecked(true);

        const QStringList args{u"trend"_s, testsupport::miniLotoFile(), u"--columns"_s, u"with-bonus"_s, u"--select"_s,
                               u"last:40"_s, u"--numbers"_s, u"31 3 17"_s, u"--rates"_s, u"--window"_s, u"7"_s};
        const CliRun moving = runCli(args);
        QCOMPARE(moving.status, 0);
        QCOMPARE(moving.section(u"FormGraph2.MSFlexGrid1"_s), gridLines(trend->MSFlexGrid1()->source()));
        QCOMPARE(moving.section(u"FormGraph3.MSChart1"_s), chartLines(chart));

        chart->Command1_Click();
        const CliRun final = runCli(args + QStringList{u"--final"_s});
        QCOMPARE(final.section(u"FormGraph3.MSChart1"_s), chartLines(chart));
    }

    void refusalsAndUsage()
    {
        const QString file = testsupport::loto6File();
        const QList<QStringList> usage{
            {u"freq"_s, file},
            {u"freq"_s, file, u"--columns"_s, u"main"_s},
            {u"freq"_s, file, u"--columns"_s, u"bonus"_s, u"--rates"_s},
            {u"trend"_s, file, u"--columns"_s, u"bonus"_s},
            {u"trend"_s, file, u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"0"_s},
            {u"trend"_s, file, u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"44"_s},
            {u"trend"_s, file, u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"7 x"_s},
            {u"trend"_s, file, u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"7"_s, u"--window"_s},
        };
        for (const QStringList &args : usage) {
            const CliRun run = runCli(args);
            QVERIFY2(run.status == 2, qPrintable(args.join(u' ')));
            QVERIFY(run.lines.isEmpty());
            QVERIFY(run.err.startsWith(u"usage:"_s));
        }
        // miniLOTO has no number 32.
        QCOMPARE(runCli({u"trend"_s, testsupport::miniLotoFile(), u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"32"_s}).status, 2);

        QTemporaryDir dir;
        const QString bad = testsupport::writeTextFile(dir, u"bad.csv"_s, u"not a draw file\r\n"_s);
        for (const QStringList &args : {QStringList{u"freq"_s, bad, u"--columns"_s, u"bonus"_s},
                                        QStringList{u"trend"_s, bad, u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"1"_s}}) {
            const CliRun run = runCli(args);
            QCOMPARE(run.status, 1);
            QVERIFY(run.lines.isEmpty());
            QCOMPARE(run.err, DrawFile::refusedMessage() + u'\n');
        }

        // Nothing selected is no failure: the table stays empty.
        const CliRun empty = runCli({u"freq"_s, file, u"--columns"_s, u"bonus"_s, u"--select"_s, u"first:0"_s});
        QCOMPARE(empty.status, 0);
        QCOMPARE(empty.section(u"FormGraph.ListView1"_s), QStringList{QString()});
        QCOMPARE(empty.section(u"FormGraph.Label2"_s), QStringList{QString()});
        QCOMPARE(empty.section(u"FormGraph.MSChart1"_s).last(), u"43\t0"_s);
    }
};

QTEST_MAIN(GraphsCliTest)
#include "tst_graphs_cli.moc"
