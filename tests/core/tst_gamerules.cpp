#include "core/gamerules.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestGameRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tierRules_data();
    void tierRules();
    void tierNeverFromTooFewMatches();
};

void TestGameRules::tierRules_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<int>("matches");
    QTest::addColumn<bool>("bonus");
    QTest::addColumn<QString>("label");  // empty: no prize

    // LOTO6: the bonus only decides between the second and the third tier.
    QTest::newRow("6: six") << 6 << 6 << false << u"１等"_s;
    QTest::newRow("6: five + bonus") << 6 << 5 << true << u"２等"_s;
    QTest::newRow("6: five") << 6 << 5 << false << u"３等"_s;
    QTest::newRow("6: four + bonus") << 6 << 4 << true << u"４等"_s;
    QTest::newRow("6: four") << 6 << 4 << false << u"４等"_s;
    QTest::newRow("6: three + bonus") << 6 << 3 << true << u"５等"_s;
    QTest::newRow("6: three") << 6 << 3 << false << u"５等"_s;
    QTest::newRow("6: two + bonus") << 6 << 2 << true << QString();
    QTest::newRow("6: none") << 6 << 0 << false << QString();
    // miniLOTO
    QTest::newRow("5: five") << 5 << 5 << false << u"１等"_s;
    QTest::newRow("5: four + bonus") << 5 << 4 << true << u"２等"_s;
    QTest::newRow("5: four") << 5 << 4 << false << u"３等"_s;
    QTest::newRow("5: three + bonus") << 5 << 3 << true << u"４等"_s;
    QTest::newRow("5: three") << 5 << 3 << false << u"４等"_s;
    QTest::newRow("5: two + bonus") << 5 << 2 << true << QString();
    // No game loaded: nothing wins.
    QTest::newRow("none") << 0 << 6 << false << QString();
}

void TestGameRules::tierRules()
{
    QFETCH(int, runMode);
    QFETCH(int, matches);
    QFETCH(bool, bonus);
    QFETCH(QString, label);

    const int rank = GameRules::of(runMode).tierFor(matches, bonus);
    QCOMPARE(GameRules::tierLabel(rank), label);
    QCOMPARE(rank > 0, !label.isEmpty());
}

void TestGameRules::tierNeverFromTooFewMatches()
{
    for (int runMode : {5, 6}) {
        const GameRules &rules = GameRules::of(runMode);
        QCOMPARE(rules.tierCount(), runMode - 1);
        for (int matches = -1; matches < 3; ++matches) {
            QCOMPARE(rules.tierFor(matches, true), 0);
            QCOMPARE(rules.tierFor(matches, false), 0);
        }
        QCOMPARE(rules.tierFor(runMode + 1, false), 0);
        QVERIFY(!rules.tier(rules.tierCount() + 1));
    }
}

QTEST_MAIN(TestGameRules)
#include "tst_gamerules.moc"
