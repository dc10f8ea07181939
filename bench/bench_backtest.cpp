// Tickets run over the whole real LOTO6 history: a 154-ticket set over the 43 numbers, and a
// 30,000-ticket one (64 million ticket·draw checks).
#include "benchsupport.h"

#include "core/drawfile.h"
#include "core/drawtable.h"
#include "lookups/backtest.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <bit>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
std::vector<quint64> randomTickets(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    std::vector<quint64> tickets;
    while (int(tickets.size()) < count) {
        quint64 mask = 0;
        while (std::popcount(mask) < 6)
            mask |= quint64(1) << (1 + random.bounded(43));
        tickets.push_back(mask);
    }
    return tickets;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    DrawTable table;
    if (!DrawFile::read(bench::dataFile(u"LOTO6_Download.csv"_s), table).ok())
        return 1;
    table.setAllSelected(true);
    for (const auto &[count, target] : {std::pair{154, u"<= 20 ms"_s}, std::pair{30000, u"<= 1000 ms"_s}}) {
        const std::vector<quint64> tickets = randomTickets(count, quint32(count));
        qint64 winnings = 0;
        const double ms = bench::medianMs(5, [&] { winnings = BackTest::run(table, 6, tickets)->winnings; });
        bench::report(u"back-test, %1 tickets over %2 draws"_s.arg(count).arg(table.rowCount()), ms, u"ms"_s, target);
        std::printf("  (winnings %lld yen)\n", static_cast<long long>(winnings));
    }
    return 0;
}
