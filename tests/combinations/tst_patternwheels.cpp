// The covering check, the wheel generator and the shipped wheel library.
#include "combinations/bestknown.h"
#include "combinations/covering.h"
#include "combinations/patternfolder.h"
#include "combinations/patternverify.h"
#include "combinations/wheelgenerator.h"
#include "core/appfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <bit>

using namespace Qt::StringLiterals;

namespace {
// Counted the slow way: every t-subset of the pool against every ticket.
qint64 bruteUncovered(int pool, int t, const QList<quint64> &tickets)
{
    qint64 missing = 0;
    for (quint64 subset = 0; subset < (quint64(1) << pool); ++subset) {
        if (std::popcount(subset) != t)
            continue;
        const bool covered = std::any_of(tickets.begin(), tickets.end(), [&](quint64 x) { return (x & subset) == subset; });
        missing += covered ? 0 : 1;
    }
    return missing;
}

// The least best match counted the slow way: every draw holding the keys against every ticket.
int bruteLeastBestMatch(int picks, int pool, int keys, const std::vector<quint64> &tickets)
{
    const quint64 keyMask = (quint64(1) << keys) - 1;
    int least = picks;
    for (quint64 draw = 0; draw < (quint64(1) << pool); ++draw) {
        if (std::popcount(draw) != picks || (draw & keyMask) != keyMask)
            continue;
        int best = 0;
        for (const quint64 t : tickets)
            best = std::max(best, std::popcount(t & draw));
        least = std::min(least, best);
    }
    return least;
}

// The tickets of a pattern file; every line must be `pool` characters 0/1 with `picks` ones.
QList<quint64> readPatternFile(const QString &path, int pool, int picks, QString *fault)
{
    QList<quint64> tickets;
    const AppFiles::ReadResult file = AppFiles::readFile(path);
    if (!file.ok() || !file.bytes.endsWith("\r\n")) {
        *fault = u"unreadable or no final CR LF"_s;
        return {};
    }
    QList<QByteArray> lines = file.bytes.split('\n');
    lines.removeLast();  // after the final line feed
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : QByteArray("<no CR>");
        quint64 ticket = 0;
        for (qsizetype j = 0; j < line.size(); ++j)
            ticket |= quint64(line[j] == '1') << j;
        if (line.size() != pool || line.count('1') + line.count('0') != pool || line.count('1') != picks) {
            *fault = u"line %1 malformed"_s.arg(i + 1);
            return {};
        }
        tickets.append(ticket);
    }
    return tickets;
}

// The tickets with the key positions 1..keys removed: the wheel of the free positions.
QList<quint64> freePart(const QList<quint64> &tickets, int keys)
{
    QList<quint64> out;
    for (const quint64 t : tickets)
        out.append(t >> keys);
    return out;
}
} // namespace

class TestPatternWheels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void coveringCheckMatchesBruteForce_data();
    void coveringCheckMatchesBruteForce();
    void verificationMatchesBruteForce_data();
    void verificationMatchesBruteForce();
    void lowerBoundMatchesTable();
    void generatedWheelsCover_data();
    void generatedWheelsCover();
    void generatorRefusals_data();
    void generatorRefusals();
    void shippedLibraryIsCompleteAndCovers();
    void libraryCopiedWithoutOverwriting();
};

void TestPatternWheels::coveringCheckMatchesBruteForce_data()
{
    QTest::addColumn<int>("pool");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("t");
    QTest::addColumn<int>("tickets");
    QTest::newRow("9,6,5 few") << 9 << 6 << 5 << 20;
    QTest::newRow("9,6,5 many") << 9 << 6 << 5 << 60;
    QTest::newRow("12,6,4") << 12 << 6 << 4 << 40;
    QTest::newRow("14,5,3") << 14 << 5 << 3 << 45;
    QTest::newRow("16,6,2") << 16 << 6 << 2 << 12;
    QTest::newRow("7,3,1") << 7 << 3 << 1 << 2;
}

void TestPatternWheels::coveringCheckMatchesBruteForce()
{
    QFETCH(int, pool);
    QFETCH(int, k);
    QFETCH(int, t);
    QFETCH(int, tickets);
    QRandomGenerator random(quint32(pool * 1000 + k * 100 + t));
    for (int round = 0; round < 20; ++round) {
        QList<quint64> set;
        for (int i = 0; i < tickets; ++i) {
            quint64 ticket = 0;
            while (std::popcount(ticket) < k)
                ticket |= quint64(1) << random.bounded(pool);
            set.append(ticket);
        }
        QCOMPARE(Covering::uncoveredCount(pool, t, set), bruteUncovered(pool, t, set));
    }
}

void TestPatternWheels::verificationMatchesBruteForce_data()
{
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("pool");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("tickets");
    QTest::addColumn<int>("threads");
    QTest::addColumn<bool>("varies");  // the random wheels reach more than one answer
    QTest::newRow("LOTO6 9, two tickets") << 6 << 9 << 0 << 2 << 1 << false;
    QTest::newRow("LOTO6 12, a few") << 6 << 12 << 0 << 6 << 2 << true;
    QTest::newRow("LOTO6 14, many") << 6 << 14 << 0 << 40 << 2 << true;
    QTest::newRow("LOTO6 13, 1 key") << 6 << 13 << 1 << 8 << 2 << true;
    QTest::newRow("LOTO6 11, 6 keys") << 6 << 11 << 6 << 3 << 1 << true;
    QTest::newRow("miniLOTO 10") << 5 << 10 << 0 << 5 << 2 << true;
    QTest::newRow("miniLOTO 16, 2 keys") << 5 << 16 << 2 << 30 << 3 << true;
    QTest::newRow("miniLOTO 7, 2 tickets") << 5 << 7 << 0 << 2 << 1 << false;
}

void TestPatternWheels::verificationMatchesBruteForce()
{
    QFETCH(int, picks);
    QFETCH(int, pool);
    QFETCH(int, keys);
    QFETCH(int, tickets);
    QFETCH(int, threads);
    QFETCH(bool, varies);
    QRandomGenerator random(quint32(pool * 1000 + picks * 100 + keys * 10 + tickets));
    QSet<int> seen;
    for (int round = 0; round < 30; ++round) {
        PatternVerify::Input input{picks, pool, keys, {}};
        for (int i = 0; i < tickets; ++i) {
            // Keyed wheels hold their keys on most tickets, not always.
            quint64 ticket = round % 3 != 0 ? (quint64(1) << keys) - 1 : 0;
            while (std::popcount(ticket) < picks)
                ticket |= quint64(1) << random.bounded(pool);
            input.tickets.push_back(ticket);
        }
        PatternVerify::Options options;
        options.threads = threads;
        const int expected = bruteLeastBestMatch(picks, pool, keys, input.tickets);
        QCOMPARE(PatternVerify::leastBestMatch(input, options), expected);
        seen.insert(expected);
    }
    QCOMPARE(seen.size() > 1, varies);
}

void TestPatternWheels::lowerBoundMatchesTable()
{
    // The shipped table lists the Schönheim bound beside each best known size for v <= 25;
    // beyond, a row may carry a sharper bound.
    const QList<BestKnown::Entry> &entries = BestKnown::entries();
    QVERIFY(entries.size() >= 100);
    for (const BestKnown::Entry &e : entries) {
        if (e.v <= 25)
            QCOMPARE(Covering::lowerBound(e.v, e.k, e.t), e.lowerBound);
        QVERIFY(Covering::lowerBound(e.v, e.k, e.t) <= e.lowerBound);
        QVERIFY(e.size >= e.lowerBound);
    }
    QCOMPARE(BestKnown::size(12, 6, 4), 41);
    QCOMPARE(BestKnown::size(12, 6, 2), -1);
}

void TestPatternWheels::generatedWheelsCover_data()
{
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("tier");
    QTest::addColumn<int>("pool");
    QTest::addColumn<int>("keys");
    QTest::newRow("LOTO6 4th over 14") << 6 << 4 << 14 << 0;
    QTest::newRow("LOTO6 5th over 20") << 6 << 5 << 20 << 0;
    QTest::newRow("LOTO6 3rd over 11") << 6 << 3 << 11 << 0;
    QTest::newRow("miniLOTO 3rd over 12") << 5 << 3 << 12 << 0;
    QTest::newRow("miniLOTO 4th over 17") << 5 << 4 << 17 << 0;
    QTest::newRow("LOTO6 4th over 15, 2 keys") << 6 << 4 << 15 << 2;
    QTest::newRow("miniLOTO 3rd over 10, 1 key") << 5 << 3 << 10 << 1;
    QTest::newRow("keys reach the tier") << 6 << 5 << 20 << 5;
    QTest::newRow("1st tier: every combination") << 5 << 1 << 8 << 1;
    QTest::newRow("pool of one ticket") << 6 << 4 << 6 << 0;
}

void TestPatternWheels::generatedWheelsCover()
{
    QFETCH(int, picks);
    QFETCH(int, tier);
    QFETCH(int, pool);
    QFETCH(int, keys);

    CoveringSearch::Options options;
    options.seconds = 1;
    const WheelGenerator::Result result = WheelGenerator::generate({picks, tier, pool, keys}, options);
    QVERIFY2(result.ok(), qPrintable(result.plan.warning));
    const quint64 keyMask = (quint64(1) << keys) - 1;
    for (const quint64 ticket : result.tickets) {
        QCOMPARE(std::popcount(ticket), picks);
        QVERIFY(ticket < (quint64(1) << pool));
        QCOMPARE(ticket & keyMask, keyMask);
    }
    // Every draw of the pool holding the keys meets some ticket in the tier's matches.
    const int t = WheelGenerator::matchesForTier(picks, tier) - keys;
    if (t > 0)
        QCOMPARE(bruteUncovered(pool - keys, t, freePart(result.tickets, keys)), 0);
    QVERIFY(qint64(result.tickets.size()) >= result.plan.lowerBound);
    // The lines are what the convert reads back.
    const QStringList lines = WheelGenerator::sourceLines(result.tickets);
    QCOMPARE(lines.size(), result.tickets.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        quint64 read = 0;
        for (const QString &p : lines[i].split(u' '))
            read |= quint64(1) << (p.toInt() - 1);
        QCOMPARE(read, result.tickets[i]);
    }
}

void TestPatternWheels::generatorRefusals_data()
{
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("tier");
    QTest::addColumn<int>("pool");
    QTest::addColumn<int>("keys");
    QTest::newRow("miniLOTO has no 5th tier") << 5 << 5 << 12 << 0;
    QTest::newRow("no 2nd tier wheels") << 6 << 2 << 12 << 0;
    QTest::newRow("pool below the picks") << 6 << 3 << 5 << 0;
    QTest::newRow("pool beyond miniLOTO") << 5 << 3 << 32 << 0;
    QTest::newRow("keys above the picks") << 6 << 3 << 12 << 7;
    QTest::newRow("1st tier over a large pool") << 6 << 1 << 43 << 0;
}

void TestPatternWheels::generatorRefusals()
{
    QFETCH(int, picks);
    QFETCH(int, tier);
    QFETCH(int, pool);
    QFETCH(int, keys);
    const WheelGenerator::Result result = WheelGenerator::generate({picks, tier, pool, keys}, {});
    QVERIFY(!result.plan.ok());
    QVERIFY(result.tickets.isEmpty());
}

void TestPatternWheels::shippedLibraryIsCompleteAndCovers()
{
    const QString library = AppFiles::bundledDir(u"PatternFile"_s);
    QVERIFY(!library.isEmpty());
    const QStringList names = PatternFolder::allFiles(library);
    QCOMPARE(QDir(library).entryList(QDir::Files).size(), names.size());
    QSet<QString> kinds;
    for (const QString &name : names) {
        const PatternFolder::Name parsed = *PatternFolder::parseName(name);
        const PatternFolder::Request &r = parsed.request;
        QString fault;
        const QList<quint64> tickets = readPatternFile(QDir(library).filePath(name), r.pool, r.picks, &fault);
        QVERIFY2(fault.isEmpty(), qPrintable(name + u": "_s + fault));
        const int t = WheelGenerator::matchesForTier(r.picks, r.tier) - r.keys;
        QVERIFY2(Covering::uncoveredCount(r.pool - r.keys, t, freePart(tickets, r.keys)) == 0, qPrintable(name));
        const std::optional<int> least =
            PatternVerify::leastBestMatch({r.picks, r.pool, r.keys, {tickets.begin(), tickets.end()}});
        // A small pool may give more than its name claims (a lower tier number), never less.
        const int tier = least ? PatternVerify::guaranteedTier(r.picks, *least) : 0;
        QVERIFY2(tier != 0 && tier <= r.tier, qPrintable(name));
        kinds.insert(PatternFolder::patternKey(r));
    }
    // Every tier the combination list offers, every pool from k+1 to 20; LOTO6 3rd to 31.
    for (const auto &[picks, tier, top] : {std::tuple{6, 3, 31}, {6, 4, 20}, {6, 5, 20}, {5, 3, 20}, {5, 4, 20}}) {
        for (int pool = picks + 1; pool <= top; ++pool) {
            const QString key = PatternFolder::patternKey({picks, tier, pool, 0});
            QVERIFY2(kinds.contains(key), qPrintable(u"missing "_s + key));
        }
    }
}

void TestPatternWheels::libraryCopiedWithoutOverwriting()
{
    QTemporaryDir dir;
    const QString library = dir.filePath(u"library"_s);
    const QString user = dir.filePath(u"user"_s);
    QVERIFY(QDir().mkpath(library) && QDir().mkpath(user));
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(library + u"/1-639.txt"_s, "library\r\n"));
    QVERIFY(write(library + u"/1-6412.txt"_s, "library\r\n"));
    QVERIFY(write(user + u"/1-639.TXT"_s, "mine\r\n"));
    QCOMPARE(PatternFolder::installLibrary(user, library), 1);
    QCOMPARE(AppFiles::readFile(user + u"/1-639.TXT"_s).bytes, QByteArray("mine\r\n"));
    QCOMPARE(AppFiles::readFile(user + u"/1-6412.txt"_s).bytes, QByteArray("library\r\n"));
    QCOMPARE(PatternFolder::installLibrary(user, library), 0);

    // A folder made on first use gets the shipped wheels; an existing one is left as it is.
    const QString fresh = dir.filePath(u"fresh/PatternFile"_s);
    qputenv("ZEMVARA_PATTERN_DIR", fresh.toLocal8Bit());
    QCOMPARE(PatternFolder::ensure(), fresh);
    const QStringList shipped = PatternFolder::allFiles(AppFiles::bundledDir(u"PatternFile"_s));
    QVERIFY(!shipped.isEmpty());
    QCOMPARE(PatternFolder::allFiles(fresh), shipped);
    QVERIFY(QFile::remove(QDir(fresh).filePath(shipped.first())));
    QCOMPARE(PatternFolder::ensure(), fresh);
    QCOMPARE(PatternFolder::allFiles(fresh).size(), shipped.size() - 1);
    qunsetenv("ZEMVARA_PATTERN_DIR");

    // A copy that fails midway (a file too large to read, sorted third) makes no folder at all,
    // leaves no scratch beside it, and says which file; the next try completes.
    QFile huge(library + u"/3-639.txt"_s);
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(AppFiles::kMaxFileBytes + 1));
    huge.close();
    QVERIFY(write(library + u"/2-639.txt"_s, "library\r\n") && write(library + u"/4-639.txt"_s, "library\r\n"));
    const QString target = dir.filePath(u"later/PatternFile"_s);
    QCOMPARE(PatternFolder::createWithLibrary(target, library),
             u"付属のパターンファイル 3-639.txt を %1 にコピーできませんでした。"_s.arg(QDir::toNativeSeparators(target)));
    QCOMPARE(QDir(dir.filePath(u"later"_s)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(huge.remove());
    QCOMPARE(PatternFolder::createWithLibrary(target, library), QString());
    QCOMPARE(PatternFolder::allFiles(target), (QStringList{u"1-639.txt"_s, u"2-639.txt"_s, u"4-639.txt"_s, u"1-6412.txt"_s}));
}

QTEST_GUILESS_MAIN(TestPatternWheels)
#include "tst_patternwheels.moc"
