#include "support/testsupport.h"

#include "combinations/combinationtable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using testsupport::CliRun;
using testsupport::runCli;

class TestCombinationsCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void combos_data();
    void combos();
    void patternStatus();
    void guaranteeOfWheelFile();
    void refusals();
};

void TestCombinationsCli::combos_data()
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
    QTest::newRow("fewer than a ticket") << u"loto6"_s << u"1 2 3"_s << 0 << -1 << u"0個選択 - 0通り"_s;
    QTest::newRow("all 43, first rows") << u"loto6"_s << all.join(u' ') << 0 << 3 << u"43個選択 - 6096454通り"_s;
}

void TestCombinationsCli::combos()
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

    // The grid as the window's table shows it (the table itself is checked against a count of
    // its own in the logic tests).
    QList<int> numbers;
    for (const QString &n : pool.split(u' '))
        numbers.append(n.toInt());
    const int picks = game == u"loto6" ? 6 : 5;
    const CombinationTable table(numbers, picks, std::min(keys, picks));
    const qint64 rows = shown < 0 ? table.rowCount() : std::min<qint64>(shown, table.rowCount());
    QStringList expected;
    for (qint64 r = 0; r <= rows; ++r) {
        QStringList cells;
        for (int c = 0; c < table.gridColumns(); ++c)
            cells.append(table.cellText(r, c));
        expected.append(cells.join(u'\t'));
    }
    QCOMPARE(run.section(u"FormCombList.MSFlexGrid1"_s), expected);
}

void TestCombinationsCli::patternStatus()
{
    QTemporaryDir dir;
    for (const QString &name : {u"1-639.txt"_s, u"2-639.txt"_s, u"1-649.txt"_s, u"1-639K1.txt"_s}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString pool = u"9 8 7 6 5 4 3 2 1"_s;
    const CliRun run = runCli({u"combos"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, pool, u"--rows"_s, u"0"_s,
                               u"--patterns"_s, dir.path()});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.section(u"FormCombList.StatusBar1.3"_s), QStringList{u"パターンファイル 3等 2個  4等 1個  "_s});
}

// The covering C(12,6,4) written as a pattern file whose last line has no line break: all 41
// tickets count, and as a five-of-six wheel one draw of 924 stays below five matches.
void TestCombinationsCli::guaranteeOfWheelFile()
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
}

void TestCombinationsCli::refusals()
{
    QTemporaryDir dir;
    const CliRun missing = runCli({u"guarantee"_s, u"--game"_s, u"loto6"_s, u"--pattern"_s, dir.filePath(u"1-639.txt"_s)});
    QCOMPARE(missing.status, 1);
    QCOMPARE(missing.err.trimmed(), u"1-639.txtを開けません。"_s);
    QVERIFY(missing.out.isEmpty());

    // A ticket of five marks stops the calculation without a word.
    const QString incomplete = testsupport::writeBytesFile(dir, u"1-637.txt"_s, "1111110\r\n1111100\r\n");
    const CliRun silent = runCli({u"guarantee"_s, u"--game"_s, u"loto6"_s, u"--pattern"_s, incomplete});
    QCOMPARE(silent.status, 0);
    QVERIFY(silent.out.isEmpty());

    for (const QStringList &args : {QStringList{u"combos"_s, u"--game"_s, u"loto7"_s, u"--pool"_s, u"1 2"_s},
                                    QStringList{u"combos"_s, u"--game"_s, u"miniloto"_s, u"--pool"_s, u"1 32"_s},
                                    QStringList{u"combos"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"1 2 1"_s},
                                    QStringList{u"combos"_s, u"--game"_s, u"loto6"_s, u"--pool"_s, u"1 2"_s, u"--keys"_s, u"3"_s},
                                    QStringList{u"guarantee"_s, u"--game"_s, u"loto6"_s}}) {
        const CliRun run = runCli(args);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCombinationsCli)
#include "tst_combinations_cli.moc"
