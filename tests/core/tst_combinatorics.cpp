// k-subsets counted, walked and ranked, against the subsets of small pools listed here the slow
// way and the known counts of big pools. The covering count checks walks over sets with gaps.
#include "core/combinatorics.h"

#include <QTest>

#include <random>

using namespace Combinatorics;

namespace {
// Lexicographic order of the positions of two different sets of one size: the set holding the
// lowest position where they differ comes first.
bool lexBefore(quint64 a, quint64 b)
{
    const quint64 diff = a ^ b;
    return (a & diff & (~diff + 1)) != 0;
}
} // namespace

class TestCombinatorics : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void subsets_data();
    void subsets();
};

void TestCombinatorics::subsets_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<qint64>("known");  // C(n, k) of a pool too big to list; -1: listed here
    QTest::newRow("empty pool") << 0 << 0 << -1LL;
    QTest::newRow("none of seven") << 7 << 0 << -1LL;
    QTest::newRow("three of seven") << 7 << 3 << -1LL;
    QTest::newRow("more than the pool") << 5 << 6 << -1LL;
    QTest::newRow("negative") << 5 << -1 << -1LL;
    QTest::newRow("all of nine") << 9 << 9 << -1LL;
    QTest::newRow("five of twelve") << 12 << 5 << -1LL;
    QTest::newRow("six of sixteen") << 16 << 6 << -1LL;
    QTest::newRow("miniLOTO") << 31 << 5 << 169911LL;
    QTest::newRow("LOTO6") << 43 << 6 << 6096454LL;
    QTest::newRow("one of 64") << 64 << 1 << 64LL;
    QTest::newRow("half of 64") << 64 << 32 << 1832624140942590534LL;
    QTest::newRow("all of 64") << 64 << 64 << 1LL;
    QTest::newRow("beyond the table") << 65 << 1 << 0LL;
}

void TestCombinatorics::subsets()
{
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(qint64, known);
    QList<quint64> colex;  // masks in ascending order are in colexicographic order
    for (quint64 mask = 0; known < 0 && mask < (quint64(1) << n); ++mask) {
        if (std::popcount(mask) == k)
            colex.append(mask);
    }
    const qint64 count = known < 0 ? colex.size() : known;
    QCOMPARE(binomial(n, k), count);
    if (n > kMaxPool)
        return;
    for (qsizetype i = 0; i < colex.size(); ++i) {
        QCOMPARE(colexRank(colex[i]), quint64(i));
        QCOMPARE(colexUnrank(quint64(i), k), colex[i]);
    }
    if (count <= 10'000'000) {
        // The whole walk: as many sets of k positions of the pool as counted, each after the one
        // before, and each ranked by its place; a visit returning false ends the walk there.
        qint64 visits = 0;
        qint64 misplaced = 0;
        quint64 previous = 0;
        QVERIFY(forEachSubset(firstPositions(n), k, [&](quint64 s) {
            if (std::popcount(s) != k || (s & ~firstPositions(n)) != 0 || (visits > 0 && !lexBefore(previous, s)) ||
                lexRank(s, n) != visits || lexUnrank(visits, n, k) != s)
                ++misplaced;
            previous = s;
            ++visits;
        }));
        QCOMPARE(visits, count);
        QCOMPARE(misplaced, 0);
        const qint64 stopAt = (count + 1) / 2;
        visits = 0;
        QCOMPARE(forEachSubset(firstPositions(n), k, [&](quint64) { return ++visits != stopAt; }), count == 0);
        QCOMPARE(visits, stopAt);
    }
    // Big pools: random ranks, each set before the next rank's in either order.
    std::mt19937_64 random(quint64(n * 100 + k));
    for (int i = 0; i < 2000 && known > 1; ++i) {
        const quint64 r = random() % quint64(count - 1);
        const quint64 lex = lexUnrank(qint64(r), n, k);
        const quint64 colexSet = colexUnrank(r, k);
        QCOMPARE(std::popcount(lex) + std::popcount(colexSet), 2 * k);
        QCOMPARE(colexSet & ~firstPositions(n), 0ULL);
        QVERIFY(lexBefore(lex, lexUnrank(qint64(r) + 1, n, k)) && colexSet < colexUnrank(r + 1, k));
        QCOMPARE(lexRank(lex, n), qint64(r));
        QCOMPARE(colexRank(colexSet), r);
    }
}

QTEST_APPLESS_MAIN(TestCombinatorics)
#include "tst_combinatorics.moc"
