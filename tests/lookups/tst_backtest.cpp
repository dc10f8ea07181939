// Tickets run over the real history against a plain count of the same draws read apart from the
// program; the chance of each tier against the published odds; the uniformity test and the band
// of chance against a second way of computing them.
#include "core/appfiles.h"
#include "core/drawfile.h"
#include "core/drawtable.h"
#include "graphs/chance.h"
#include "lookups/backtest.h"
#include "support/drawlines.h"
#include "support/testsupport.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
QList<int> numbersOf(quint64 mask)
{
    QList<int> out;
    for (int n = 1; n < 64; ++n) {
        if ((mask >> n) & 1u)
            out.append(n);
    }
    return out;
}

// P(X <= k) for a binomial count, summed term by term.
double binomialCdf(qint64 trials, double p, qint64 k)
{
    double term = std::pow(1 - p, double(trials));  // P(X = 0)
    double sum = 0;
    for (qint64 i = 0; i <= k && i <= trials; ++i) {
        sum += term;
        term *= double(trials - i) / double(i + 1) * p / (1 - p);
    }
    return sum;
}
} // namespace

class TestBackTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ticketsOverTheHistory_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("picks");
        QTest::addColumn<int>("tickets");
        QTest::addColumn<bool>("bonusTicket");
        QTest::newRow("LOTO6, 40 random tickets") << testsupport::loto6File() << 6 << 40 << false;
        QTest::newRow("LOTO6, with a second-tier ticket") << testsupport::loto6File() << 6 << 25 << true;
        QTest::newRow("miniLOTO, 60 random tickets") << testsupport::miniLotoFile() << 5 << 60 << false;
        QTest::newRow("miniLOTO, with a second-tier ticket") << testsupport::miniLotoFile() << 5 << 30 << true;
    }
    void ticketsOverTheHistory()
    {
        QFETCH(QString, file);
        QFETCH(int, picks);
        QFETCH(int, tickets);
        QFETCH(bool, bonusTicket);
        const QList<drawlines::Draw> draws = drawlines::read(file);
        const int maxNo = picks == 6 ? 43 : 31;
        QRandomGenerator random(quint32(tickets * 7 + picks));
        std::vector<quint64> masks;
        while (int(masks.size()) < tickets) {
            quint64 mask = 0;
            while (std::popcount(mask) < picks)
                mask |= quint64(1) << (1 + random.bounded(maxNo));
            masks.push_back(mask);
        }
        if (bonusTicket) {
            // The bonus and all but one main number of a draw in the middle: its second tier.
            const drawlines::Draw &middle = draws[draws.size() / 2];
            quint64 mask = quint64(1) << middle.bonus(picks);
            for (const int n : middle.mains(picks).mid(1))
                mask |= quint64(1) << n;
            masks.push_back(mask);
        }
        DrawTable table;
        QVERIFY(DrawFile::read(file, table).ok());
        table.setAllSelected(true);
        const std::optional<BackTest::Result> result = BackTest::run(table, picks, masks);
        QVERIFY(result);
        QCOMPARE(result->draws.size(), size_t(draws.size()));

        // The same by hand: every ticket against every draw, tiers by the published rules.
        qint64 cost = 0, winnings = 0;
        std::array<qint64, 5> hits{};
        int dry = 0, longestDry = 0;
        for (qsizetype d = 0; d < draws.size(); ++d) {
            std::array<qint64, 5> perTier{};
            for (const quint64 mask : masks) {
                if (const int tier = drawlines::expectedTier(picks, numbersOf(mask), draws[d]))
                    ++perTier[size_t(tier - 1)];
            }
            qint64 won = 0;
            for (int t = 1; t <= 5; ++t)
                won += perTier[size_t(t - 1)] * draws[d].prize(picks, t).toLongLong();
            cost += qint64(masks.size()) * 200;
            winnings += won;
            for (size_t t = 0; t < 5; ++t)
                hits[t] += perTier[t];
            dry = won > 0 || perTier != std::array<qint64, 5>{} ? 0 : dry + 1;
            longestDry = std::max(longestDry, dry);
            const BackTest::Draw &got = result->draws[size_t(d)];
            QCOMPARE(got.drawNo, qint64(draws[d].kai()));
            QCOMPARE(got.tickets, perTier);
            QCOMPARE(got.winnings, won);
            QCOMPARE(got.balance, winnings - cost);
        }
        QCOMPARE(result->hits, hits);
        QCOMPARE(result->cost, cost);
        QCOMPARE(result->longestDry, longestDry);
        if (bonusTicket)
            QVERIFY(hits[1] >= 1);
    }

    void chancesAreThePublishedOdds()
    {
        // One in C(43,6) = 6,096,454 and C(31,5) = 169,911 tickets, and the ways of each tier.
        const std::array<double, 5> loto6 = BackTest::tierChances(6);
        const std::array<double, 5> mini = BackTest::tierChances(5);
        const double all6 = 6096454, all5 = 169911;
        const double ways6[] = {1, 6, 216, 9990, 155400};
        const double ways5[] = {1, 5, 125, 3250, 0};
        for (size_t t = 0; t < 5; ++t) {
            QVERIFY(qFuzzyCompare(1 + loto6[t], 1 + ways6[t] / all6));
            QVERIFY(qFuzzyCompare(1 + mini[t], 1 + ways5[t] / all5));
        }
    }

    void uniformityOnTheRealCounts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("picks");
        QTest::newRow("LOTO6, 42 degrees") << testsupport::loto6File() << 6;
        QTest::newRow("miniLOTO, 30 degrees") << testsupport::miniLotoFile() << 5;
    }
    void uniformityOnTheRealCounts()
    {
        QFETCH(QString, file);
        QFETCH(int, picks);
        const int maxNo = picks == 6 ? 43 : 31;
        std::vector<qint64> counts(size_t(maxNo), 0);
        for (const drawlines::Draw &draw : drawlines::read(file)) {
            for (const int n : draw.mains(picks))
                ++counts[size_t(n - 1)];
        }
        const std::optional<Chance::Uniformity> test = Chance::uniformity(counts, picks);
        QVERIFY(test);
        double expected = 0, chi = 0;
        for (const qint64 c : counts)
            expected += double(c) / maxNo;
        for (const qint64 c : counts)
            chi += (double(c) - expected) * (double(c) - expected) / expected;
        chi *= double(maxNo - 1) / double(maxNo - picks);
        QCOMPARE(test->degrees, maxNo - 1);
        QVERIFY(qFuzzyCompare(test->chiSquare, chi));
        // An even number of degrees has a closed form: e^(-x/2) times the first k terms of e^(x/2).
        double term = 1, sum = 0;
        for (int i = 0; i < test->degrees / 2; ++i) {
            sum += term;
            term *= chi / 2 / (i + 1);
        }
        QVERIFY(std::abs(test->p - std::exp(-chi / 2) * sum) < 1e-9);
        // The published 5% points: 58.124 for 42 degrees, 43.773 for 30.
        const double critical = picks == 6 ? 58.124 : 43.773;
        const std::optional<Chance::Uniformity> atCritical = Chance::uniformity([&] {
            // Two numbers far apart by the critical χ² among otherwise even counts.
            std::vector<qint64> even(size_t(maxNo), 100000);
            const qint64 shift = qint64(std::llround(std::sqrt(critical * 100000 / 2)));
            even[0] += shift;
            even[1] -= shift;
            return even;
        }());
        QVERIFY(std::abs(atCritical->p - 0.05) < 0.001);
    }

    // Histories drawn by chance alone, six different numbers a draw: the test must call one in
    // twenty of them "偶然とは言いにくい" at the 5% level, no more and no fewer.
    void uniformityIsRightUnderChance()
    {
        QRandomGenerator random(2026);
        int flagged = 0;
        const int histories = 1000;
        for (int h = 0; h < histories; ++h) {
            std::vector<qint64> counts(43, 0);
            for (int d = 0; d < 200; ++d) {
                quint64 drawn = 0;
                while (std::popcount(drawn) < 6)
                    drawn |= quint64(1) << random.bounded(43);
                for (int n = 0; n < 43; ++n)
                    counts[size_t(n)] += (drawn >> n) & 1u;
            }
            flagged += Chance::uniformity(counts, 6)->p < 0.05 ? 1 : 0;
        }
        // 50 expected; 3.5 standard deviations either way.
        QVERIFY2(flagged >= 26 && flagged <= 74, qPrintable(QString::number(flagged)));
    }

    void bandHoldsNinetyFivePercent_data()
    {
        QTest::addColumn<qint64>("trials");
        QTest::addColumn<double>("p");
        QTest::newRow("LOTO6 with bonus, every draw") << qint64(2141) << 7.0 / 43;
        QTest::newRow("miniLOTO bonus only") << qint64(1402) << 1.0 / 31;
        QTest::newRow("a short run") << qint64(50) << 6.0 / 43;
    }
    void bandHoldsNinetyFivePercent()
    {
        QFETCH(qint64, trials);
        QFETCH(double, p);
        const Chance::Band band = Chance::countBand(trials, p);
        const qint64 low = qint64(band.low);
        const qint64 high = qint64(band.high);
        // At most 2.5% falls below the band and above it, and neither end could move inwards.
        QVERIFY(binomialCdf(trials, p, low - 1) <= 0.025);
        QVERIFY(binomialCdf(trials, p, low) > 0.025);
        QVERIFY(1 - binomialCdf(trials, p, high) <= 0.025);
        QVERIFY(1 - binomialCdf(trials, p, high - 1) > 0.025);
    }
    // The command line on a shipped wheel over six numbers: each row's tiers and the hits line
    // against a count by hand.
    void commandLine()
    {
        const QString pattern = AppFiles::bundledDir(u"PatternFile"_s) + u"/1-546.txt"_s;
        const QList<int> pool{3, 7, 11, 19, 24, 30};
        const testsupport::CliRun run = testsupport::runCli({u"backtest"_s, testsupport::miniLotoFile(), u"--pattern"_s, pattern,
                                                             u"--pool"_s, u"3 7 11 19 24 30"_s, u"--select"_s, u"last:100"_s});
        QCOMPARE(run.status, 0);
        QList<QList<int>> tickets;
        for (const QByteArray &line : AppFiles::readFile(pattern).bytes.split('\n')) {
            QList<int> numbers;
            for (int j = 0; j < line.trimmed().size(); ++j) {
                if (line[j] == '1')
                    numbers.append(pool[j]);
            }
            if (!numbers.isEmpty())
                tickets.append(numbers);
        }
        const QList<drawlines::Draw> draws = drawlines::read(testsupport::miniLotoFile()).mid(1302);
        const QStringList list = run.section(u"FormBackTest.ListView1"_s);
        QCOMPARE(list.size(), draws.size() + 1);
        std::array<qint64, 4> hits{};
        for (qsizetype d = 0; d < draws.size(); ++d) {
            std::array<qint64, 4> perTier{};
            for (const QList<int> &ticket : tickets) {
                if (const int tier = drawlines::expectedTier(5, ticket, draws[d]))
                    ++perTier[size_t(tier - 1)];
            }
            const QStringList cells = list[d + 1].split(u'\t');
            QCOMPARE(cells[0].trimmed().toInt(), draws[d].kai());
            for (size_t t = 0; t < 4; ++t) {
                QCOMPARE(cells[3 + int(t)].trimmed().toLongLong(), perTier[t]);
                hits[t] += perTier[t];
            }
        }
        QVERIFY(run.section(u"FormBackTest.Label1"_s).contains(
            u"等級別: １等 %1口 / ２等 %2口 / ３等 %3口 / ４等 %4口"_s.arg(hits[0]).arg(hits[1]).arg(hits[2]).arg(hits[3])));
    }
};

QTEST_MAIN(TestBackTest)
#include "tst_backtest.moc"
