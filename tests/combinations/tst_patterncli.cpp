// zemvara-cli pattern convert | save | summary | generate against the manager's texts.
#include "support/testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using testsupport::CliRun;

namespace {
QStringList saveArgs(const QString &dir, const QString &tier, const QString &keys)
{
    return {u"pattern"_s, u"save"_s, u"--dir"_s, dir, u"--pool"_s, u"9"_s, u"--tier"_s, tier, u"--keys"_s, keys};
}
} // namespace

class TestPatternCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertPrintsText2();
    void saveThenSummary();
    void refusalsAndUsage_data();
    void refusalsAndUsage();
    void generatePrintsConvertibleWheel();
};

void TestPatternCli::convertPrintsText2()
{
    const CliRun run = testsupport::runCli({u"pattern"_s, u"convert"_s, u"--pool"_s, u"9"_s}, "1 2 3 4 5 6\n1 2 3 7 8 9");
    QCOMPARE(run.status, 0);
    QCOMPARE(run.lines, (QStringList{u"== FormPattern.Text2"_s, u"111111000"_s, u"111000111"_s}));
}

void TestPatternCli::saveThenSummary()
{
    QTemporaryDir dir;
    const QByteArray example = "1 2 3 4 5 6\r\n1 2 3 7 8 9\r\n";
    CliRun run = testsupport::runCli(saveArgs(dir.path(), u"3"_s, u"0"_s), example);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.lines, QStringList{u"1-639.txt"_s});
    run = testsupport::runCli(saveArgs(dir.path(), u"3"_s, u"0"_s), example);
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), u"1-639.txtと同じです。"_s);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(testsupport::runCli(saveArgs(dir.path(), u"3"_s, u"0"_s), "1 2 3 4 5 6\n4 5 6 7 8 9\n").lines,
             QStringList{u"2-639.txt"_s});
    QCOMPARE(testsupport::runCli(saveArgs(dir.path(), u"4"_s, u"1"_s), example).lines, QStringList{u"1-649K1.txt"_s});
    QCOMPARE(testsupport::runCli(saveArgs(dir.path(), u"4"_s, u"0"_s), "1 2 3 4 5\n").lines, QStringList{u"1-549.txt"_s});

    run = testsupport::runCli({u"pattern"_s, u"summary"_s, u"--dir"_s, dir.path(), u"--game"_s, u"6"_s});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.lines, (QStringList{u"== FormPattern.Text5"_s,
                                     u"LOTO6 3等保証 選択数字数09個 Key数字なし パターンファイル数2個"_s,
                                     u"LOTO6 4等保証 選択数字数09個 Key数字 1個 パターンファイル数1個"_s}));
    run = testsupport::runCli({u"pattern"_s, u"summary"_s, u"--dir"_s, dir.path(), u"--game"_s, u"0"_s});
    QCOMPARE(run.section(u"FormPattern.Text5"_s).size(), 3);
}

void TestPatternCli::refusalsAndUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");

    const QString dir = QDir::tempPath();
    QTest::newRow("position above the pool") << QStringList{u"pattern"_s, u"convert"_s, u"--pool"_s, u"9"_s}
                                             << QByteArray("1 2 3 4 5 10\n") << 1;
    QTest::newRow("pool not a number") << QStringList{u"pattern"_s, u"convert"_s, u"--pool"_s, u"x"_s}
                                       << QByteArray("1 2 3\n") << 1;
    QTest::newRow("save of nothing") << saveArgs(dir, u"3"_s, u"0"_s) << QByteArray("") << 1;
    QTest::newRow("save into no folder") << saveArgs(dir + u"/no/such/folder"_s, u"3"_s, u"0"_s)
                                         << QByteArray("1 2 3 4 5 6\n") << 1;
    QTest::newRow("generate a tier miniLOTO lacks")
        << QStringList{u"pattern"_s, u"generate"_s, u"--game"_s, u"miniloto"_s, u"--pool"_s, u"9"_s, u"--tier"_s, u"5"_s}
        << QByteArray() << 1;
    QTest::newRow("no action") << QStringList{u"pattern"_s} << QByteArray() << 2;
    QTest::newRow("unknown action") << QStringList{u"pattern"_s, u"delete"_s} << QByteArray() << 2;
    QTest::newRow("tier 2") << saveArgs(dir, u"2"_s, u"0"_s) << QByteArray("1 2 3 4 5 6\n") << 2;
    QTest::newRow("missing pool") << QStringList{u"pattern"_s, u"convert"_s} << QByteArray("1\n") << 2;
    QTest::newRow("summary of game 7")
        << QStringList{u"pattern"_s, u"summary"_s, u"--dir"_s, dir, u"--game"_s, u"7"_s} << QByteArray() << 2;
    QTest::newRow("no seconds")
        << QStringList{u"pattern"_s, u"generate"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"9"_s, u"--tier"_s, u"3"_s,
                       u"--seconds"_s, u"0"_s}
        << QByteArray() << 2;
}

void TestPatternCli::refusalsAndUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    const CliRun run = testsupport::runCli(arguments, input);
    QCOMPARE(run.status, status);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
    if (status == 2)
        QVERIFY(run.err.startsWith(u"usage:"_s));
}

void TestPatternCli::generatePrintsConvertibleWheel()
{
    const CliRun run = testsupport::runCli({u"pattern"_s, u"generate"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"12"_s,
                                            u"--tier"_s, u"4"_s, u"--keys"_s, u"1"_s, u"--seconds"_s, u"1"_s});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), QStringList{u"FormPattern.Text1"_s});
    const QStringList wheel = run.section(u"FormPattern.Text1"_s);
    QVERIFY(!wheel.isEmpty());
    for (const QString &line : wheel)
        QVERIFY2(line.startsWith(u"1 "_s) && line.split(u' ').size() == 6, qPrintable(line));
    // The lines convert and save as a keyed 4th-tier wheel.
    QTemporaryDir dir;
    const CliRun saved = testsupport::runCli({u"pattern"_s, u"save"_s, u"--dir"_s, dir.path(), u"--pool"_s, u"12"_s,
                                       u"--tier"_s, u"4"_s, u"--keys"_s, u"1"_s},
                                      wheel.join(u'\n').toUtf8());
    QCOMPARE(saved.lines, QStringList{u"1-6412K1.txt"_s});
}

QTEST_GUILESS_MAIN(TestPatternCli)
#include "tst_patterncli.moc"
