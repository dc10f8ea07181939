// The wheel generator against the best known coverings and the lower bound, the scan of a
// pattern folder that the combination list runs after every pool change, and the file list the
// pattern manager shows when it opens.
//   bench_patterns [--seconds S] [--max-pool V] [--folder-only]
//   (S per wheel, default 1; the full run uses 30; --folder-only skips the generator's table)
#include "benchsupport.h"

#include "combinations/bestknown.h"
#include "combinations/covering.h"
#include "combinations/patternaudit.h"
#include "combinations/patternfolder.h"
#include "combinations/wheelgenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
// The tier of a covering's (k, t): LOTO6 5 of 6 is the 3rd tier, miniLOTO 3 of 5 the 4th, ...
int tierOf(int k, int t)
{
    for (const int tier : {3, 4, 5}) {
        if (WheelGenerator::matchesForTier(k, tier) == t)
            return tier;
    }
    return 0;
}

void benchGenerator(double seconds, int maxPool)
{
    int rows = 0;
    int withinTen = 0;
    int atBest = 0;
    int rowsTFour = 0;
    for (const BestKnown::Entry &e : BestKnown::entries()) {
        const int tier = tierOf(e.k, e.t);
        if (e.v > maxPool || tier == 0)
            continue;
        CoveringSearch::Options options;
        options.seconds = seconds;
        const WheelGenerator::Result result = WheelGenerator::generate({e.k, tier, e.v, 0}, options);
        const qint64 size = result.tickets.size();
        const bool covers = Covering::uncoveredCount(e.v, e.t, result.tickets) == 0;
        const double over = 100.0 * double(size - e.size) / double(e.size);
        std::printf("C(%2d,%d,%d): %6lld tickets, best known %6lld, lower bound %6lld, %+6.1f%%, %5.1f s%s\n", e.v, e.k,
                    e.t, qlonglong(size), qlonglong(e.size), qlonglong(e.lowerBound), over, result.elapsedSeconds,
                    covers ? "" : "  NOT A COVERING");
        std::fflush(stdout);
        ++rows;
        atBest += size <= e.size ? 1 : 0;
        if (e.t <= 4) {
            ++rowsTFour;
            withinTen += over <= 10.0 ? 1 : 0;
        }
    }
    bench::report(u"wheels at the best known size"_s, atBest, u"of %1"_s.arg(rows));
    bench::report(u"wheels for t <= 4 within 10% of the best known"_s, withinTen, u"of %1"_s.arg(rowsTFour),
                  u"all"_s);
}

void benchFolderScan()
{
    // 500 files of every kind the manager names, as a well-used folder might hold.
    QTemporaryDir dir;
    int made = 0;
    for (int serial = 1; made < 500; ++serial) {
        for (const int picks : {6, 5}) {
            for (const int tier : {3, 4, 5}) {
                for (int pool = picks + 1; pool <= 20 && made < 500; ++pool) {
                    QFile file(dir.filePath(PatternFolder::fileName(serial, {picks, tier, pool, serial % 3})));
                    if (file.open(QIODevice::WriteOnly) && file.write("111111000\r\n") > 0)
                        ++made;
                }
            }
        }
    }
    int found = 0;
    const double ms = bench::medianMs(41, [&] {
        found = 0;
        for (const int tier : {3, 4, 5})
            found += int(PatternFolder::matchingFiles(dir.path(), {6, tier, 12, 1}).size());
    });
    std::printf("folder of %d files: %d files for LOTO6 over 12 with 1 key\n", made, found);
    bench::report(u"availability scan of a pattern folder of 500 files (3 tiers)"_s, ms, u"ms"_s, u"<= 20 ms"_s);

    // The manager lists every file with its verdict; the first opening verifies them all, every
    // later one finds them unchanged.
    PatternAudit audit;
    QElapsedTimer cold;
    cold.start();
    audit.scan(dir.path(), PatternFolder::allFiles(dir.path()));
    std::printf("first opening: %d files verified in %.1f ms\n", audit.verifiedCount(), double(cold.nsecsElapsed()) / 1e6);
    qsizetype listed = 0;
    const double warm = bench::medianMs(41, [&] {
        const QStringList names = PatternFolder::allFiles(dir.path());
        listed = audit.look(dir.path(), names).verdicts.size();
    });
    std::printf("listed %lld files, %d verified in all\n", qlonglong(listed), audit.verifiedCount());
    bench::report(u"the manager opened on a 500-file folder, warm"_s, warm, u"ms"_s, u"<= 50 ms"_s);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({u"seconds"_s, u"Time budget per wheel."_s, u"S"_s, u"1"_s});
    parser.addOption({u"max-pool"_s, u"Largest pool of the table to generate."_s, u"V"_s, u"20"_s});
    parser.addOption({u"folder-only"_s, u"Only the pattern folder, not the generator's table."_s});
    parser.addHelpOption();
    parser.process(app);
    const double seconds = parser.value(u"seconds"_s).toDouble();
    const int maxPool = parser.value(u"max-pool"_s).toInt();
    if (!(seconds > 0) || maxPool < 1) {
        std::fprintf(stderr, "--seconds and --max-pool take positive numbers\n");
        return 2;
    }
    benchFolderScan();
    if (!parser.isSet(u"folder-only"_s))
        benchGenerator(seconds, maxPool);
    return 0;
}
