#include "core/drawfile.h"
#include "core/drawtable.h"
#include "support/testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace testsupport;


class TestCliLoad : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadAll();
    void selections();
    void refusedAndUsage();
    void tabInsideACell();
    void outputFailures_data();
    void outputFailures();
};

void TestCliLoad::loadAll()
{
    const CliRun r = runCli({u"load"_s, loto6File()});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    QCOMPARE(r.lines.size(), 2 + 2141 + 2);
    QCOMPARE(r.lines[0], u"== FormMain.ListView1"_s);
    QCOMPARE(r.lines[1], u"回\t抽選日\t1\t2\t3\t4\t5\t6\tBonus\t１等口数\t１等賞金\t２等口数\t２等賞金\t３等口数\t"
                         u"３等賞金\t４等口数\t４等賞金\t５等口数\t５等賞金\tCarryOver"_s);
    // Each row line is the table's cells from column 1 on, padding kept.
    DrawTable t;
    QVERIFY(DrawFile::read(loto6File(), t).ok());
    for (int row : {0, 1000, 2140}) {
        QStringList cells;
        for (int c = 1; c < t.columnCount(); ++c)
            cells.append(t.cellText(row, c));
        QCOMPARE(r.lines[2 + row], cells.join(u'\t'));
    }
    QVERIFY(r.lines[2].startsWith(u"    1\t2000/10/05\t 2\t 8\t"_s));
    QCOMPARE(r.lines[2143], u"== FormMain.StatusBar1.1"_s);
    QCOMPARE(r.lines[2144], u"選択数：2141/2141"_s);
}

void TestCliLoad::selections()
{
    CliRun r = runCli({u"load"_s, miniLotoFile(), u"--select"_s, u"last:50"_s});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.lines.last(), u"選択数：50/1402"_s);
    r = runCli({u"load"_s, miniLotoFile(), u"--select"_s, u"first:5000"_s});
    QCOMPARE(r.lines.last(), u"選択数：1402/1402"_s);
    r = runCli({u"load"_s, miniLotoFile(), u"--select=first:0"_s});
    QCOMPARE(r.lines.last(), u"選択数：0/1402"_s);
    r = runCli({u"load"_s, miniLotoFile(), u"--select"_s, u"all"_s});
    QCOMPARE(r.lines.last(), u"選択数：1402/1402"_s);
}

void TestCliLoad::refusedAndUsage()
{
    QTemporaryDir dir;
    const QString bad = writeTextFile(dir, u"b.csv"_s, u"not a draw file\r\n"_s);
    CliRun r = runCli({u"load"_s, bad});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, u"データファイルが異常です\n"_s);
    QVERIFY(r.lines.isEmpty());
    r = runCli({u"load"_s, dir.path()});
    QCOMPARE(r.status, 1);
    QVERIFY(r.lines.isEmpty());

    for (const QStringList &args : {QStringList{}, QStringList{u"nonsense"_s}, QStringList{u"load"_s},
                                    QStringList{u"load"_s, loto6File(), u"--bogus"_s},
                                    QStringList{u"load"_s, loto6File(), u"--select"_s, u"middle:3"_s},
                                    QStringList{u"load"_s, loto6File(), u"--select"_s}}) {
        r = runCli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.startsWith(u"usage"_s) || r.err.startsWith(u"unknown"_s));
        QVERIFY(r.lines.isEmpty());
    }
}

void TestCliLoad::tabInsideACell()
{
    // A tab would split the cell in two: it prints as a blank, as a copy to the clipboard has it.
    QTemporaryDir dir;
    const CliRun r = runCli({u"load"_s, writeTextFile(dir, u"t.csv"_s, loto6Text({u"1,2020\t1/5,1,2,3,4,5,6,7"_s}))});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.lines[2].count(u'\t'), 19);
    QVERIFY(r.lines[2].startsWith(u"    1\t2020 1/5\t 1\t"_s));
}

void TestCliLoad::outputFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("closed");  // standard output closed, else /dev/full
    const QStringList load{u"load"_s, loto6File()};
    const QStringList help{u"--help"_s};
    QTest::newRow("load into a full disk") << load << false;
    QTest::newRow("load, output closed") << load << true;
    QTest::newRow("help into a full disk") << help << false;
    QTest::newRow("help, output closed") << help << true;
}

void TestCliLoad::outputFailures()
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

QTEST_GUILESS_MAIN(TestCliLoad)
#include "tst_cli_load.moc"
