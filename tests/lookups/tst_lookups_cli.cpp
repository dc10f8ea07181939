#include "support/drawlines.h"
#include "support/testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;
using testsupport::CliRun;
using testsupport::runCli;

namespace {
// Rows of the draw table as the load command prints them, keyed by draw number.
QHash<int, QString> loadedRows(const QString &file)
{
    const CliRun load = runCli({u"load"_s, file});
    QHash<int, QString> rows;
    const QStringList lines = load.section(u"FormMain.ListView1"_s);
    for (qsizetype i = 1; i < lines.size(); ++i)
        rows.insert(lines[i].section(u'\t', 0, 0).toInt(), lines[i]);
    return rows;
}

const QStringList kCheckSections{u"FormOldHit.ListView1"_s, u"FormOldHit.Label1"_s, u"Copy.Caption"_s,
                                 u"Copy.ListView1"_s, u"Copy.StatusBar1.1"_s};
const QStringList kSearchSections{u"Copy.Caption"_s, u"Copy.ListView1"_s, u"Copy.StatusBar1.1"_s};
} // namespace

class TestLookupsCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkPrintsWindowsAndCopy_data();
    void checkPrintsWindowsAndCopy();
    void checkWithSelectionAndFewerNumbers();
    void checkRefusalsAndUsage();
    void searchPrintsCopy_data();
    void searchPrintsCopy();
    void searchRefusalsAndUsage();
};

void TestLookupsCli::checkPrintsWindowsAndCopy_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("picks");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("loto6") << testsupport::loto6File() << 6 << QList<int>{3, 14, 15, 26, 35, 43};
    QTest::newRow("miniloto") << testsupport::miniLotoFile() << 5 << QList<int>{2, 9, 16, 23, 30};
}

void TestLookupsCli::checkPrintsWindowsAndCopy()
{
    QFETCH(QString, file);
    QFETCH(int, picks);
    QFETCH(QList<int>, numbers);

    QStringList args{u"check"_s, file};
    for (int n : numbers)
        args.append(QString::number(n));
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), kCheckSections);

    const QList<drawlines::Draw> draws = drawlines::read(file);
    QList<int> winners;
    qint64 total = 0;
    for (int r = 0; r < draws.size(); ++r) {
        if (const int tier = drawlines::expectedTier(picks, numbers, draws[r]); tier > 0) {
            winners.append(r);
            total += draws[r].prize(picks, tier).toLongLong();
        }
    }
    QVERIFY(!winners.isEmpty());

    const QStringList list = run.section(u"FormOldHit.ListView1"_s);
    QCOMPARE(list.value(0), u"回\t等\t賞金"_s);
    QCOMPARE(list.size(), winners.size() + 1);
    for (int i = 0; i < winners.size(); ++i) {
        const drawlines::Draw &d = draws[winners[i]];
        const QStringList cells = list[i + 1].split(u'\t');
        QCOMPARE(cells.size(), 3);
        QCOMPARE(cells[0], u"%1"_s.arg(d.kai(), 6));
        QCOMPARE(cells[1], QString(QChar(u"１２３４５"[drawlines::expectedTier(picks, numbers, d) - 1])) + u"等"_s);
        QCOMPARE(cells[2], u"%1"_s.arg(d.prize(picks, drawlines::expectedTier(picks, numbers, d)), picks == 6 ? 9 : 8));
    }
    QCOMPARE(run.section(u"FormOldHit.Label1"_s),
             QStringList{u"%1回当選　賞金合計　%2円"_s.arg(winners.size()).arg(total)});

    QStringList caption{u"過去の抽選結果と照合"_s};
    for (int i = 0; i < 6; ++i)
        caption.append(i < numbers.size() ? QString::number(numbers[i]) : QString());
    QCOMPARE(run.section(u"Copy.Caption"_s), QStringList{caption.join(u' ')});

    // The copy holds the winning draws exactly as the main window shows them.
    const QHash<int, QString> loaded = loadedRows(file);
    const QStringList copy = run.section(u"Copy.ListView1"_s);
    QCOMPARE(copy.size(), winners.size() + 1);
    for (int i = 0; i < winners.size(); ++i)
        QCOMPARE(copy[i + 1], loaded.value(draws[winners[i]].kai()));
    QCOMPARE(run.section(u"Copy.StatusBar1.1"_s), QStringList{u"選択数：%1/%1"_s.arg(winners.size())});
}

void TestLookupsCli::checkWithSelectionAndFewerNumbers()
{
    const QString file = testsupport::loto6File();
    const CliRun run = runCli({u"check"_s, file, u"1"_s, u"2"_s, u"3"_s, u"--select"_s, u"last:400"_s});
    QCOMPARE(run.status, 0);
    // The caption lists all six boxes, the empty ones as a lone blank each.
    QCOMPARE(run.section(u"Copy.Caption"_s), QStringList{u"過去の抽選結果と照合 1 2 3   "_s});

    const QList<drawlines::Draw> draws = drawlines::read(file);
    QStringList expected;
    for (qsizetype r = draws.size() - 400; r < draws.size(); ++r) {
        if (drawlines::expectedTier(6, {1, 2, 3}, draws[r]) > 0)
            expected.append(u"%1\t５等"_s.arg(draws[r].kai(), 6));
    }
    QStringList got;
    const QStringList list = run.section(u"FormOldHit.ListView1"_s).mid(1);
    for (const QString &line : list)
        got.append(line.section(u'\t', 0, 1));
    QCOMPARE(got, expected);

    // Nothing selected: nothing won, the copy is empty.
    const CliRun none = runCli({u"check"_s, file, u"1"_s, u"2"_s, u"3"_s, u"--select"_s, u"first:0"_s});
    QCOMPARE(none.status, 0);
    QCOMPARE(none.sectionNames(), kCheckSections);
    QCOMPARE(none.section(u"FormOldHit.ListView1"_s).size(), 1);
    QCOMPARE(none.section(u"FormOldHit.Label1"_s), QStringList{u"当選していません"_s});
    QCOMPARE(none.section(u"Copy.StatusBar1.1"_s), QStringList{u"選択数：0/0"_s});

    // Typed keys other than digits never reach a box; out-of-range boxes take no part.
    const CliRun typed = runCli({u"check"_s, file, u"1a"_s, u"2"_s, u"3"_s, u"44"_s, u"0"_s, u"--select"_s, u"last:400"_s});
    QCOMPARE(typed.status, 0);
    QCOMPARE(typed.section(u"Copy.Caption"_s), QStringList{u"過去の抽選結果と照合 1 2 3 44 0 "_s});
    QCOMPARE(typed.section(u"FormOldHit.ListView1"_s), run.section(u"FormOldHit.ListView1"_s));
}

void TestLookupsCli::checkRefusalsAndUsage()
{
    const QString file = testsupport::loto6File();
    for (const QStringList &numbers : {QStringList{u"7"_s, QString(), u"7"_s}, QStringList{u"7"_s, u"07"_s}}) {
        const CliRun run = runCli(QStringList{u"check"_s, file} + numbers);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, u"重複しいる番号があります\n"_s);
        QVERIFY(run.out.isEmpty());
    }
    QCOMPARE(runCli({u"check"_s, file, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s}).status, 2);
    // miniLOTO has no sixth box to type into.
    const CliRun six = runCli({u"check"_s, testsupport::miniLotoFile(), u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s});
    QCOMPARE(six.status, 2);
    QVERIFY(six.out.isEmpty());
    QCOMPARE(runCli({u"check"_s, testsupport::miniLotoFile(), u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}).status, 0);
    QCOMPARE(runCli({u"check"_s}).status, 2);
    QCOMPARE(runCli({u"check"_s, file, u"1"_s, u"--select"_s, u"some"_s}).status, 2);
    const CliRun missing = runCli({u"check"_s, u"/nonexistent/LOTO6_Download.csv"_s, u"1"_s});
    QCOMPARE(missing.status, 1);
    QCOMPARE(missing.err, u"データファイルが異常です\n"_s);
}

void TestLookupsCli::searchPrintsCopy_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("picks");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("loto6 or") << testsupport::loto6File() << 6 << u"or"_s << u"7 13"_s << QList<int>{7, 13};
    QTest::newRow("loto6 and") << testsupport::loto6File() << 6 << u"and"_s << u"7 13"_s << QList<int>{7, 13};
    QTest::newRow("loto6 not") << testsupport::loto6File() << 6 << u"not"_s << u" 13 7 "_s << QList<int>{7, 13};
    QTest::newRow("mini and") << testsupport::miniLotoFile() << 5 << u"and"_s << u"31 1"_s << QList<int>{31, 1};
    // Typed letters never reach the box.
    QTest::newRow("letters dropped") << testsupport::miniLotoFile() << 5 << u"or"_s << u"2x0"_s << QList<int>{20};
}

void TestLookupsCli::searchPrintsCopy()
{
    QFETCH(QString, file);
    QFETCH(int, picks);
    QFETCH(QString, mode);
    QFETCH(QString, text);
    QFETCH(QList<int>, numbers);

    const CliRun run = runCli({u"search"_s, file, u"--mode"_s, mode, text});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), kSearchSections);
    QString typed = text;
    typed.remove(u'x');
    QCOMPARE(run.section(u"Copy.Caption"_s), QStringList{u"指定した番号から抽選結果の検索 "_s + typed});

    const QList<drawlines::Draw> draws = drawlines::read(file);
    const QHash<int, QString> loaded = loadedRows(file);
    QStringList expected;
    for (const drawlines::Draw &d : draws) {
        QList<int> drawn = d.mains(picks);
        drawn.append(d.bonus(picks));
        const qsizetype found = std::count_if(numbers.begin(), numbers.end(), [&](int n) { return drawn.contains(n); });
        const bool match = mode == u"or" ? found > 0 : mode == u"and" ? found == numbers.size() : found == 0;
        if (match)
            expected.append(loaded.value(d.kai()));
    }
    QVERIFY(!expected.isEmpty());
    QCOMPARE(run.section(u"Copy.ListView1"_s).mid(1), expected);
    QCOMPARE(run.section(u"Copy.StatusBar1.1"_s), QStringList{u"選択数：%1/%1"_s.arg(expected.size())});
}

void TestLookupsCli::searchRefusalsAndUsage()
{
    const QString loto6 = testsupport::loto6File();
    const QString mini = testsupport::miniLotoFile();
    const QList<std::tuple<QString, QString, QString>> refused{
        {loto6, u"7  13"_s, u"数字以外の文字が含まれています"_s},
        {loto6, u"44"_s, u"１～４３の数字を入力"_s},
        {mini, u"32"_s, u"１～３１の数字を入力"_s},
        {mini, u"0"_s, u"１～３１の数字を入力"_s},
    };
    for (const auto &[file, text, message] : refused) {
        const CliRun run = runCli({u"search"_s, file, u"--mode"_s, u"or"_s, text});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, message + u'\n');
        QVERIFY(run.out.isEmpty());
    }
    // An empty box starts no search.
    const CliRun empty = runCli({u"search"_s, loto6, u"--mode"_s, u"or"_s, u"abc"_s});
    QCOMPARE(empty.status, 0);
    QVERIFY(empty.out.isEmpty());

    QCOMPARE(runCli({u"search"_s, loto6, u"--mode"_s, u"xor"_s, u"7"_s}).status, 2);
    QCOMPARE(runCli({u"search"_s, loto6}).status, 2);
    QCOMPARE(runCli({u"search"_s, loto6, u"--mode"_s}).status, 2);
    QCOMPARE(runCli({u"search"_s, loto6, u"7"_s}).status, 2);  // the mode is not optional
}

QTEST_GUILESS_MAIN(TestLookupsCli)
#include "tst_lookups_cli.moc"
