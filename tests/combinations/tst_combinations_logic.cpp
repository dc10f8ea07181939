#include "combinations/combinationcells.h"
#include "combinations/combinationtable.h"
#include "combinations/patternavailability.h"
#include "combinations/patternconvert.h"
#include "combinations/patterncursor.h"
#include "combinations/patternfile.h"
#include "combinations/poollist.h"
#include "combinations/ticketcells.h"
#include "combinations/ticketsheet.h"
#include "core/gridexport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
// Every `picks`-set of 1..n in lexicographic order, by nested ascending loops.
QList<QList<int>> allSets(int n, int picks)
{
    QList<QList<int>> out;
    QList<int> current;
    std::function<void(int)> choose = [&](int from) {
        if (current.size() == picks) {
            out.append(current);
            return;
        }
        for (int x = from; x <= n; ++x) {
            current.append(x);
            choose(x + 1);
            current.removeLast();
        }
    };
    choose(1);
    return out;
}

QList<int> firstNumbers(int n, int offset = 0)
{
    QList<int> pool;
    for (int i = 1; i <= n; ++i)
        pool.append(i + offset);
    return pool;
}
} // namespace

class TestCombinationsLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void table_data();
    void table();
    void poolListRules_data();
    void poolListRules();
    void patternFileLines_data();
    void patternFileLines();
    void unopenablePatternFile();
    void availabilityAndCursor();
    void ticketSheet();
};

void TestCombinationsLogic::table_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("keys");
    QTest::addColumn<QString>("status");
    QTest::newRow("fewer than a ticket") << 5 << 6 << 0 << u"0個選択 - 0通り"_s;
    QTest::newRow("pool of one ticket") << 6 << 6 << 0 << u"6個選択 - 1通り"_s;
    QTest::newRow("8 of LOTO6") << 8 << 6 << 0 << u"8個選択 - 28通り"_s;
    QTest::newRow("8 with two keys") << 8 << 6 << 2 << u"8個選択 - 15通り"_s;
    QTest::newRow("miniLOTO 12, three keys") << 12 << 5 << 3 << u"12個選択 - 36通り"_s;
    QTest::newRow("keys fill the ticket") << 10 << 6 << 6 << u"10個選択 - 1通り"_s;
    QTest::newRow("LOTO6 19") << 19 << 6 << 0 << u"19個選択 - 27132通り"_s;
    QTest::newRow("LOTO6 43") << 43 << 6 << 0 << u"43個選択 - 6096454通り"_s;
    QTest::newRow("LOTO6 43, two keys") << 43 << 6 << 2 << u"43個選択 - 101270通り"_s;
    QTest::newRow("miniLOTO 31") << 31 << 5 << 0 << u"31個選択 - 169911通り"_s;
}

void TestCombinationsLogic::table()
{
    QFETCH(int, n);
    QFETCH(int, picks);
    QFETCH(int, keys);
    QFETCH(QString, status);

    // Pool numbers differ from positions, so a header mixed up with a position shows.
    const QList<int> pool = firstNumbers(n, 20);
    const CombinationTable table(pool, picks, keys);
    QCOMPARE(selectionStatusText(table.gridColumns(), table.gridRows()), status);
    QCOMPARE(table.cellText(0, 0), QString());
    QCOMPARE(table.cellText(0, n), table.rowCount() > 0 ? QString::number(pool.last()) : QString());
    if (n > 19) {
        // Big pools take their rows from the combinatorics module's unranking, checked there.
        return;
    }
    QList<QList<int>> expected;
    for (const QList<int> &set : allSets(n, picks)) {
        if (set.mid(0, keys) == firstNumbers(keys))
            expected.append(set);
    }
    QCOMPARE(table.rowCount(), qint64(expected.size()));
    // Saved as tickets, then read by the pattern manager's convert over the whole field (a pool
    // of 43, where a number is its own position): each row comes back as its pool numbers.
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    QVERIFY(GridExport::write(CombinationCells(table), GridExport::Form::Tickets, file));
    const QString converted = PatternConvert::convert(QString::fromLatin1(file.data()), u"43"_s).text();
    const QList<PatternFile::Ticket> back = PatternFile::parse(converted.toLatin1(), 43).tickets;
    QCOMPARE(back.size(), expected.size());
    for (qsizetype r = 0; r < expected.size(); ++r) {
        QCOMPARE(table.rowPositions(r), expected[r]);
        QList<int> numbers = expected[r];
        for (int &position : numbers)
            position += 20;
        QCOMPARE(back[r].positions(), numbers);
        QCOMPARE(table.rowOfMask(table.rowMask(r)), qint64(r));
        QCOMPARE(table.cellText(r + 1, 0), QString::number(r + 1));
        for (int j = 1; j <= n; ++j) {
            const bool member = expected[r].contains(j);
            QCOMPARE(table.isMarked(r + 1, j), member);
            QCOMPARE(table.cellText(r + 1, j), member ? u"1"_s : QString());
        }
    }
}

// Operations on a pool list of miniLOTO (5 keys at most): "a N" box N chosen, "r N" box N
// cleared, "u I" / "d I" ↑ / ↓ on entry I, "m I" / "x I" key box of entry I ticked / unticked;
// "=I" is the entry's expected new index, "=-" a refusal.
void TestCombinationsLogic::poolListRules_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("keys");
    QTest::newRow("ends do not move") << u"a 4;a 9;a 2;u 0=-;d 2=-;d 0=1;u 2=1"_s << QList<int>{9, 2, 4} << 0;
    QTest::newRow("marking the last entry makes it the first")
        << u"a 4;a 9;a 2;m 2=0"_s << QList<int>{2, 4, 9} << 1;
    QTest::newRow("a plain entry stays below the keys")
        << u"a 4;a 9;a 2;m 1=0;u 1=-;d 0=-;d 1=2"_s << QList<int>{9, 2, 4} << 1;
    QTest::newRow("keys move among themselves") << u"a 4;a 9;a 2;m 0=0;m 1=1;d 0=1;u 1=0"_s << QList<int>{4, 9, 2} << 2;
    QTest::newRow("sixth key undone")
        << u"a 1;a 2;a 3;a 4;a 5;a 6;a 7;m 6=0;m 6=1;m 6=2;m 6=3;m 6=4;m 6=-"_s << QList<int>{7, 6, 5, 4, 3, 1, 2} << 5;
    QTest::newRow("unmarked key goes below the keys")
        << u"a 1;a 2;a 3;a 4;m 0=0;m 1=1;m 2=2;x 0=2"_s << QList<int>{2, 3, 1, 4} << 2;
    QTest::newRow("a cleared key leaves the list") << u"a 1;a 2;a 3;m 0=0;m 1=1;r 1"_s << QList<int>{2, 3} << 1;
}

void TestCombinationsLogic::poolListRules()
{
    QFETCH(QString, script);
    QFETCH(QList<int>, numbers);
    QFETCH(int, keys);

    PoolList pool(5);
    for (const QString &step : script.split(u';')) {
        const QString op = step.section(u'=', 0, 0);
        const int arg = op.mid(2).toInt();
        std::optional<int> moved;
        switch (op[0].unicode()) {
        case 'a': pool.append(arg); continue;
        case 'r': QVERIFY(pool.remove(arg)); continue;
        case 'u': moved = pool.moveUp(arg); break;
        case 'd': moved = pool.moveDown(arg); break;
        case 'm': moved = pool.markKey(arg); break;
        case 'x': moved = pool.unmarkKey(arg); break;
        }
        const QString expected = step.section(u'=', 1);
        QCOMPARE(moved ? QString::number(*moved) : u"-"_s, expected);
    }
    QCOMPARE(pool.numbers(), numbers);
    QCOMPARE(pool.keyCount(), keys);
}

void TestCombinationsLogic::patternFileLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("positions");
    QTest::addColumn<QStringList>("rows");  // marked positions, "!" for an incomplete row
    QTest::addColumn<int>("firstLine");
    QTest::newRow("CR LF lines") << QByteArray("1110001\r\n0001111\r\n") << 7 << QStringList{u"1 2 3 7"_s, u"4 5 6 7"_s} << 7;
    QTest::newRow("last line without line feed kept")
        << QByteArray("1110001\r\n0001111") << 7 << QStringList{u"1 2 3 7"_s, u"4 5 6 7"_s} << 7;
    QTest::newRow("blanks between digits") << QByteArray("1 1 1 0 0 0 1\n") << 7 << QStringList{u"1 2 3 7"_s} << 7;
    QTest::newRow("surplus cut and flagged")
        << QByteArray("111100011\r\n1111000\r\n") << 7 << QStringList{u"1 2 3 4 !"_s, u"1 2 3 4"_s} << 9;
    QTest::newRow("wrong mark count") << QByteArray("1110000\r\n") << 7 << QStringList{u"1 2 3 !"_s} << 7;
    QTest::newRow("no columns") << QByteArray("1111\r\n") << 0 << QStringList{u"!"_s} << 4;
    QTest::newRow("empty file") << QByteArray() << 7 << QStringList{} << 0;
}

void TestCombinationsLogic::patternFileLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, positions);
    QFETCH(QStringList, rows);
    QFETCH(int, firstLine);

    const PatternFile::Content content = PatternFile::parse(bytes, positions);
    QStringList shown;
    for (const PatternFile::Ticket &t : content.tickets) {
        QStringList parts;
        for (const int p : t.positions())
            parts.append(QString::number(p));
        if (t.isIncomplete(4))
            parts.append(u"!"_s);
        shown.append(parts.join(u' '));
    }
    QCOMPARE(shown, rows);
    QCOMPARE(content.firstLineLength, firstLine);
}

void TestCombinationsLogic::unopenablePatternFile()
{
    QTemporaryDir dir;
    const PatternFile::Loaded loaded = PatternFile::LoadPatternFile(dir.filePath(u"1-639.txt"_s), 9);
    QVERIFY(!loaded.ok());
    QCOMPARE(loaded.error, u"1-639.txtを開けません。"_s);
    QVERIFY(loaded.content.tickets.isEmpty());
}

void TestCombinationsLogic::availabilityAndCursor()
{
    QTemporaryDir dir;
    // 1-6539.txt is LOTO6 5th tier over 39 numbers, not a miniLOTO file over 9.
    for (const QString &name : {u"1-639.txt"_s, u"2-639.txt"_s, u"1-649.txt"_s, u"1-639K1.txt"_s, u"1-6539.txt"_s,
                                u"1-539.txt"_s, u"1-559.txt"_s}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString folder = dir.path();
    const PatternAvailability loto6 = CheckPatternFiles(folder, 6, 9, 0);
    QCOMPARE(loto6.statusText, u"パターンファイル 3等 2個  4等 1個  "_s);
    QVERIFY(loto6.isEnabled(3) && loto6.isEnabled(4) && !loto6.isEnabled(5));
    QCOMPARE(CheckPatternFiles(folder, 6, 9, 1).statusText, u"パターンファイル 3等 1個  "_s);
    QCOMPARE(CheckPatternFiles(folder, 6, 8, 0).statusText, QString());
    // miniLOTO has no 5th-tier button, so 1-559.txt is never offered.
    const PatternAvailability mini = CheckPatternFiles(folder, 5, 9, 0);
    QCOMPARE(mini.tiers.size(), 2);
    QCOMPARE(mini.statusText, u"パターンファイル 3等 1個  "_s);

    PatternCursor cursor;
    // Clicks cycle through the files; another tier, key count or pool size starts again.
    const QStringList expected{u"1-639.txt"_s, u"2-639.txt"_s, u"1-639.txt"_s, u"1-649.txt"_s, u"1-639.txt"_s,
                               u"1-639K1.txt"_s, u"1-639.txt"_s, QString(), u"1-639.txt"_s};
    const QList<PatternFolder::Request> clicks{{6, 3, 9, 0}, {6, 3, 9, 0}, {6, 3, 9, 0}, {6, 4, 9, 0}, {6, 3, 9, 0},
                                               {6, 3, 9, 1}, {6, 3, 9, 0}, {6, 3, 8, 0}, {6, 3, 9, 0}};
    QStringList loaded;
    for (const PatternFolder::Request &request : clicks)
        loaded.append(cursor.next(request, PatternFolder::matchingFiles(folder, request)));
    QCOMPARE(loaded, expected);
}

void TestCombinationsLogic::ticketSheet()
{
    TicketSheet sheet;
    QCOMPARE(sheet.gridRows(), 2);
    QVERIFY(sheet.removeLastRow());
    QVERIFY(!sheet.removeLastRow());  // only the header row is left
    QCOMPARE(sheet.gridRows(), 1);
    QVERIFY(!sheet.guaranteeInput(6));

    sheet.setHeader(firstNumbers(8, 10));
    sheet.load(PatternFile::parse("11111100\r\n001111110\r\n", sheet.positions()).tickets);
    QVERIFY(!sheet.isIncomplete(0, 6));
    // The second line runs past the grid: incomplete although six marks fit.
    QCOMPARE(sheet.ticket(1).positions(), (QList<int>{3, 4, 5, 6, 7, 8}));
    QVERIFY(sheet.isIncomplete(1, 6));
    QVERIFY(!sheet.guaranteeInput(6));
    sheet.toggle(1, 3);
    sheet.toggle(1, 3);
    QVERIFY(!sheet.isIncomplete(1, 6));  // the user has made the row what it shows
    const std::optional<Guarantee::Input> input = sheet.guaranteeInput(6);
    QVERIFY(input && input->pool == 8 && input->tickets.size() == 2);
    QCOMPARE(sheet.cellText(0, 8), u"18"_s);
    QCOMPARE(sheet.cellText(2, 3), u"1"_s);
    QCOMPARE(sheet.cellText(2, 1), QString());

    // A smaller pool drops the marks past its last column; a bigger one brings none back.
    sheet.setHeader(firstNumbers(6));
    QCOMPARE(sheet.ticket(1).positions(), (QList<int>{3, 4, 5, 6}));
    sheet.setHeader(firstNumbers(8));
    QVERIFY(sheet.isIncomplete(1, 6));
    QVERIFY(!sheet.guaranteeInput(6));
    sheet.addRow();
    QCOMPARE(sheet.cellText(3, 0), u"3"_s);

    // Saved as tickets: each row's numbers ascending whatever the pool's order, the empty row
    // left out.
    sheet.setHeader({40, 3, 27, 8, 14, 33, 21, 9});
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    QVERIFY(GridExport::write(TicketCells(std::make_shared<TicketSheet>(sheet), 6), GridExport::Form::Tickets, file));
    QCOMPARE(file.data(), "3 8 14 27 33 40\r\n8 14 27 33\r\n");
}

QTEST_GUILESS_MAIN(TestCombinationsLogic)
#include "tst_combinations_logic.moc"
