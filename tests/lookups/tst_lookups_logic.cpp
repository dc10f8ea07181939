#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/gamerules.h"
#include "lookups/numbersearch.h"
#include "lookups/oldhit.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
DrawTable loadTable(const QString &path, int *runMode = nullptr)
{
    DrawTable table;
    const DrawFile::Result result = DrawFile::read(path, table);
    if (runMode)
        *runMode = result.runMode;
    table.setAllSelected(true);
    return table;
}

QStringList numbersText(const QList<int> &numbers)
{
    QStringList out;
    for (int n : numbers)
        out.append(QString::number(n));
    return out;
}
} // namespace

class TestLookupsLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkMatchesIndependentCount_data();
    void checkMatchesIndependentCount();
    void checkCountsOnlySelectedRows();
    void checkWithNothingSelected();
    void checkIgnoresBoxesThatCannotTakePart();
    void checkWithFewerNumbers();
    void duplicateTest_data();
    void duplicateTest();
    void searchInputRules_data();
    void searchInputRules();
    void searchModesOnRealFiles_data();
    void searchModesOnRealFiles();
    void searchComparesPaddedText();
    void searchOnlySelectedRowsInSourceOrder();
};

void TestLookupsLogic::checkMatchesIndependentCount_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("picks");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("loto6 typical") << testsupport::loto6File() << 6 << QList<int>{3, 14, 15, 26, 35, 43};
    QTest::newRow("loto6 low") << testsupport::loto6File() << 6 << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("mini typical") << testsupport::miniLotoFile() << 5 << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("mini high") << testsupport::miniLotoFile() << 5 << QList<int>{27, 28, 29, 30, 31};
}

void TestLookupsLogic::checkMatchesIndependentCount()
{
    QFETCH(QString, file);
    QFETCH(int, picks);
    QFETCH(QList<int>, numbers);

    int runMode = 0;
    const DrawTable table = loadTable(file, &runMode);
    QCOMPARE(runMode, picks);
    const QList<drawlines::Draw> draws = drawlines::read(file);
    QCOMPARE(table.rowCount(), int(draws.size()));

    // Also check a real draw's own numbers: it must have won the first tier.
    const int lastDraw = int(draws.size()) - 1;
    for (const QList<int> &set : {numbers, draws[lastDraw].mains(picks)}) {
        const OldHit::Result result = OldHit::check(table, runMode, numbersText(set));
        QList<int> expectedRows;
        qint64 expectedTotal = 0;
        for (int r = 0; r < draws.size(); ++r) {
            if (drawlines::expectedTier(picks, set, draws[r]) > 0) {
                expectedRows.append(r);
                expectedTotal += draws[r].prize(picks, drawlines::expectedTier(picks, set, draws[r])).toLongLong();
            }
        }
        QCOMPARE(result.rows(), expectedRows);
        QCOMPARE(result.total, expectedTotal);
        QVERIFY(!expectedRows.isEmpty());
        for (const OldHit::Hit &hit : result.hits) {
            const drawlines::Draw &d = draws[hit.row];
            const int tier = drawlines::expectedTier(picks, set, d);
            QCOMPARE(hit.cells.size(), 4);
            QCOMPARE(hit.cells[0], QString());
            QCOMPARE(hit.cells[1].size(), 6);
            QCOMPARE(hit.cells[1].toInt(), d.kai());
            QCOMPARE(hit.cells[2], QString(QChar(u"１２３４５"[tier - 1])) + u"等"_s);
            QCOMPARE(hit.cells[3].size(), picks == 6 ? 9 : 8);
            QCOMPARE(hit.cells[3].trimmed(), d.prize(picks, tier));
        }
        QCOMPARE(result.summary, QString::number(expectedRows.size()) + u"回当選　賞金合計　"_s +
                                     QString::number(expectedTotal) + u"円"_s);
        if (set != numbers)
            QCOMPARE(result.hits.last().rank, 1);
    }
}

void TestLookupsLogic::checkCountsOnlySelectedRows()
{
    int runMode = 0;
    DrawTable table = loadTable(testsupport::loto6File(), &runMode);
    const QStringList boxes{u"3"_s, u"14"_s, u"15"_s, u"26"_s, u"35"_s, u"43"_s};
    const QList<int> all = OldHit::check(table, runMode, boxes).rows();
    QVERIFY(all.size() > 4);

    // Keep every other winning draw selected, and a few losing ones.
    table.setAllSelected(false);
    QList<int> kept;
    for (int i = 0; i < all.size(); i += 2) {
        table.setSelected(all[i], true);
        kept.append(all[i]);
    }
    table.setRangeSelected(0, 5, true);
    QList<int> expected = kept;
    for (int r = 0; r <= 5; ++r) {
        if (all.contains(r) && !expected.contains(r))
            expected.append(r);
    }
    std::sort(expected.begin(), expected.end());
    QCOMPARE(OldHit::check(table, runMode, boxes).rows(), expected);
}

void TestLookupsLogic::checkWithNothingSelected()
{
    int runMode = 0;
    DrawTable table = loadTable(testsupport::miniLotoFile(), &runMode);
    table.setAllSelected(false);
    const OldHit::Result result = OldHit::check(table, runMode, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s});
    QVERIFY(result.hits.isEmpty());
    QCOMPARE(result.total, 0);
    QCOMPARE(result.summary, u"当選していません"_s);
}

void TestLookupsLogic::checkIgnoresBoxesThatCannotTakePart()
{
    int runMode = 0;
    const DrawTable loto6 = loadTable(testsupport::loto6File(), &runMode);
    const QList<int> plain = OldHit::check(loto6, runMode, {u"3"_s, u"14"_s, u"15"_s}).rows();
    QVERIFY(!plain.isEmpty());
    // Pasted letters, blanks, values beyond 16 bits and out-of-range numbers add nothing.
    const QStringList odd{u"3"_s, u"abc"_s, u"99999"_s, u"14"_s, u"0"_s, u"15"_s};
    QCOMPARE(OldHit::check(loto6, runMode, odd).rows(), plain);
    QCOMPARE(OldHit::check(loto6, runMode, {u"3"_s, u"44"_s, u" "_s, u"14"_s, u"15"_s, u"65536"_s}).rows(), plain);
    QCOMPARE(OldHit::boxNumber(u"99999", 43), std::nullopt);
    QCOMPARE(OldHit::boxNumber(u"007", 43), std::optional<int>(7));

    int miniMode = 0;
    const DrawTable mini = loadTable(testsupport::miniLotoFile(), &miniMode);
    const QList<int> miniPlain = OldHit::check(mini, miniMode, {u"1"_s, u"2"_s, u"3"_s}).rows();
    QCOMPARE(OldHit::check(mini, miniMode, {u"1"_s, u"32"_s, u"2"_s, u"3"_s, u"x"_s}).rows(), miniPlain);
    // The sixth box takes no part in miniLOTO.
    QCOMPARE(OldHit::check(mini, miniMode, {u"1"_s, u"2"_s, u"3"_s, QString(), QString(), u"4"_s}).rows(),
             miniPlain);

    // All boxes empty: nothing won.
    const OldHit::Result empty = OldHit::check(loto6, runMode, QStringList(6));
    QVERIFY(empty.hits.isEmpty());
    QCOMPARE(empty.summary, u"当選していません"_s);
}

void TestLookupsLogic::checkWithFewerNumbers()
{
    // Three numbers can win at most the lowest tier.
    int runMode = 0;
    const DrawTable table = loadTable(testsupport::loto6File(), &runMode);
    const QList<drawlines::Draw> draws = drawlines::read(testsupport::loto6File());
    const QList<int> three = draws[100].mains(6).mid(0, 3);
    const OldHit::Result result = OldHit::check(table, runMode, numbersText(three));
    QVERIFY(result.rows().contains(100));
    for (const OldHit::Hit &hit : result.hits)
        QCOMPARE(hit.rank, 5);
}

void TestLookupsLogic::duplicateTest_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("duplicate");

    QTest::newRow("distinct") << 6 << QStringList{u"7"_s, u"8"_s, u"9"_s, QString(), QString(), QString()} << false;
    QTest::newRow("adjacent") << 6 << QStringList{u"7"_s, u"7"_s} << true;
    QTest::newRow("across an empty box") << 6 << QStringList{u"7"_s, QString(), u"7"_s} << true;
    QTest::newRow("leading zero") << 6 << QStringList{u"7"_s, u"07"_s} << true;
    QTest::newRow("last two") << 6 << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"43"_s, u"43"_s} << true;
    QTest::newRow("same letters") << 6 << QStringList{u"ab"_s, u"ab"_s} << true;
    QTest::newRow("empty boxes") << 6 << QStringList{QString(), QString(), u"5"_s} << false;
    QTest::newRow("blank boxes") << 6 << QStringList{u" "_s, u" "_s} << false;
    QTest::newRow("sixth box in loto6") << 6 << QStringList{u"7"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"7"_s} << true;
    QTest::newRow("sixth box in miniloto") << 5 << QStringList{u"7"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"7"_s} << false;
    QTest::newRow("fifth box in miniloto") << 5 << QStringList{u"7"_s, u"1"_s, u"2"_s, u"3"_s, u"007"_s} << true;
}

void TestLookupsLogic::duplicateTest()
{
    QFETCH(int, runMode);
    QFETCH(QStringList, boxes);
    QFETCH(bool, duplicate);
    QCOMPARE(OldHit::hasDuplicate(boxes, runMode), duplicate);
}

void TestLookupsLogic::searchInputRules_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("cells");

    const QString notNumeric = u"数字以外の文字が含まれています"_s;
    QTest::newRow("two numbers") << 6 << u"7 13"_s << QString() << QStringList{u" 7"_s, u"13"_s};
    QTest::newRow("outer blanks") << 6 << u"  7 13 "_s << QString() << QStringList{u" 7"_s, u"13"_s};
    QTest::newRow("double blank") << 6 << u"7  13"_s << notNumeric << QStringList();
    QTest::newRow("only blanks") << 6 << u"   "_s << notNumeric << QStringList();
    QTest::newRow("letters") << 6 << u"7 x"_s << notNumeric << QStringList();
    QTest::newRow("letters before range") << 6 << u"44 x"_s << notNumeric << QStringList();
    QTest::newRow("44 in loto6") << 6 << u"7 44"_s << u"１～４３の数字を入力"_s << QStringList();
    QTest::newRow("0 in loto6") << 6 << u"0"_s << u"１～４３の数字を入力"_s << QStringList();
    QTest::newRow("huge") << 6 << u"99999999999999"_s << u"１～４３の数字を入力"_s << QStringList();
    QTest::newRow("43 in loto6") << 6 << u"43"_s << QString() << QStringList{u"43"_s};
    QTest::newRow("32 in miniloto") << 5 << u"32"_s << u"１～３１の数字を入力"_s << QStringList();
    QTest::newRow("31 in miniloto") << 5 << u"31 1"_s << QString() << QStringList{u"31"_s, u" 1"_s};
    QTest::newRow("leading zero kept") << 6 << u"05"_s << QString() << QStringList{u"05"_s};
}

void TestLookupsLogic::searchInputRules()
{
    QFETCH(int, runMode);
    QFETCH(QString, text);
    QFETCH(QString, error);
    QFETCH(QStringList, cells);

    const NumberSearch::Parsed parsed = NumberSearch::parse(text, runMode);
    QCOMPARE(parsed.error, error);
    if (parsed.ok())
        QCOMPARE(NumberSearch::cellTexts(parsed.cleaned), cells);
}

void TestLookupsLogic::searchModesOnRealFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("picks");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("loto6 7 13") << testsupport::loto6File() << 6 << QList<int>{7, 13};
    QTest::newRow("loto6 single") << testsupport::loto6File() << 6 << QList<int>{43};
    QTest::newRow("mini 5 31 12") << testsupport::miniLotoFile() << 5 << QList<int>{31, 5, 12};
}

void TestLookupsLogic::searchModesOnRealFiles()
{
    QFETCH(QString, file);
    QFETCH(int, picks);
    QFETCH(QList<int>, numbers);

    int runMode = 0;
    const DrawTable table = loadTable(file, &runMode);
    const QList<drawlines::Draw> draws = drawlines::read(file);
    const QString text = numbersText(numbers).join(u' ');
    const QStringList cells = NumberSearch::cellTexts(NumberSearch::parse(text, runMode).cleaned);
    const int noEnd = NumberSearch::noEnd(runMode);
    QCOMPARE(noEnd, picks == 6 ? 9 : 8);

    QList<int> anyRows, allRows, noneRows;
    for (int r = 0; r < draws.size(); ++r) {
        QList<int> drawn = draws[r].mains(picks);
        drawn.append(draws[r].bonus(picks));
        const qsizetype found = std::count_if(numbers.begin(), numbers.end(), [&](int n) { return drawn.contains(n); });
        if (found > 0)
            anyRows.append(r);
        if (found == numbers.size())
            allRows.append(r);
        if (found == 0)
            noneRows.append(r);
    }
    QCOMPARE(NumberSearch::search(table, noEnd, cells, NumberSearch::Mode::Or), anyRows);
    QCOMPARE(NumberSearch::search(table, noEnd, cells, NumberSearch::Mode::And), allRows);
    QCOMPARE(NumberSearch::search(table, noEnd, cells, NumberSearch::Mode::Not), noneRows);
    QCOMPARE(anyRows.size() + noneRows.size(), draws.size());

    // The order the numbers are typed in and a repeated number make no difference.
    QStringList reversed = cells;
    std::reverse(reversed.begin(), reversed.end());
    reversed.append(cells.first());
    QCOMPARE(NumberSearch::search(table, noEnd, reversed, NumberSearch::Mode::And), allRows);
    QCOMPARE(NumberSearch::search(table, noEnd, reversed, NumberSearch::Mode::Not), noneRows);
}

void TestLookupsLogic::searchComparesPaddedText()
{
    int runMode = 0;
    const DrawTable table = loadTable(testsupport::loto6File(), &runMode);
    const int noEnd = NumberSearch::noEnd(runMode);
    QVERIFY(NumberSearch::search(table, noEnd, {u"05"_s}, NumberSearch::Mode::Or).isEmpty());
    QCOMPARE(NumberSearch::search(table, noEnd, {u"05"_s}, NumberSearch::Mode::Not).size(), table.rowCount());
    QVERIFY(!NumberSearch::search(table, noEnd, {u" 5"_s}, NumberSearch::Mode::Or).isEmpty());
}

void TestLookupsLogic::searchOnlySelectedRowsInSourceOrder()
{
    int runMode = 0;
    DrawTable table = loadTable(testsupport::loto6File(), &runMode);
    const int noEnd = NumberSearch::noEnd(runMode);
    const QList<int> all = NumberSearch::search(table, noEnd, {u" 7"_s}, NumberSearch::Mode::Or);

    table.setAllSelected(false);
    QVERIFY(NumberSearch::search(table, noEnd, {u" 7"_s}, NumberSearch::Mode::Not).isEmpty());
    table.setRangeSelected(table.rowCount() - 200, table.rowCount() - 1, true);
    QList<int> expected;
    for (int r : all) {
        if (r >= table.rowCount() - 200)
            expected.append(r);
    }
    QCOMPARE(NumberSearch::search(table, noEnd, {u" 7"_s}, NumberSearch::Mode::Or), expected);

    // After a descending sort by draw number the matches come in the new order.
    table.setAllSelected(true);
    table.sortByColumn(1, Qt::DescendingOrder);
    const QList<int> sorted = NumberSearch::search(table, noEnd, {u" 7"_s}, NumberSearch::Mode::Or);
    QCOMPARE(sorted.size(), all.size());
    for (qsizetype i = 1; i < sorted.size(); ++i)
        QVERIFY(table.cellText(sorted[i - 1], 1).toInt() > table.cellText(sorted[i], 1).toInt());
}

QTEST_GUILESS_MAIN(TestLookupsLogic)
#include "tst_lookups_logic.moc"
