// The promise of guarantee wheels checked: the shipped library, and one very large wheel.
#include "benchsupport.h"

#include "combinations/patternfile.h"
#include "combinations/patternfolder.h"
#include "combinations/patternverify.h"
#include "core/appfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <bit>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
std::vector<quint64> ticketsOf(const PatternFile::Content &content)
{
    std::vector<quint64> out;
    for (const PatternFile::Ticket &t : content.tickets)
        out.push_back(t.mask);
    return out;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    const QString library = AppFiles::bundledDir(u"PatternFile"_s);
    const QStringList names = PatternFolder::allFiles(library);
    std::vector<PatternVerify::Input> wheels;
    for (const QString &name : names) {
        const PatternFolder::Request r = PatternFolder::parseName(name)->request;
        const PatternFile::Loaded loaded = PatternFile::LoadPatternFile(QDir(library).filePath(name), r.pool);
        wheels.push_back({r.picks, r.pool, r.keys, ticketsOf(loaded.content)});
    }
    int verified = 0;
    const double libraryMs = bench::medianMs(5, [&] {
        verified = 0;
        for (size_t i = 0; i < wheels.size(); ++i) {
            const PatternFolder::Request r = PatternFolder::parseName(names[qsizetype(i)])->request;
            const int tier = PatternVerify::guaranteedTier(r.picks, PatternVerify::leastBestMatch(wheels[i]).value_or(0));
            verified += tier != 0 && tier <= r.tier ? 1 : 0;
        }
    });
    std::printf("shipped library: %d of %d files verified for the tier their names claim\n", verified,
                int(names.size()));
    bench::report(u"verification of the shipped library (all files)"_s, libraryMs, u"ms"_s);

    // A very large random wheel over the whole LOTO6 range: every one of the 6,096,454 draws is
    // judged, as no ticket set this size covers every draw at a strong tier.
    QRandomGenerator random(43);
    PatternVerify::Input big{6, 43, 0, {}};
    while (big.tickets.size() < 30000) {
        quint64 ticket = 0;
        while (std::popcount(ticket) < 6)
            ticket |= quint64(1) << random.bounded(43);
        big.tickets.push_back(ticket);
    }
    int least = -1;
    const double bigMs = bench::medianMs(5, [&] { least = PatternVerify::leastBestMatch(big).value_or(-1); });
    std::printf("30000 random tickets over 43: least best match %d, guarantee %s\n", least,
                qPrintable(PatternVerify::guaranteeLabel(PatternVerify::guaranteedTier(6, least))));
    bench::report(u"verification of a 30000-ticket wheel over 43, all cores"_s, bigMs, u"ms"_s, u"<= 1000 ms"_s);
    PatternVerify::Options one;
    one.threads = 1;
    bench::report(u"  the same, one core"_s,
                  bench::medianMs(3, [&] { PatternVerify::leastBestMatch(big, one); }), u"ms"_s);
    bench::report(u"peak memory"_s, bench::peakRssMiB(), u"MiB"_s);
    return 0;
}
