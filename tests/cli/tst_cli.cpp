// zemvara-cli as a user runs it: what each command prints for a case or two, counted here from
// the files' own lines; its exit statuses, usage errors and refusals; output it cannot write.
#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/drawfile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <unistd.h>

using namespace Qt::StringLiterals;
using testsupport::CliRun;
using testsupport::runCli;

namespace {
QString loto6() { return testsupport::loto6File(); }
QString mini() { return testsupport::miniLotoFile(); }

int picksOf(const QString &file)
{
    return file == mini() ? 5 : 6;
}

// The draws `--select last:N` leaves (all of them for a negative N).
QList<drawlines::Draw> lastDraws(const QString &file, int n)
{
    const QList<drawlines::Draw> draws = drawlines::read(file);
    return n < 0 ? draws : draws.mid(std::max<qsizetype>(0, draws.size() - n));
}

// The options that select the last `n` draws (none for a negative n: every draw is selected).
QStringList selectLast(int n)
{
    return n < 0 ? QStringList() : QStringList{u"--select"_s, u"last:%1"_s.arg(n)};
}

// Rows of the draw table as the load command prints them, keyed by draw number.
QHash<int, QString> loadedRows(const QString &file)
{
    QHash<int, QString> rows;
    const QStringList lines = runCli({u"load"_s, file}).section(u"FormMain.ListView1"_s);
    for (qsizetype i = 1; i < lines.size(); ++i)
        rows.insert(lines[i].section(u'\t', 0, 0).toInt(), lines[i]);
    return rows;
}

// The first `limit` `picks`-sets of the positions 1..n holding the first `keys`, in lexicographic
// order (every one for a negative limit).
QList<QList<int>> keyedSets(int n, int picks, int keys, int limit)
{
    QList<QList<int>> out;
    QList<int> set;
    for (int k = 1; k <= keys; ++k)
        set.append(k);
    const std::function<void(int)> extend = [&](int from) {
        if (set.size() == picks) {
            out.append(set);
            return;
        }
        for (int p = from; p <= n && out.size() != limit; ++p) {
            set.append(p);
            extend(p + 1);
            set.removeLast();
        }
    };
    extend(keys + 1);
    return out;
}

QStringList trimmedCells(const QString &line)
{
    QStringList cells = line.split(u'\t');
    for (QString &cell : cells)
        cell = cell.trimmed();
    return cells;
}
} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_data();
    void load();
    void loadPrintsATabAsABlank();
    void check_data();
    void check();
    void search_data();
    void search();
    void freq_data();
    void freq();
    void trendOfFourDraws();
    void tallyOfFirstTiers_data();
    void tallyOfFirstTiers();
    void combos_data();
    void combos();
    void guaranteeOfWheelFile();
    void patterns();
    void patternVerify_data();
    void patternVerify();
    void purchasesAndDates();
    void purchasesResaveKeepsWhatItCannotRead();
    void refusalsAndUsage_data();
    void refusalsAndUsage();
    void outputFailures_data();
    void outputFailures();
};

void TestCli::load_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("select");
    QTest::addColumn<int>("selected");  // -1: every draw
    QTest::addColumn<QString>("header");
    const QString loto6Header = u"回\t抽選日\t1\t2\t3\t4\t5\t6\tBonus\t１等口数\t１等賞金\t２等口数\t２等賞金\t３等口数\t"
                                u"３等賞金\t４等口数\t４等賞金\t５等口数\t５等賞金\tCarryOver"_s;
    const QString miniHeader = u"回\t抽選日\t1\t2\t3\t4\t5\tBonus\t１等口数\t１等賞金\t２等口数\t２等賞金\t３等口数\t"
                               u"３等賞金\t４等口数\t４等賞金"_s;
    QTest::newRow("LOTO6") << loto6() << QStringList{} << -1 << loto6Header;
    QTest::newRow("miniLOTO, last 50") << mini() << QStringList{u"--select"_s, u"last:50"_s} << 50 << miniHeader;
    QTest::newRow("more than there are") << mini() << QStringList{u"--select"_s, u"first:5000"_s} << -1 << miniHeader;
    QTest::newRow("none, joined form") << mini() << QStringList{u"--select=first:0"_s} << 0 << miniHeader;
    QTest::newRow("all") << loto6() << QStringList{u"--select"_s, u"all"_s} << -1 << loto6Header;
}

void TestCli::load()
{
    QFETCH(QString, file);
    QFETCH(QStringList, select);
    QFETCH(int, selected);
    QFETCH(QString, header);
    const CliRun run = runCli(QStringList{u"load"_s, file} + select);
    QCOMPARE(run.status, 0);
    QVERIFY(run.err.isEmpty());
    QCOMPARE(run.sectionNames(), (QStringList{u"FormMain.ListView1"_s, u"FormMain.StatusBar1.1"_s}));

    // Every draw of the file, in the file's order: draw, date and numbers as the file has them.
    const int picks = picksOf(file);
    const QList<drawlines::Draw> draws = drawlines::read(file);
    const QStringList list = run.section(u"FormMain.ListView1"_s);
    QCOMPARE(list.value(0), header);
    QCOMPARE(list.size(), draws.size() + 1);
    for (qsizetype r = 0; r < draws.size(); ++r) {
        const QStringList cells = list[r + 1].split(u'\t');
        QCOMPARE(cells.size(), header.count(u'\t') + 1);
        QCOMPARE(cells[0], u"%1"_s.arg(draws[r].kai(), 5));
        QCOMPARE(cells[1], draws[r].fields[1]);
        const QList<int> numbers = draws[r].mains(picks) + QList<int>{draws[r].bonus(picks)};
        for (int i = 0; i <= picks; ++i)
            QCOMPARE(cells[2 + i].toInt(), numbers[i]);
    }
    const qsizetype chosen = selected < 0 ? draws.size() : selected;
    QCOMPARE(run.section(u"FormMain.StatusBar1.1"_s), QStringList{u"選択数：%1/%2"_s.arg(chosen).arg(draws.size())});
}

void TestCli::loadPrintsATabAsABlank()
{
    // A tab would split the cell in two: it prints as a blank, as a copy to the clipboard has it.
    QTemporaryDir dir;
    const CliRun r = runCli({u"load"_s, testsupport::writeTextFile(dir, u"t.csv"_s, testsupport::loto6Text({u"1,2020\t1/5,1,2,3,4,5,6,7"_s}))});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.lines[2].count(u'\t'), 19);
    QVERIFY(r.lines[2].startsWith(u"    1\t2020 1/5\t 1\t"_s));
}

void TestCli::check_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("boxes");  // as typed
    QTest::addColumn<int>("last");           // draws selected from the end, -1 all
    QTest::addColumn<QString>("caption");
    QTest::newRow("LOTO6") << loto6() << QStringList{u"3"_s, u"14"_s, u"15"_s, u"26"_s, u"35"_s, u"43"_s} << -1
                           << u"過去の抽選結果と照合 3 14 15 26 35 43"_s;
    QTest::newRow("miniLOTO") << mini() << QStringList{u"2"_s, u"9"_s, u"16"_s, u"23"_s, u"30"_s} << -1
                              << u"過去の抽選結果と照合 2 9 16 23 30 "_s;
    // The caption lists all six boxes, the empty ones as a lone blank each.
    QTest::newRow("three numbers, last 400") << loto6() << QStringList{u"14"_s, u"15"_s, u"22"_s} << 400
                                             << u"過去の抽選結果と照合 14 15 22   "_s;
    // Typed keys other than digits never reach a box; out-of-range boxes take no part.
    QTest::newRow("letters and out of range") << loto6() << QStringList{u"1a4"_s, u"15"_s, u"22"_s, u"44"_s, u"0"_s} << 400
                                              << u"過去の抽選結果と照合 14 15 22 44 0 "_s;
    QTest::newRow("nothing selected") << loto6() << QStringList{u"1"_s, u"2"_s, u"3"_s} << 0
                                      << u"過去の抽選結果と照合 1 2 3   "_s;
}

void TestCli::check()
{
    QFETCH(QString, file);
    QFETCH(QStringList, boxes);
    QFETCH(int, last);
    QFETCH(QString, caption);
    const CliRun run = runCli(QStringList{u"check"_s, file} + boxes + selectLast(last));
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), (QStringList{u"FormOldHit.ListView1"_s, u"FormOldHit.Label1"_s, u"Copy.Caption"_s,
                                             u"Copy.ListView1"_s, u"Copy.StatusBar1.1"_s}));
    QCOMPARE(run.section(u"Copy.Caption"_s), QStringList{caption});

    const int picks = picksOf(file);
    QList<int> numbers;
    for (QString box : boxes) {
        box.remove(QRegularExpression(u"[^0-9]"_s));
        if (box.toInt() >= 1 && box.toInt() <= (picks == 6 ? 43 : 31))
            numbers.append(box.toInt());
    }
    QList<drawlines::Draw> winners;
    qint64 total = 0;
    for (const drawlines::Draw &d : lastDraws(file, last)) {
        if (const int tier = drawlines::expectedTier(picks, numbers, d); tier > 0) {
            winners.append(d);
            total += d.prize(picks, tier).toLongLong();
        }
    }
    QCOMPARE(!winners.isEmpty(), last != 0);

    const QStringList list = run.section(u"FormOldHit.ListView1"_s);
    QCOMPARE(list.value(0), u"回\t等\t賞金"_s);
    QCOMPARE(list.size(), winners.size() + 1);
    const QHash<int, QString> loaded = loadedRows(file);
    const QStringList copy = run.section(u"Copy.ListView1"_s);
    QCOMPARE(copy.size(), winners.size() + 1);
    for (int i = 0; i < winners.size(); ++i) {
        const drawlines::Draw &d = winners[i];
        const int tier = drawlines::expectedTier(picks, numbers, d);
        QCOMPARE(list[i + 1], u"%1\t%2等\t%3"_s.arg(d.kai(), 6).arg(QChar(u"１２３４５"[tier - 1])).arg(d.prize(picks, tier), picks == 6 ? 9 : 8));
        // The copy holds the winning draws exactly as the main window shows them.
        QCOMPARE(copy[i + 1], loaded.value(d.kai()));
    }
    QCOMPARE(run.section(u"FormOldHit.Label1"_s),
             QStringList{winners.isEmpty() ? u"当選していません"_s : u"%1回当選　賞金合計　%2円"_s.arg(winners.size()).arg(total)});
    QCOMPARE(run.section(u"Copy.StatusBar1.1"_s), QStringList{u"選択数：%1/%1"_s.arg(winners.size())});
}

void TestCli::search_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("loto6 or") << loto6() << u"or"_s << u"7 13"_s << QList<int>{7, 13};
    QTest::newRow("loto6 and") << loto6() << u"and"_s << u"7 13"_s << QList<int>{7, 13};
    QTest::newRow("loto6 not") << loto6() << u"not"_s << u" 13 7 "_s << QList<int>{7, 13};
    QTest::newRow("mini and") << mini() << u"and"_s << u"31 1"_s << QList<int>{31, 1};
    // Typed letters never reach the box.
    QTest::newRow("letters dropped") << mini() << u"or"_s << u"2x0"_s << QList<int>{20};
}

void TestCli::search()
{
    QFETCH(QString, file);
    QFETCH(QString, mode);
    QFETCH(QString, text);
    QFETCH(QList<int>, numbers);

    const CliRun run = runCli({u"search"_s, file, u"--mode"_s, mode, text});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), (QStringList{u"Copy.Caption"_s, u"Copy.ListView1"_s, u"Copy.StatusBar1.1"_s}));
    QCOMPARE(run.section(u"Copy.Caption"_s), QStringList{u"指定した番号から抽選結果の検索 "_s + QString(text).remove(u'x')});

    // The numbers are looked for among the main numbers and the bonus.
    const int picks = picksOf(file);
    const QHash<int, QString> loaded = loadedRows(file);
    QStringList expected;
    for (const drawlines::Draw &d : drawlines::read(file)) {
        const QList<int> drawn = d.mains(picks) + QList<int>{d.bonus(picks)};
        const qsizetype found = std::count_if(numbers.begin(), numbers.end(), [&](int n) { return drawn.contains(n); });
        if (mode == u"or" ? found > 0 : mode == u"and" ? found == numbers.size() : found == 0)
            expected.append(loaded.value(d.kai()));
    }
    QVERIFY(!expected.isEmpty());
    QCOMPARE(run.section(u"Copy.ListView1"_s).mid(1), expected);
    QCOMPARE(run.section(u"Copy.StatusBar1.1"_s), QStringList{u"選択数：%1/%1"_s.arg(expected.size())});
}

void TestCli::freq_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expectation");
    const QString withBonus = u"出易い番号のグラフ化（ボーナスあり）"_s;
    const QString withoutBonus = u"出易い番号のグラフ化（ボーナスなし）"_s;
    const QString bonus = u"ボーナス数字になりやすい番号"_s;
    QTest::newRow("LOTO6 with bonus") << loto6() << u"with-bonus"_s << -1 << withBonus << u"7/43 = 16.2790697674419%"_s;
    QTest::newRow("LOTO6 without bonus, last 50") << loto6() << u"without-bonus"_s << 50 << withoutBonus
                                                  << u"6/43 = 13.953488372093%"_s;
    QTest::newRow("LOTO6 bonus, last 120") << loto6() << u"bonus"_s << 120 << bonus << u"1/43 = 2.32558139534884%"_s;
    QTest::newRow("miniLOTO with bonus, last 120") << mini() << u"with-bonus"_s << 120 << withBonus
                                                   << u"6/31 = 19.3548387096774%"_s;
    QTest::newRow("miniLOTO without bonus") << mini() << u"without-bonus"_s << -1 << withoutBonus
                                            << u"5/31 = 16.1290322580645%"_s;
    QTest::newRow("miniLOTO bonus, last 1") << mini() << u"bonus"_s << 1 << bonus << u"1/31 = 3.2258064516129%"_s;
}

void TestCli::freq()
{
    QFETCH(QString, file);
    QFETCH(QString, columns);
    QFETCH(int, last);
    QFETCH(QString, caption);
    QFETCH(QString, expectation);
    const CliRun run = runCli(QStringList{u"freq"_s, file, u"--columns"_s, columns} + selectLast(last));
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), (QStringList{u"FormGraph.Caption"_s, u"FormGraph.MSChart1"_s, u"FormGraph.Label1"_s,
                                             u"FormGraph.ListView1"_s, u"FormGraph.Label2"_s}));
    QCOMPARE(run.section(u"FormGraph.Caption"_s), QStringList{caption});
    QCOMPARE(run.section(u"FormGraph.Label1"_s), QStringList{expectation});

    const int picks = picksOf(file);
    const int maxNo = picks == 6 ? 43 : 31;
    const QList<drawlines::Draw> draws = lastDraws(file, last);
    QList<int> counts(maxNo + 1, 0);
    for (const drawlines::Draw &d : draws) {
        const QList<int> counted = columns == u"bonus" ? QList<int>{d.bonus(picks)}
            : columns == u"with-bonus"                 ? d.mains(picks) + QList<int>{d.bonus(picks)}
                                                       : d.mains(picks);
        for (int n : counted)
            ++counts[n];
    }
    QStringList chart{u"\t出現数"_s};
    int even = 0;
    int odd = 0;
    for (int n = 1; n <= maxNo; ++n) {
        chart.append(u"%1\t%2"_s.arg(n).arg(counts[n]));
        (n % 2 == 0 ? even : odd) += counts[n];
    }
    QCOMPARE(run.section(u"FormGraph.MSChart1"_s), chart);

    // The table ranks the numbers by count, most first, every number once.
    const QStringList table = run.section(u"FormGraph.ListView1"_s);
    QCOMPARE(table.value(0), u"番号\t出現数n\tn/%1\tRank\t偶奇数"_s.arg(draws.size()));
    QCOMPARE(table.size(), maxNo + 1);
    QList<int> listed;
    for (qsizetype i = 1; i < table.size(); ++i) {
        const QStringList cells = trimmedCells(table[i]);
        listed.append(cells[0].toInt());
        QCOMPARE(cells[1].toInt(), counts[cells[0].toInt()]);
        if (i > 1)
            QVERIFY(cells[1].toInt() <= trimmedCells(table[i - 1])[1].toInt());
    }
    std::sort(listed.begin(), listed.end());
    QCOMPARE(listed.first(), 1);
    QCOMPARE(listed.last(), maxNo);
    QVERIFY(std::adjacent_find(listed.begin(), listed.end()) == listed.end());
    const QString oddEven = run.section(u"FormGraph.Label2"_s).value(0);
    QVERIFY2(oddEven.startsWith(u" 偶数 %1回 "_s.arg(even)) && oddEven.contains(u"    奇数 %1回 "_s.arg(odd)), qPrintable(oddEven));
}

void TestCli::trendOfFourDraws()
{
    // Marks and rates worked out by hand.
    QTemporaryDir dir;
    const QString path = testsupport::writeTextFile(dir, u"four_Download.csv"_s, testsupport::loto6Text(fourDraws()));
    const auto trend = [&](const QStringList &more) {
        return runCli(QStringList{u"trend"_s, path, u"--columns"_s} + more);
    };
    const CliRun marks = trend({u"without-bonus"_s, u"--numbers"_s, u"13 7"_s});
    QCOMPARE(marks.status, 0);
    QCOMPARE(marks.sectionNames(), QStringList{u"FormGraph2.MSFlexGrid1"_s});
    QCOMPARE(marks.section(u"FormGraph2.MSFlexGrid1"_s), (QStringList{u"\t101\t102\t103\t104"_s, u"7\t*\t\t*\t"_s, u"13\t\t\t\t"_s}));

    const CliRun rates = trend({u"without-bonus"_s, u"--numbers"_s, u"7 13"_s, u"--rates"_s, u"--window"_s, u"1"_s});
    QCOMPARE(rates.status, 0);
    QCOMPARE(rates.section(u"FormGraph2.MSFlexGrid1"_s),
             (QStringList{u"\t101\t102\t103\t104"_s, u"7\t*\t\t*\t"_s, u"7\t100%\t50%\t66.6666666666667%\t50%"_s,
                          u"13\t\t\t\t"_s, u"13\t0%\t0%\t0%\t0%"_s}));
    QCOMPARE(rates.section(u"FormGraph3.MSChart1"_s),
             (QStringList{u"\t7平均\t7\t13平均\t13"_s, u"101回\t100\t100\t0\t0"_s, u"102回\t50\t0\t0\t0"_s,
                          u"103回\t66.6666666666667\t100\t0\t0"_s, u"104回\t50\t0\t0\t0"_s}));

    const CliRun final = trend({u"with-bonus"_s, u"--numbers"_s, u"7"_s, u"--rates"_s, u"--final"_s});
    QCOMPARE(final.section(u"FormGraph3.MSChart1"_s),
             (QStringList{u"\t7平均\t7"_s, u"101回\t50\t100"_s, u"102回\t50\t50"_s, u"103回\t50\t66.6666666666667"_s,
                          u"104回\t50\t50"_s}));

    // No selected draw: the grid has its labels, the chart is not opened.
    const CliRun none = trend({u"bonus"_s, u"--numbers"_s, u"2"_s, u"--rates"_s, u"--select"_s, u"first:0"_s});
    QCOMPARE(none.status, 0);
    QCOMPARE(none.sectionNames(), QStringList{u"FormGraph2.MSFlexGrid1"_s});
    QCOMPARE(none.section(u"FormGraph2.MSFlexGrid1"_s), (QStringList{QString(), u"2"_s, u"2"_s}));

    // No number ticked: the chart has its draw categories and no series at all.
    const CliRun empty = trend({u"with-bonus"_s, u"--numbers"_s, QString(), u"--rates"_s, u"--select"_s, u"last:2"_s});
    QCOMPARE(empty.status, 0);
    QCOMPARE(empty.section(u"FormGraph3.MSChart1"_s), (QStringList{QString(), u"103回"_s, u"104回"_s}));
}

void TestCli::tallyOfFirstTiers_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("last");
    QTest::newRow("LOTO6") << loto6() << 300;
    QTest::newRow("miniLOTO") << mini() << 200;
}

void TestCli::tallyOfFirstTiers()
{
    // First tier only, not merged: one row per draw, its own numbers, the draw's first prize (the
    // amount given when nobody won it), and the draw as the one where it came up.
    QFETCH(QString, file);
    QFETCH(int, last);
    const CliRun run = runCli(QStringList{u"tally"_s, file, u"--tiers"_s, u"1"_s, u"--amount"_s, u"5"_s} + selectLast(last));
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), (QStringList{u"FormWay.ListView1"_s, u"FormWay.Graph.ListView1"_s}));

    const int picks = picksOf(file);
    const QList<drawlines::Draw> draws = lastDraws(file, last);
    QStringList expected;
    QHash<int, int> appearances;
    for (const drawlines::Draw &d : draws) {
        QStringList cells;
        for (int n : d.mains(picks)) {
            cells.append(QString::number(n));
            ++appearances[n];
        }
        cells << u"1"_s << QStringList(picks - 2, u"0"_s) << u"1"_s;
        const qint64 prize = d.prize(picks, 1).toLongLong();
        cells << QString::number(prize > 0 ? prize : 5) << QString::number(d.kai());
        expected.append(cells.join(u'|'));
    }
    QStringList shown;
    const QStringList list = run.section(u"FormWay.ListView1"_s);
    for (const QString &line : list.mid(1))
        shown.append(trimmedCells(line).join(u'|'));
    std::sort(expected.begin(), expected.end());
    std::sort(shown.begin(), shown.end());
    QCOMPARE(shown, expected);

    // The sub-graph counts each number of each listed combination once.
    const QStringList graph = run.section(u"FormWay.Graph.ListView1"_s);
    QCOMPARE(graph.size(), (picks == 6 ? 43 : 31) + 1);
    for (const QString &line : graph.mid(1))
        QCOMPARE(line.section(u'\t', 1, 1).toInt(), appearances.value(line.section(u'\t', 0, 0).toInt()));
}

void TestCli::combos_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("pool");
    QTest::addColumn<int>("keys");   // key boxes ticked
    QTest::addColumn<int>("shown");  // --rows, -1 for all
    QTest::addColumn<QString>("status");
    QStringList all;
    for (int i = 43; i >= 1; --i)
        all.append(QString::number(i));
    QTest::newRow("eight numbers") << u"loto6"_s << u"3 1 4 15 9 26 5 8"_s << 0 << -1 << u"8個選択 - 28通り"_s;
    QTest::newRow("two keys") << u"loto6"_s << u"3 1 4 15 9 26 5 8"_s << 2 << -1 << u"8個選択 - 15通り"_s;
    QTest::newRow("more keys than a ticket") << u"miniloto"_s << u"31 2 7 9 11 12 13"_s << 7 << -1 << u"7個選択 - 1通り"_s;
    QTest::newRow("all 43, first rows") << u"loto6"_s << all.join(u' ') << 0 << 3 << u"43個選択 - 6096454通り"_s;
}

void TestCli::combos()
{
    QFETCH(QString, game);
    QFETCH(QString, pool);
    QFETCH(int, keys);
    QFETCH(int, shown);
    QFETCH(QString, status);

    QStringList args{u"combos"_s, u"--game"_s, game, u"--pool"_s, pool};
    if (keys > 0)
        args << u"--keys"_s << QString::number(keys);
    if (shown >= 0)
        args << u"--rows"_s << QString::number(shown);
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), (QStringList{u"FormCombList.MSFlexGrid1"_s, u"FormCombList.StatusBar1.2"_s}));
    QCOMPARE(run.section(u"FormCombList.StatusBar1.2"_s), QStringList{status});

    // The pool as chosen heads the grid; each row marks one ticket's numbers, the keys in all.
    const QStringList numbers = pool.split(u' ');
    const int picks = game == u"loto6" ? 6 : 5;
    const QList<QList<int>> sets = keyedSets(int(numbers.size()), picks, std::min(keys, picks), shown);
    QStringList expected{u'\t' + numbers.join(u'\t')};
    for (qsizetype r = 0; r < sets.size(); ++r) {
        QStringList cells{QString::number(r + 1)};
        for (int p = 1; p <= numbers.size(); ++p)
            cells.append(sets[r].contains(p) ? u"1"_s : QString());
        expected.append(cells.join(u'\t'));
    }
    QCOMPARE(run.section(u"FormCombList.MSFlexGrid1"_s), expected);
}

// The covering C(12,6,4) written as a pattern file whose last line has no line break: all 41
// tickets count, and as a five-of-six wheel one draw of 924 stays below five matches.
void TestCli::guaranteeOfWheelFile()
{
    QFile wheel(QStringLiteral(ZEMVARA_WHEELS_DIR "/C_12_6_4.txt"));
    QVERIFY(wheel.open(QIODevice::ReadOnly));
    QByteArrayList lines;
    for (const QByteArray &line : wheel.readAll().trimmed().split('\n')) {
        QByteArray marks(12, '0');
        for (const QByteArray &field : line.simplified().split(' '))
            marks[field.toInt() - 1] = '1';
        lines.append(marks);
    }
    QTemporaryDir dir;
    const QString path = testsupport::writeBytesFile(dir, u"1-6312.txt"_s, lines.join("\r\n"));
    const CliRun run = runCli({u"guarantee"_s, u"--game"_s, u"loto6"_s, u"--pattern"_s, path});
    QCOMPARE(run.status, 0);
    const QStringList list = run.section(u"FormCombList.ListView2"_s);
    QCOMPARE(list.value(0), u"パターン\t１等回数\t３等回数\t４等回数\t５等回数\t外れ回数\t１等確率\t３等確率\t４等確率\t５等確率\t外れ確率"_s);
    QCOMPARE(list.size(), 1 + 41 + 1);
    const QStringList total = list.last().split(u'\t');
    QCOMPARE(total.value(0), u"合計"_s);
    QCOMPARE(total[1].toInt() + total[2].toInt(), 923);
    QCOMPARE(total[3].toInt() + total[4].toInt() + total[5].toInt(), 1);

    // Pattern files beside a pool of nine: the status counts those of its kind per tier.
    for (const QString &name : {u"1-639.txt"_s, u"2-639.txt"_s, u"1-649.txt"_s, u"1-639K1.txt"_s})
        QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    const CliRun combos = runCli({u"combos"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"9 8 7 6 5 4 3 2 1"_s, u"--rows"_s,
                                  u"0"_s, u"--patterns"_s, dir.path()});
    QCOMPARE(combos.status, 0);
    QCOMPARE(combos.section(u"FormCombList.StatusBar1.3"_s), QStringList{u"パターンファイル 3等 2個  4等 1個  "_s});
}

void TestCli::patterns()
{
    // Positions read from standard input become a row of marks per ticket.
    const CliRun converted = runCli({u"pattern"_s, u"convert"_s, u"--pool"_s, u"9"_s}, "1 2 3 4 5 6\n1 2 3 7 8 9");
    QCOMPARE(converted.status, 0);
    QCOMPARE(converted.lines, (QStringList{u"== FormPattern.Text2"_s, u"111111000"_s, u"111000111"_s}));

    // Saved under the next free name of their kind; the same tickets twice are refused.
    QTemporaryDir dir;
    const auto save = [&](const QString &tier, const QString &keys, const QByteArray &input) {
        return runCli({u"pattern"_s, u"save"_s, u"--dir"_s, dir.path(), u"--pool"_s, u"9"_s, u"--tier"_s, tier, u"--keys"_s, keys},
                      input);
    };
    const QByteArray example = "1 2 3 4 5 6\r\n1 2 3 7 8 9\r\n";
    QCOMPARE(save(u"5"_s, u"0"_s, example).lines, QStringList{u"1-659.txt"_s});
    const CliRun again = save(u"5"_s, u"0"_s, example);
    QCOMPARE(again.status, 1);
    QCOMPARE(again.err.trimmed(), u"1-659.txtと同じです。"_s);
    QVERIFY(again.out.isEmpty());
    QCOMPARE(save(u"5"_s, u"0"_s, "1 2 3 4 5 6\n4 5 6 7 8 9\n").lines, QStringList{u"2-659.txt"_s});
    QCOMPARE(save(u"4"_s, u"1"_s, example).lines, QStringList{u"1-649K1.txt"_s});
    // Every three of 3..9 meet {3,4,5} or {6,7,8}: with keys 1 and 2, a 4th-tier wheel.
    QCOMPARE(save(u"4"_s, u"2"_s, "1 2 3 4 5\n1 2 6 7 8\n").lines, QStringList{u"1-549K2.txt"_s});
    // A draw misses one number of each third at best, so keeps 4 of some ticket: the 4th tier.
    const QStringList tier3{u"pattern"_s, u"save"_s, u"--dir"_s, dir.path(), u"--pool"_s, u"9"_s, u"--tier"_s, u"3"_s, u"--keys"_s, u"0"_s};
    QCOMPARE(runCli(tier3 + QStringList{u"--as-guaranteed"_s}, "1 2 3 4 5 6\n4 5 6 7 8 9\n1 2 3 7 8 9\n").lines, QStringList{u"1-649.txt"_s});

    const CliRun summary = runCli({u"pattern"_s, u"summary"_s, u"--dir"_s, dir.path(), u"--game"_s, u"6"_s});
    QCOMPARE(summary.status, 0);
    QCOMPARE(summary.lines, (QStringList{u"== FormPattern.Text5"_s,
                                         u"LOTO6 4等保証 選択数字数09個 Key数字 1個 パターンファイル数1個"_s,
                                         u"LOTO6 4等保証 選択数字数09個 Key数字なし パターンファイル数1個"_s,
                                         u"LOTO6 5等保証 選択数字数09個 Key数字なし パターンファイル数2個"_s}));
    QCOMPARE(runCli({u"pattern"_s, u"summary"_s, u"--dir"_s, dir.path(), u"--game"_s, u"0"_s}).section(u"FormPattern.Text5"_s).size(), 4);

    // A generated wheel: keyed lines that convert and save as a keyed 4th-tier wheel.
    const CliRun generated = runCli({u"pattern"_s, u"generate"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"12"_s, u"--tier"_s,
                                     u"4"_s, u"--keys"_s, u"1"_s, u"--seconds"_s, u"1"_s});
    QCOMPARE(generated.status, 0);
    QCOMPARE(generated.sectionNames(), QStringList{u"FormPattern.Text1"_s});
    const QStringList wheel = generated.section(u"FormPattern.Text1"_s);
    QVERIFY(!wheel.isEmpty());
    for (const QString &line : wheel)
        QVERIFY2(line.startsWith(u"1 "_s) && line.split(u' ').size() == 6, qPrintable(line));
    const CliRun saved = runCli({u"pattern"_s, u"save"_s, u"--dir"_s, dir.path(), u"--pool"_s, u"12"_s, u"--tier"_s, u"4"_s,
                                 u"--keys"_s, u"1"_s},
                                wheel.join(u'\n').toUtf8());
    QCOMPARE(saved.lines, QStringList{u"1-6412K1.txt"_s});
}

void TestCli::patternVerify_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");  // the line printed, or the whole refusal (exit 1)
    const QByteArray example = "111111000\r\n111000111\r\n";
    const QStringList loto6{u"--game"_s, u"loto6"_s};
    // By hand: {4..9} meets each ticket in 3; with 1, 2 drawn the other four meet {3..6} or {3,7,8,9} in 2.
    QTest::newRow("5th tier") << example << loto6 << u"５等"_s;
    QTest::newRow("keys raise it to the 4th") << example << loto6 + QStringList{u"--keys"_s, u"2"_s} << u"４等"_s;
    QTest::newRow("3rd over seven") << QByteArray("1111110\r\n0111111\r\n") << loto6 << u"３等"_s;
    QTest::newRow("1st, no final line end") << QByteArray("111111") << loto6 << u"１等"_s;
    QTest::newRow("miniLOTO 4th with 2 keys") << QByteArray("111110000\r\n110001110\r\n")
                                              << QStringList{u"--game"_s, u"miniloto"_s, u"--keys"_s, u"2"_s} << u"４等"_s;
    QTest::newRow("nothing") << QByteArray("111111000000\r\n") << loto6 << u"なし"_s;
    QTest::newRow("no 0/1 lines") << QByteArray("abc\r\n") << loto6 << u"w.txtには「0」「1」の行がありません。"_s;
    QTest::newRow("a shorter line") << QByteArray("111111000\r\n11111100\r\n") << loto6
                                    << u"w.txtの2行目の「0」「1」の数（8個）が1行目（9個）と違います。"_s;
    QTest::newRow("five marks") << example + "111110000\r\n" << loto6 << u"w.txtの3行目の「1」が6個ではありません。"_s;
}

void TestCli::patternVerify()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString file = testsupport::writeBytesFile(dir, u"w.txt"_s, bytes);
    const CliRun run = runCli(QStringList{u"pattern"_s, u"verify"_s} + options + QStringList{file});
    const bool refused = expected.contains(u"w.txt"_s);
    QCOMPARE(run.status, refused ? 1 : 0);
    QCOMPARE(refused ? run.err + run.out : run.out + run.err, expected + u'\n');
}

void TestCli::purchasesAndDates()
{
    QTemporaryDir dir;
    const QString history = testsupport::writeTextFile(
        dir, u"h.csv"_s,
        u"LOTO6 購入履歴\r\n回 , …\r\n2142,1,2,3,4,5,6,1\r\n2141,14,15,22,32,37,1,2,memo\r\n"_s);
    const CliRun run = runCli({u"purchases"_s, loto6(), history});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), (QStringList{u"FormBuyHistory.ListView1"_s, u"FormBuyHistory.List1"_s,
                                              u"FormBuyHistory.StatusBar1.1"_s, u"FormBuyHistory.StatusBar1.2"_s}));
    // Five numbers and the bonus of the last draw win its second prize; the next draw is a Thursday.
    const drawlines::Draw last = drawlines::read(loto6()).last();
    QCOMPARE(last.kai(), 2141);
    const qint64 second = last.prize(6, 2).toLongLong() * 2;
    QCOMPARE(run.section(u"FormBuyHistory.ListView1"_s),
             (QStringList{u"回\t抽選日\t1\t2\t3\t4\t5\t6\t口数\tヒット数\t当選\t当選金額"_s,
                          u" 2141\t%1\t14\t15\t22\t32\t37\t 1\t  2\t6\t２等\t%2"_s.arg(last.fields[1]).arg(second, 9),
                          u" 2142\t2026/10/01\t 1\t 2\t 3\t 4\t 5\t 6\t  1\t\t\t"_s}));
    QCOMPARE(run.section(u"FormBuyHistory.List1"_s), (QStringList{u"全表示"_s, u" 1  2  3  4  5  6"_s, u"14 15 22 32 37  1"_s}));
    QCOMPARE(run.section(u"FormBuyHistory.StatusBar1.1"_s), QStringList{u"選択数：2/2"_s});
    QCOMPARE(run.section(u"FormBuyHistory.StatusBar1.2"_s),
             QStringList{u"購入口数 3口  購入金額 600円  2口当選  賞金総額 %1円  差し引き %2円  "_s.arg(second).arg(second - 600)});

    QCOMPARE(runCli({u"date"_s, loto6(), u"2143"_s}).lines, QStringList{u"2026/10/05"_s});
}

void TestCli::purchasesResaveKeepsWhatItCannotRead()
{
    // No heading, LF and CR ends, a comment in Shift-JIS ("一口"), and a byte that is no character.
    QTemporaryDir dir;
    const QString history = testsupport::writeBytesFile(
        dir, u"h.csv"_s,
        "LOTO6 \x8d\x77\x93\xfc\x97\x9a\x97\xf0\n2141,14,15,22,32,37,41,1\r2142,02,15,22,32,37,41,  3 ,\x88\xea\x8c\xfb\n"
        "2143,14,14,22,32,37,41,1,dup\r\nhere\x81\n2144,1,2,3,4,5,6,-5\n");
    const CliRun run = runCli({u"purchases"_s, loto6(), history, u"--resave"_s, dir.filePath(u"out.csv"_s)});
    QCOMPARE(run.status, 0);
    QFile file(dir.filePath(u"out.csv"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), DrawFile::encode(u"LOTO6 購入履歴\r\n回 , 購入数字, 購入数字, 購入数字, 購入数字, 購入数字, 購入数字, 購入口数, コメント\r\n"_s)
                                 + " 2141,14,15,22,32,37,41,  1\r\n 2142, 2,15,22,32,37,41,  3,\x88\xea\x8c\xfb\r\n"
                                   "2143,14,14,22,32,37,41,1,dup\r\n2144,1,2,3,4,5,6,-5\r\nhere\x81\r\n");
    QCOMPARE(run.section(u"FormBuyHistory.ListView1"_s).last(), u"here\uFFFD\t\t  \t  \t  \t  \t  \t  \t   \t\t\t"_s);
    QCOMPARE(run.section(u"FormBuyHistory.StatusBar1.3"_s), QStringList{u"不正 3行"_s});
    QCOMPARE(run.err, u"不正な行が 3 行あります。これらの行は照合にも集計にも使わず、保存するときは読み込んだとおりに書き戻します。\n"
                      "4 行目：数字 14 が重複しています\n5 行目：抽選回「here\uFFFD」が不正です（1～99999）\n"
                      "6 行目：購入口数「-5」が不正です（1～999）\n"_s);
}

void TestCli::refusalsAndUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");  // 1: the whole message; 2: how it starts; empty: any

    const QString refused = u"データファイルが異常です"_s;
    const QString sameAs = u"1-639.txtと同じです。"_s;
    static QTemporaryDir dir;
    const QString bad = testsupport::writeTextFile(dir, u"bad.csv"_s, u"not a draw file\r\n"_s);
    const QString incomplete = testsupport::writeBytesFile(dir, u"1-637.txt"_s, "1111110\r\n1111100\r\n");
    const QString history = testsupport::writeTextFile(dir, u"h.csv"_s, u"LOTO6 購入履歴\r\n回\r\n2141,1,2,3,4,5,6,1\r\n"_s);
    const QString usage = u"usage:"_s;
    const auto row = [](const char *name, const QStringList &args, int status, const QString &error,
                        const QByteArray &input = {}) { QTest::newRow(name) << args << input << status << error; };

    row("no command", {}, 2, usage);
    row("unknown command", {u"nonsense"_s}, 2, u"unknown command nonsense"_s);
    row("load: no file", {u"load"_s}, 2, usage);
    row("load: unknown option", {u"load"_s, loto6(), u"--bogus"_s}, 2, usage);
    row("load: bad selection", {u"load"_s, loto6(), u"--select"_s, u"middle:3"_s}, 2, usage);
    row("load: selection missing", {u"load"_s, loto6(), u"--select"_s}, 2, usage);
    row("load: not a draw file", {u"load"_s, bad}, 1, refused);
    row("load: a folder", {u"load"_s, dir.path()}, 1, refused);
    row("check: no file", {u"check"_s}, 2, usage);
    row("check: seven boxes", {u"check"_s, loto6(), u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s}, 2, usage);
    // miniLOTO has no sixth box to type into.
    row("check: six miniLOTO boxes", {u"check"_s, mini(), u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}, 2, usage);
    row("check: bad selection", {u"check"_s, loto6(), u"1"_s, u"--select"_s, u"some"_s}, 2, usage);
    row("check: duplicate across an empty box", {u"check"_s, loto6(), u"7"_s, QString(), u"7"_s}, 1,
        u"重複しいる番号があります"_s);
    row("check: duplicate with a leading zero", {u"check"_s, loto6(), u"7"_s, u"07"_s}, 1, u"重複しいる番号があります"_s);
    row("check: missing file", {u"check"_s, u"/nonexistent/LOTO6_Download.csv"_s, u"1"_s}, 1, refused);
    row("search: no text", {u"search"_s, loto6()}, 2, usage);
    row("search: no mode", {u"search"_s, loto6(), u"7"_s}, 2, usage);
    row("search: mode missing", {u"search"_s, loto6(), u"--mode"_s}, 2, usage);
    row("search: unknown mode", {u"search"_s, loto6(), u"--mode"_s, u"xor"_s, u"7"_s}, 2, usage);
    row("search: double blank", {u"search"_s, loto6(), u"--mode"_s, u"or"_s, u"7  13"_s}, 1, u"数字以外の文字が含まれています"_s);
    row("search: 44", {u"search"_s, loto6(), u"--mode"_s, u"or"_s, u"44"_s}, 1, u"１～４３の数字を入力"_s);
    row("search: miniLOTO 32", {u"search"_s, mini(), u"--mode"_s, u"or"_s, u"32"_s}, 1, u"１～３１の数字を入力"_s);
    row("search: miniLOTO 0", {u"search"_s, mini(), u"--mode"_s, u"or"_s, u"0"_s}, 1, u"１～３１の数字を入力"_s);
    // Letters never reach the box: an empty box starts no search.
    row("search: only letters", {u"search"_s, loto6(), u"--mode"_s, u"or"_s, u"abc"_s}, 0, QString());
    const QStringList freq{u"freq"_s, loto6(), u"--columns"_s};
    const QStringList trend{u"trend"_s, loto6(), u"--columns"_s, u"bonus"_s};
    row("freq: no columns", {u"freq"_s, loto6()}, 2, usage);
    row("freq: unknown columns", freq + QStringList{u"main"_s}, 2, usage);
    row("freq: rates", freq + QStringList{u"bonus"_s, u"--rates"_s}, 2, usage);
    row("freq: not a draw file", {u"freq"_s, bad, u"--columns"_s, u"bonus"_s}, 1, refused);
    row("trend: no numbers", trend, 2, usage);
    row("trend: 0", trend + QStringList{u"--numbers"_s, u"0"_s}, 2, usage);
    row("trend: 44", trend + QStringList{u"--numbers"_s, u"44"_s}, 2, usage);
    row("trend: miniLOTO 32", {u"trend"_s, mini(), u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"32"_s}, 2, usage);
    row("trend: letters", trend + QStringList{u"--numbers"_s, u"7 x"_s}, 2, usage);
    row("trend: window missing", trend + QStringList{u"--numbers"_s, u"7"_s, u"--window"_s}, 2, usage);
    row("trend: not a draw file", {u"trend"_s, bad, u"--columns"_s, u"bonus"_s, u"--numbers"_s, u"1"_s}, 1, refused);
    row("tally: no file", {u"tally"_s}, 2, usage);
    row("tally: tier 6", {u"tally"_s, loto6(), u"--tiers"_s, u"6"_s}, 2, usage);
    row("tally: miniLOTO tier 5", {u"tally"_s, mini(), u"--tiers"_s, u"5"_s}, 2, usage);
    row("tally: merge with a value", {u"tally"_s, loto6(), u"--merge=1"_s}, 2, usage);
    row("tally: nothing selected", {u"tally"_s, loto6(), u"--select"_s, u"first:0"_s}, 0, QString());
    row("combos: unknown game", {u"combos"_s, u"--game"_s, u"loto7"_s, u"--pool"_s, u"1 2"_s}, 2, usage);
    row("combos: miniLOTO 32", {u"combos"_s, u"--game"_s, u"miniloto"_s, u"--pool"_s, u"1 32"_s}, 2, usage);
    row("combos: a number twice", {u"combos"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"1 2 1"_s}, 2, usage);
    row("combos: more keys than numbers", {u"combos"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"1 2"_s, u"--keys"_s, u"3"_s}, 2,
        usage);
    row("guarantee: no pattern", {u"guarantee"_s, u"--game"_s, u"loto6"_s}, 2, usage);
    row("guarantee: missing pattern", {u"guarantee"_s, u"--game"_s, u"loto6"_s, u"--pattern"_s, dir.filePath(u"1-639.txt"_s)}, 1,
        u"1-639.txtを開けません。"_s);
    row("guarantee: no 0/1 lines", {u"guarantee"_s, u"--game"_s, u"loto6"_s, u"--pattern"_s, bad}, 1,
        u"bad.csvには「0」「1」の行がありません。"_s);
    // A ticket of five marks stops the calculation without a word.
    row("guarantee: incomplete ticket", {u"guarantee"_s, u"--game"_s, u"loto6"_s, u"--pattern"_s, incomplete}, 0, QString());
    const QStringList convert{u"pattern"_s, u"convert"_s, u"--pool"_s};
    const QStringList save{u"pattern"_s, u"save"_s, u"--dir"_s, dir.path(), u"--pool"_s, u"9"_s, u"--keys"_s, u"0"_s, u"--tier"_s};
    row("pattern: no action", {u"pattern"_s}, 2, usage);
    row("pattern: unknown action", {u"pattern"_s, u"delete"_s}, 2, usage);
    row("pattern: pool missing", {u"pattern"_s, u"convert"_s}, 2, usage, "1\n");
    row("pattern: position above the pool", convert + QStringList{u"9"_s}, 1, QString(), "1 2 3 4 5 10\n");
    row("pattern: pool not a number", convert + QStringList{u"x"_s}, 1, QString(), "1 2 3\n");
    row("pattern: save of nothing", save + QStringList{u"3"_s}, 1, QString(), "");
    row("pattern: a wheel short of its tier", save + QStringList{u"3"_s}, 1, u"このパターンは３等を保証しません（保証：５等）。"_s,
        "1 2 3 4 5 6\n1 2 3 7 8 9\n");
    row("pattern: tier 2", save + QStringList{u"2"_s}, 2, usage, "1 2 3 4 5 6\n");
    row("pattern: save into no folder",
        {u"pattern"_s, u"save"_s, u"--dir"_s, dir.filePath(u"no/such"_s), u"--pool"_s, u"9"_s, u"--tier"_s, u"3"_s, u"--keys"_s, u"0"_s},
        1, QString(), "1 2 3 4 5 6\n");
    row("pattern: summary of game 7", {u"pattern"_s, u"summary"_s, u"--dir"_s, dir.path(), u"--game"_s, u"7"_s}, 2, usage);
    const QStringList generate{u"pattern"_s, u"generate"_s, u"--pool"_s, u"9"_s, u"--game"_s};
    row("pattern: a tier miniLOTO lacks", generate + QStringList{u"miniloto"_s, u"--tier"_s, u"5"_s}, 1, QString());
    row("pattern: no seconds", generate + QStringList{u"loto6"_s, u"--tier"_s, u"3"_s, u"--seconds"_s, u"0"_s}, 2, usage);
    row("purchases: no history", {u"purchases"_s, loto6()}, 2, usage);
    row("purchases: history of the other game", {u"purchases"_s, mini(), history}, 1, refused);
    row("date: negative draw", {u"date"_s, loto6(), u"-3"_s}, 2, usage);
    row("date: draw 0", {u"date"_s, loto6(), u"00"_s}, 1, u"抽選回は 1 以上の数字です。"_s);
}

void TestCli::refusalsAndUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, error);
    const CliRun run = runCli(arguments, input);
    QCOMPARE(run.status, status);
    QVERIFY2(run.out.isEmpty(), qPrintable(run.out.left(200)));
    if (status == 1 && !error.isEmpty())
        QCOMPARE(run.err, error + u'\n');
    else if (status == 2)
        QVERIFY2(run.err.startsWith(error), qPrintable(run.err));
    else
        QCOMPARE(run.err.isEmpty(), status == 0);
}

void TestCli::outputFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("closed");  // standard output closed, else /dev/full
    const QStringList load{u"load"_s, loto6()};
    const QStringList help{u"--help"_s};
    QTest::newRow("load into a full disk") << load << false;
    QTest::newRow("load, output closed") << load << true;
    QTest::newRow("help into a full disk") << help << false;
    QTest::newRow("help, output closed") << help << true;
}

void TestCli::outputFailures()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, closed);
    QProcess process;
    if (closed)
        process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    else
        process.setStandardOutputFile(u"/dev/full"_s);
    process.start(QStringLiteral(ZEMVARA_CLI), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).startsWith(u"zemvara-cli: cannot write to standard output: "_s));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
