#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/fields.h"
#include "lookups/tally.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
Tally::Settings settingsFor(int picks, const QString &tiers, bool merge, const QString &amount = {})
{
    Tally::Settings s;
    s.runMode = picks;
    for (const QChar c : tiers)
        s.tiers[size_t(c.digitValue() - 1)] = true;
    s.merge = merge;
    s.amountText = amount.isNull() ? Tally::defaultAmountText(picks) : amount;
    return s;
}

Tally::Result tally(const DrawTable &table, const Tally::Settings &s)
{
    return Tally::run(Tally::plan(table, s));
}

// The table as shown, one line per row, cells from column 1 on joined by TAB.
QStringList shown(const Tally::Result &r)
{
    QStringList out;
    for (int row = 0; row < int(r.rows.size()); ++row) {
        QStringList cells;
        for (int c = 1; c < Tally::columnCount(r.runMode); ++c)
            cells.append(Tally::cellText(r, row, c));
        out.append(cells.join(u'\t'));
    }
    return out;
}

// The fold written plainly, straight from the rule: keys as one character per number, a list
// searched from the top for every combination, new entries filling the empty first one.
struct PlainEntry
{
    QString key;
    qint64 counts[5] = {};
    qint64 money = 0;
    QString kai;
};

void choose(const QList<int> &from, int k, int start, QList<int> &picked, QList<QList<int>> &out)
{
    if (picked.size() == k) {
        out.append(picked);
        return;
    }
    for (int i = start; i < from.size(); ++i) {
        picked.append(from[i]);
        choose(from, k, i + 1, picked, out);
        picked.removeLast();
    }
}

QStringList plainFold(const QList<drawlines::Draw> &draws, int picks, const QString &tiers, bool merge, qint64 amount)
{
    QList<PlainEntry> raw;
    for (const drawlines::Draw &d : draws) {
        const QList<int> mains = d.mains(picks);
        for (int tier = 1; tier <= 5; ++tier) {
            if (!tiers.contains(QChar(u'0' + tier)) || (picks == 5 && tier == 5))
                continue;
            // 1: all, 2: all but one and the bonus, 3: all but one, 4: all but two, 5: three.
            const int size = tier == 1 ? picks : tier <= 3 ? picks - 1 : tier == 4 ? picks - 2 : 3;
            QList<QList<int>> sets;
            QList<int> picked;
            choose(mains, size, 0, picked, sets);
            for (QList<int> set : sets) {
                if (tier == 2)
                    set.append(d.bonus(picks));
                PlainEntry e;
                for (int n : set)
                    e.key += QChar(char16_t(48 + n));
                e.counts[tier - 1] = 1;
                e.money = d.prize(picks, tier).toLongLong();
                if (tier == 1 && e.money == 0)
                    e.money = amount;
                e.kai = QString::number(d.kai()).rightJustified(5);
                raw.append(e);
            }
        }
    }
    QList<PlainEntry> result(1);
    for (const PlainEntry &e : raw) {
        bool found = false;
        for (PlainEntry &r : result) {
            bool match = !r.key.isEmpty();
            if (merge) {
                for (const QChar c : e.key)
                    match = match && r.key.contains(c);
            } else {
                match = match && r.key == e.key;
            }
            if (!match)
                continue;
            for (int t = 0; t < 5; ++t)
                r.counts[t] += e.counts[t];
            r.money += e.money;
            r.kai += e.kai;
            found = true;
            if (!merge)
                break;
        }
        if (!found) {
            if (result[0].key.isEmpty())
                result[0] = e;
            else
                result.append(e);
        }
    }
    QStringList out;
    for (const PlainEntry &r : result) {
        QStringList cells;
        for (int i = 1; i <= picks; ++i)
            cells.append(ChrToNo(r.key, i));
        qint64 all = 0;
        for (int t = 0; t < (picks == 6 ? 5 : 4); ++t) {
            cells.append(QString::number(r.counts[t]).rightJustified(3));
            all += r.counts[t];
        }
        cells << QString::number(all).rightJustified(3) << QString::number(r.money).rightJustified(9) << r.kai;
        out.append(cells.join(u'\t'));
    }
    return out;
}

const QString kDraw1 = u"1,2000/10/05,2,8,10,13,27,30,39,2,2,262,12413,174452,45513600,40961900,375200,6900,1000,0"_s;
} // namespace

class TestTallyLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tierShapesFollowPrizeRules();
    void oneDrawWorkedConsequences();
    void matchesPlainFold_data();
    void matchesPlainFold();
    void containmentDependsOnOrder();
    void edgeCases();
    void badInput();
    void wholeHistoryHasNoCap();
};

void TestTallyLogic::tierShapesFollowPrizeRules()
{
    // A key of a tier, checked as a ticket against its own draw, wins that very tier.
    const QString mini = u"1,1999/04/13,1,3,17,20,25,26,29,46,2331,59593,6090500,275800,9400,900"_s;
    for (const auto &[picks, line] : {std::pair{6, kDraw1}, std::pair{5, mini}}) {
        const drawlines::Draw draw{line.split(u',')};
        for (const GameRules::Tier &tier : GameRules::of(picks).tiers()) {
            QList<int> key = draw.mains(picks).mid(0, tier.mainMatches);
            if (tier.needsBonus)
                key.append(draw.bonus(picks));
            QCOMPARE(drawlines::expectedTier(picks, key, draw), tier.rank);
        }
    }
    QCOMPARE(Tally::entriesPerDraw(6, 5), 20);
    QCOMPARE(Tally::entriesPerDraw(5, 4), 10);
}

void TestTallyLogic::oneDrawWorkedConsequences()
{
    const DrawTable table = drawTable(6, {kDraw1});
    const Tally::Result exact = tally(table, settingsFor(6, u"12345"_s, false));
    QCOMPARE(exact.rows.size(), size_t(48));
    for (const Tally::Combination &c : exact.rows)
        QCOMPARE(c.countAll(), 1);
    QCOMPARE(shown(exact), plainFold({drawlines::Draw{kDraw1.split(u',')}}, 6, u"12345"_s, false, 0));

    const Tally::Result merged = tally(table, settingsFor(6, u"12345"_s, true));
    QCOMPARE(merged.rows.size(), size_t(7));
    QCOMPARE(shown(merged).first(),
             u" 2\t 8\t10\t13\t27\t30\t  1\t  0\t  6\t 15\t 20\t 42\t%1\t"_s.arg(45513600 + 6 * 375200 + 15 * 6900 + 20 * 1000, 9)
                 + QString(u"    1"_s).repeated(42));
    // The second-tier rows, each holding the bonus last.
    for (size_t r = 1; r < 7; ++r) {
        QCOMPARE(merged.rows[r].key.numbers[5], 39);
        QCOMPARE(merged.rows[r].counts[1], 1);
    }
}

void TestTallyLogic::matchesPlainFold_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("tiers");
    QTest::addColumn<bool>("merge");
    const QString loto6 = testsupport::loto6File();
    const QString mini = testsupport::miniLotoFile();
    QTest::newRow("loto6 exact all") << loto6 << 6 << 120 << u"12345"_s << false;
    QTest::newRow("loto6 merge all") << loto6 << 6 << 60 << u"12345"_s << true;
    QTest::newRow("loto6 merge 4 5") << loto6 << 6 << 80 << u"45"_s << true;
    QTest::newRow("loto6 merge 3 5") << loto6 << 6 << 80 << u"35"_s << true;
    QTest::newRow("loto6 exact 5") << loto6 << 6 << 300 << u"5"_s << false;
    QTest::newRow("mini exact all") << mini << 5 << 200 << u"1234"_s << false;
    QTest::newRow("mini merge all") << mini << 5 << 120 << u"1234"_s << true;
    QTest::newRow("mini merge 2 4") << mini << 5 << 150 << u"24"_s << true;
}

void TestTallyLogic::matchesPlainFold()
{
    QFETCH(QString, file);
    QFETCH(int, picks);
    QFETCH(int, last);
    QFETCH(QString, tiers);
    QFETCH(bool, merge);

    DrawTable table;
    QVERIFY(DrawFile::read(file, table).ok());
    table.setAllSelected(false);
    table.setRangeSelected(table.rowCount() - last, table.rowCount() - 1, true);
    const Tally::Result r = tally(table, settingsFor(picks, tiers, merge));
    const QList<drawlines::Draw> draws = drawlines::read(file).mid(table.rowCount() - last);
    QCOMPARE(shown(r), plainFold(draws, picks, tiers, merge, picks == 6 ? 200000000 : 20000000));
}

void TestTallyLogic::containmentDependsOnOrder()
{
    // Two draws sharing 1 2 3: the triple of the first comes before the second's own row exists.
    const QString a = u"1,2020/01/01,1,2,3,10,20,30,40,0,0,0,0,0,100,0,0,0,7,0"_s;
    const QString b = u"2,2020/01/08,1,2,3,4,5,6,41,0,0,0,0,0,100,0,0,0,9,0"_s;
    const Tally::Result ab = tally(drawTable(6, {a, b}), settingsFor(6, u"15"_s, true));
    const Tally::Result ba = tally(drawTable(6, {b, a}), settingsFor(6, u"15"_s, true));
    QCOMPARE(ab.rows.size(), size_t(2));
    QCOMPARE(ab.rows[0].counts[4], 21);  // the earlier row takes the later shared triple
    QCOMPARE(ab.rows[1].counts[4], 20);  // the later one never takes the earlier triple
    QCOMPARE(ab.rows[0].money, 100 + 20 * 7 + 9);
    QCOMPARE(ab.drawsText(0).right(5), u"    2"_s);
    QCOMPARE(ba.rows[0].counts[4], 21);
    QCOMPARE(ba.rows[1].counts[4], 20);
    QCOMPARE(ba.rows[0].mask, 0b1111110ULL);  // the second draw's 1 2 3 4 5 6 came first
    for (const auto &[draws, result] : {std::pair{QStringList{a, b}, &ab}, std::pair{QStringList{b, a}, &ba}}) {
        QList<drawlines::Draw> plain;
        for (const QString &line : draws)
            plain.append(drawlines::Draw{line.split(u',')});
        QCOMPARE(shown(*result), plainFold(plain, 6, u"15"_s, true, 0));
    }
}

void TestTallyLogic::edgeCases()
{
    // miniLOTO, fourth tier only: ten three-number rows, columns 4 and 5 blank.
    const QString mini = u"1,1999/04/13,1,3,17,20,25,26,29,46,2331,59593,6090500,275800,9400,900"_s;
    const Tally::Result four = tally(drawTable(5, {mini}), settingsFor(5, u"4"_s, false));
    QCOMPARE(four.rows.size(), size_t(10));
    for (const QString &row : shown(four)) {
        const QStringList cells = row.split(u'\t');
        QCOMPARE(cells.mid(3, 2), (QStringList{u"  "_s, u"  "_s}));
        QCOMPARE(cells.mid(5, 5), (QStringList{u"  0"_s, u"  0"_s, u"  0"_s, u"  1"_s, u"  1"_s}));
        QCOMPARE(cells[10], u"      900"_s);
    }

    // A first prize of 0 pays the amount box; no other tier reads it.
    const QString carried = u"2,2000/10/12,1,9,16,20,21,43,5,0,7,195,8426,144860,0,13188800,568100,11500,1000,0"_s;
    const Tally::Result paid = tally(drawTable(6, {carried}), settingsFor(6, u"13"_s, false, u" 123 "_s));
    QCOMPARE(paid.rows[0].money, 123);
    QCOMPARE(paid.rows[1].money, 568100);
    QCOMPARE(tally(drawTable(6, {carried}), settingsFor(6, u"1"_s, false)).rows[0].money, 200000000);

    // Exact mode, two draws sharing a triple, fifth tier only: listed once with both draws.
    const QString x = u"7,2001/01/01,4,11,12,30,31,40,1,0,0,0,0,0,0,0,0,0,1000,0"_s;
    const QString y = u"9,2001/01/15,2,11,12,30,33,41,5,0,0,0,0,0,0,0,0,0,1200,0"_s;
    const Tally::Result shared = tally(drawTable(6, {x, y}), settingsFor(6, u"5"_s, false));
    QCOMPARE(shared.rows.size(), size_t(39));
    const QStringList rows = shown(shared);
    const QStringList triple = rows.filter(u"11\t12\t30\t"_s);
    QCOMPARE(triple, QStringList{u"11\t12\t30\t  \t  \t  \t  0\t  0\t  0\t  0\t  2\t  2\t     2200\t    7    9"_s});

    // No tier of the game ticked: the table empties, whatever else is set.
    QCOMPARE(Tally::plan(drawTable(5, {mini}), settingsFor(5, u"5"_s, true)).outcome, Tally::Outcome::NoTier);
    QCOMPARE(Tally::plan(drawTable(6, {x}), settingsFor(6, QString(), false)).outcome, Tally::Outcome::NoTier);
    DrawTable none = drawTable(6, {x});
    none.setAllSelected(false);
    QCOMPARE(Tally::plan(none, settingsFor(6, u"5"_s, false)).outcome, Tally::Outcome::NothingSelected);
    QCOMPARE(Tally::plan(drawTable(6, {}), settingsFor(6, u"5"_s, false)).outcome, Tally::Outcome::EmptyTable);
}

void TestTallyLogic::badInput()
{
    const QString good = u"5,2001/01/01,4,11,12,30,31,40,1,0,0,0,0,0,,,,,1000,0"_s;
    const QStringList bad{
        u"6,2001/01/08,4,11,12,30,31,44,1,0,0,0,0,0,0,0,0,0,1000,0"_s,  // 44
        u"7,2001/01/15,0,11,12,30,31,40,1,0,0,0,0,0,0,0,0,0,1000,0"_s,  // 0
        u"8,2001/01/22,4,,12,30,31,40,1,0,0,0,0,0,0,0,0,0,1000,0"_s,    // blank
        u"9,2001/01/29,4,11,12,30,31,40,x,0,0,0,0,0,0,0,0,0,1000,0"_s,  // text bonus
    };
    const DrawTable table = drawTable(6, QStringList{good} + bad);
    const Tally::Result r = tally(table, settingsFor(6, u"345"_s, false));
    QCOMPARE(r.leftOut, 4);
    QCOMPARE(r.rows.size(), size_t(6 + 15 + 20));
    for (int row = 0; row < int(r.rows.size()); ++row)
        QCOMPARE(r.drawsText(row), u"    5"_s);
    QCOMPARE(r.rows[0].money, 0);  // blank prizes count 0
    QVERIFY(!Tally::leftOutText(4).isEmpty());
    QVERIFY(Tally::leftOutText(0).isEmpty());

    // The amount box is read only when a first prize of 0 needs it.
    for (const QString &amount : {QString(u""_s), u"12 34"_s, u"   "_s}) {
        QCOMPARE(Tally::plan(table, settingsFor(6, u"12"_s, false, amount)).outcome, Tally::Outcome::AmountUnreadable);
        QCOMPARE(Tally::plan(table, settingsFor(6, u"2345"_s, false, amount)).outcome, Tally::Outcome::Ready);
    }
}

void TestTallyLogic::wholeHistoryHasNoCap()
{
    DrawTable table;
    QVERIFY(DrawFile::read(testsupport::loto6File(), table).ok());
    table.setAllSelected(true);
    const QList<drawlines::Draw> draws = drawlines::read(testsupport::loto6File());
    QCOMPARE(draws.size(), table.rowCount());

    // Every one of the 48 combinations of every draw is counted, far past 16 bits.
    const Tally::Result exact = tally(table, settingsFor(6, u"12345"_s, false));
    QCOMPARE(exact.rawEntries, 48LL * draws.size());
    QVERIFY(exact.rawEntries > 32767);
    std::array<qint64, 5> counts{};
    qint64 money = 0;
    qint64 expectedMoney = 0;
    for (const Tally::Combination &c : exact.rows) {
        for (int t = 0; t < 5; ++t)
            counts[size_t(t)] += c.counts[size_t(t)];
        money += c.money;
    }
    for (const drawlines::Draw &d : draws) {
        const qint64 first = d.prize(6, 1).toLongLong();
        expectedMoney += (first ? first : 200000000) + 6 * d.prize(6, 2).toLongLong() + 6 * d.prize(6, 3).toLongLong()
                         + 15 * d.prize(6, 4).toLongLong() + 20 * d.prize(6, 5).toLongLong();
    }
    QCOMPARE(counts, (std::array<qint64, 5>{draws.size(), 6 * draws.size(), 6 * draws.size(), 15 * draws.size(), 20 * draws.size()}));
    QCOMPARE(money, expectedMoney);
    QVERIFY(money > std::numeric_limits<qint32>::max());

    // Containment over the whole history: each result row is the earliest holder of its numbers
    // (nothing listed before it contains it), and its wins are all credited where they belong.
    const Tally::Result merged = tally(table, settingsFor(6, u"12345"_s, true));
    qint64 credited = 0;
    for (size_t r = 0; r < merged.rows.size(); ++r) {
        credited += merged.rows[r].countAll();
        QVERIFY(merged.rows[r].key.size == 6);
    }
    QCOMPARE(qint64(merged.links.size()), credited);
    QVERIFY(credited > exact.rawEntries);
}

QTEST_GUILESS_MAIN(TestTallyLogic)
#include "tst_tally_logic.moc"
