#include "combinations/guarantee.h"
#include "combinations/guaranteetable.h"

#include <QTest>

#include <bit>
#include <random>

using namespace Qt::StringLiterals;

namespace {
// The rule as stated: every draw inside the pool against every ticket in order, the first
// ticket with the most matches taking the draw.
std::vector<qint64> bruteForce(const Guarantee::Input &input)
{
    const int k = input.picks;
    std::vector<qint64> credited(input.tickets.size() * size_t(k + 1), 0);
    std::vector<int> draw(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i)
        draw[size_t(i)] = i;
    for (;;) {
        quint64 mask = 0;
        for (const int p : draw)
            mask |= quint64(1) << p;
        int best = 0;
        size_t chosen = 0;
        for (size_t t = 0; t < input.tickets.size(); ++t) {
            const int m = std::popcount(mask & input.tickets[t]);
            if (m > best) {
                best = m;
                chosen = t;
            }
        }
        ++credited[chosen * size_t(k + 1) + size_t(best)];
        int i = k - 1;
        while (i >= 0 && draw[size_t(i)] == input.pool - k + i)
            --i;
        if (i < 0)
            return credited;
        ++draw[size_t(i)];
        for (int j = i + 1; j < k; ++j)
            draw[size_t(j)] = draw[size_t(j - 1)] + 1;
    }
}

quint64 maskOf(const QList<int> &positions)
{
    quint64 mask = 0;
    for (const int p : positions)
        mask |= quint64(1) << (p - 1);
    return mask;
}

Guarantee::Input randomInput(int picks, int pool, int tickets, bool repeatEach)
{
    std::mt19937_64 random(quint64(pool * 1000 + tickets));
    Guarantee::Input input{picks, pool, {}};
    while (int(input.tickets.size()) < tickets) {
        quint64 mask = 0;
        while (std::popcount(mask) < picks)
            mask |= quint64(1) << (random() % quint64(pool));
        input.tickets.push_back(mask);
        if (repeatEach)
            input.tickets.push_back(mask);
    }
    return input;
}

QList<QStringList> tableOf(int picks, int pool, const QList<QList<int>> &tickets)
{
    Guarantee::Input input{picks, pool, {}};
    for (const QList<int> &t : tickets)
        input.tickets.push_back(maskOf(t));
    const std::optional<Guarantee::Result> result = Guarantee::CalcGuarantee(input);
    return result ? GuaranteeTable::texts(*result) : QList<QStringList>();
}
} // namespace

class TestGuarantee : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesBruteForce_data();
    void matchesBruteForce();
    void resultTables_data();
    void resultTables();
    void refusedInput();
};

void TestGuarantee::matchesBruteForce_data()
{
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("pool");
    QTest::addColumn<int>("tickets");
    QTest::addColumn<bool>("repeatEach");
    QTest::addColumn<int>("threads");
    QTest::newRow("LOTO6 20, one word of tickets") << 6 << 20 << 40 << false << 1;
    QTest::newRow("LOTO6 20, identical pairs") << 6 << 20 << 40 << true << 2;
    QTest::newRow("miniLOTO 31, two words") << 5 << 31 << 100 << false << 2;
    QTest::newRow("LOTO6 24, many words") << 6 << 24 << 700 << false << 3;
    QTest::newRow("LOTO6 43, 64-bit masks") << 6 << 43 << 12 << false << 0;
    QTest::newRow("pool 64") << 3 << 64 << 70 << false << 2;
    QTest::newRow("one pick") << 1 << 9 << 4 << false << 1;
}

void TestGuarantee::matchesBruteForce()
{
    QFETCH(int, picks);
    QFETCH(int, pool);
    QFETCH(int, tickets);
    QFETCH(bool, repeatEach);
    QFETCH(int, threads);

    const Guarantee::Input input = randomInput(picks, pool, tickets, repeatEach);
    Guarantee::Options options;
    options.threads = threads;
    qint64 lastDone = -1;
    options.progress = [&](qint64 done, qint64 total) {
        QVERIFY(done >= lastDone && done <= total);
        lastDone = done;
    };
    const std::optional<Guarantee::Result> result = Guarantee::CalcGuarantee(input, options);
    QVERIFY(result);
    const std::vector<qint64> expected = bruteForce(input);
    QCOMPARE(result->credited, expected);
    QCOMPARE(lastDone, result->draws);
    qint64 sum = 0;
    for (const qint64 v : expected)
        sum += v;
    QCOMPARE(result->draws, sum);
}

void TestGuarantee::resultTables_data()
{
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("pool");
    QTest::addColumn<QList<QList<int>>>("tickets");
    QTest::addColumn<QStringList>("rows");  // cells from column 1, joined by TAB
    const QString seventh = u"1\t6\t0\t0\t0\t 14.286%\t 85.714%\t  0.000%\t  0.000%\t  0.000%"_s;
    QTest::newRow("pool 6, its one ticket")
        << 6 << 6 << QList<QList<int>>{{1, 2, 3, 4, 5, 6}}
        << QStringList{u"1\t1\t0\t0\t0\t0\t100.000%\t  0.000%\t  0.000%\t  0.000%\t  0.000%"_s,
                       u"合計\t1\t0\t0\t0\t0\t100.000%\t  0.000%\t  0.000%\t  0.000%\t  0.000%"_s};
    QTest::newRow("pool 7, first six") << 6 << 7 << QList<QList<int>>{{1, 2, 3, 4, 5, 6}}
                                       << QStringList{u"1\t"_s + seventh, u"合計\t"_s + seventh};
    QTest::newRow("identical tickets")
        << 6 << 7 << QList<QList<int>>{{2, 3, 4, 5, 6, 7}, {2, 3, 4, 5, 6, 7}}
        << QStringList{u"1\t"_s + seventh, u"2\t0\t0\t0\t0\t0\t  0.000%\t  0.000%\t  0.000%\t  0.000%\t  0.000%"_s,
                       u"合計\t"_s + seventh};
    // C(8,5) = 56 draws: {1..5} meets 1 with five, 15 with four, 30 with three, 10 with two.
    QTest::newRow("miniLOTO tiers") << 5 << 8 << QList<QList<int>>{{1, 2, 3, 4, 5}}
                                    << QStringList{u"1\t1\t15\t30\t10\t  1.786%\t 26.786%\t 53.571%\t 17.857%"_s,
                                                   u"合計\t1\t15\t30\t10\t  1.786%\t 26.786%\t 53.571%\t 17.857%"_s};
}

void TestGuarantee::resultTables()
{
    QFETCH(int, picks);
    QFETCH(int, pool);
    QFETCH(QList<QList<int>>, tickets);
    QFETCH(QStringList, rows);
    QStringList shown;
    for (const QStringList &cells : tableOf(picks, pool, tickets)) {
        QCOMPARE(cells.value(0), QString());
        shown.append(cells.mid(1).join(u'\t'));
    }
    QCOMPARE(shown, rows);
    const QStringList headers = GuaranteeTable::headers(picks);
    QCOMPARE(headers.size(), 2 * picks);
    QCOMPARE(headers.mid(picks - 1, 3),
             picks == 6 ? QStringList({u"５等回数"_s, u"外れ回数"_s, u"１等確率"_s})
                        : QStringList({u"４等回数"_s, u"外れ回数"_s, u"１等確率"_s}));
}

void TestGuarantee::refusedInput()
{
    QVERIFY(!Guarantee::CalcGuarantee({6, 8, {}}));
    QVERIFY(!Guarantee::CalcGuarantee({6, 8, {maskOf({1, 2, 3, 4, 5})}}));
    QVERIFY(!Guarantee::CalcGuarantee({6, 8, {maskOf({1, 2, 3, 4, 5, 9})}}));
    QVERIFY(!Guarantee::CalcGuarantee({6, 5, {maskOf({1, 2, 3, 4, 5})}}));
    const std::atomic<bool> cancelled{true};
    Guarantee::Options options;
    options.cancel = &cancelled;
    QVERIFY(!Guarantee::CalcGuarantee(randomInput(6, 30, 50, false), options));
}

QTEST_GUILESS_MAIN(TestGuarantee)
#include "tst_guarantee.moc"
