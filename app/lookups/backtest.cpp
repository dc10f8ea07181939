#include "lookups/backtest.h"

#include "core/combinatorics.h"
#include "core/drawrecord.h"
#include "core/gamerules.h"
#include "core/rowsource.h"

#include <bit>

namespace BackTest {

double Result::returnRate() const
{
    return cost > 0 ? 100.0 * double(winnings) / double(cost) : 0.0;
}

namespace {
double choose(int n, int k)
{
    return double(Combinatorics::binomial(n, k));
}
} // namespace

std::array<double, kMaxTiers> tierChances(int runMode)
{
    const GameRules &rules = GameRules::of(runMode);
    std::array<double, kMaxTiers> chances{};
    if (!rules.isGame())
        return chances;
    const int picks = rules.picks();
    const int others = rules.maxNo() - picks - 1;  // neither drawn nor the bonus
    const double tickets = choose(rules.maxNo(), picks);
    // A ticket shares k of the drawn numbers, holds the bonus or not, and takes the rest from
    // the numbers that are neither.
    for (int k = 0; k <= picks; ++k) {
        for (const int bonus : {0, 1}) {
            const int rank = rules.tierFor(k, bonus == 1);
            if (rank >= 1 && rank <= kMaxTiers)
                chances[size_t(rank - 1)] += choose(picks, k) * choose(others, picks - k - bonus) / tickets;
        }
    }
    return chances;
}

std::optional<Result> run(const RowSource &rows, int runMode, const std::vector<quint64> &tickets,
                          const std::atomic<bool> *cancel, const std::function<void(qint64, qint64)> &progress)
{
    const GameRules &rules = GameRules::of(runMode);
    Result result;
    result.runMode = runMode;
    result.ticketsPerDraw = qint64(tickets.size());
    // The tier of every (shared numbers, bonus held) pair, looked up in the inner loop.
    std::array<std::array<int, 2>, 65> tierOf{};
    for (int k = 0; k <= 64; ++k)
        tierOf[size_t(k)] = {rules.tierFor(k, false), rules.tierFor(k, true)};
    const std::array<double, kMaxTiers> chances = tierChances(runMode);

    std::vector<int> taken;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rows.inAnalysisSet(r) && rows.record(r))
            taken.push_back(r);
    }
    const qint64 total = qint64(taken.size());
    double expected = 0;
    int dry = 0;
    qint64 bestWinnings = 0;
    for (size_t i = 0; i < taken.size(); ++i) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return std::nullopt;
        const DrawRecord &record = *rows.record(taken[i]);
        Draw draw;
        draw.row = taken[i];
        draw.drawNo = record.drawNo.value_or(0);
        draw.date = record.dateText;
        const quint64 bonus = record.bonus >= 1 && record.bonus < 64 ? numberBit(record.bonus) : 0;
        for (const quint64 ticket : tickets) {
            const int rank = tierOf[size_t(std::popcount(ticket & record.mask))][(ticket & bonus) ? 1 : 0];
            if (rank > 0)
                ++draw.tickets[size_t(rank - 1)];
        }
        double expectedWinnings = 0;
        for (int t = 1; t <= rules.tierCount(); ++t) {
            const qint64 count = draw.tickets[size_t(t - 1)];
            draw.winnings += count * record.prize(t);
            result.hits[size_t(t - 1)] += count;
            if (count > 0 && draw.best == 0)
                draw.best = t;
            expectedWinnings += chances[size_t(t - 1)] * double(record.prize(t));
        }
        draw.cost = result.ticketsPerDraw * GameRules::kTicketPrice;
        result.cost += draw.cost;
        result.winnings += draw.winnings;
        draw.balance = result.winnings - result.cost;
        expected += double(result.ticketsPerDraw) * (expectedWinnings - double(GameRules::kTicketPrice));
        draw.expectedBalance = expected;
        dry = draw.best > 0 ? 0 : dry + 1;
        result.longestDry = std::max(result.longestDry, dry);
        if (draw.winnings > bestWinnings) {
            bestWinnings = draw.winnings;
            result.best = int(i);
        }
        result.draws.push_back(std::move(draw));
        if (progress && (i % 64 == 63 || i + 1 == taken.size()))
            progress(qint64(i + 1), total);
    }
    return result;
}

} // namespace BackTest
