#include "combinations/patternverify.h"

#include "core/combinatorics.h"
#include "core/gamerules.h"

#include <QThread>

#include <algorithm>
#include <array>
#include <bit>
#include <system_error>
#include <thread>

using namespace Qt::StringLiterals;

namespace PatternVerify {

namespace {

constexpr int kMaxPicks = 8;

// A draw shares m numbers with some ticket exactly when one of its m-subsets lies inside a
// ticket. So each level m keeps the m-subsets the tickets hold, one bit per colex rank, and a
// draw is judged by looking up its own few subsets (20 at most for six picks) instead of
// comparing it with every ticket: a 30,000-ticket wheel costs no more per draw than a small one.
class Coverage
{
public:
    Coverage(const Input &input) : m_picks(input.picks)
    {
        for (int p = 0; p < Combinatorics::kMaxPool; ++p) {
            for (int j = 0; j <= m_picks; ++j)
                m_binomial[size_t(p)][size_t(j)] = Combinatorics::binomial(p, j);
        }
        for (int m = 1; m <= m_picks; ++m) {
            std::vector<quint64> &bits = m_held[size_t(m)];
            bits.assign(size_t(Combinatorics::binomial(input.pool, m) + 63) / 64, 0);
            for (const quint64 ticket : input.tickets) {
                Combinatorics::forEachSubset(ticket, m, [&](quint64 subset) {
                    const quint64 rank = Combinatorics::colexRank(subset);
                    bits[rank / 64] |= quint64(1) << (rank % 64);
                });
            }
            // The index sets of a draw's m-subsets, the same for every draw.
            Combinatorics::forEachSubset(Combinatorics::firstPositions(m_picks), m, [&](quint64 indexes) {
                std::array<quint8, kMaxPicks> chosen{};
                int j = 0;
                for (quint64 rest = indexes; rest != 0; rest &= rest - 1)
                    chosen[size_t(j++)] = quint8(std::countr_zero(rest));
                m_subsets[size_t(m)].push_back(chosen);
            });
        }
    }

    // Whether some ticket shares at least m numbers with the draw (positions ascending).
    bool holds(const std::array<int, kMaxPicks> &draw, int m) const
    {
        if (m <= 0)
            return true;
        const std::vector<quint64> &bits = m_held[size_t(m)];
        for (const std::array<quint8, kMaxPicks> &chosen : m_subsets[size_t(m)]) {
            quint64 rank = 0;
            for (int j = 0; j < m; ++j)
                rank += quint64(m_binomial[size_t(draw[chosen[size_t(j)]])][size_t(j + 1)]);
            if (bits[rank / 64] >> (rank % 64) & 1)
                return true;
        }
        return false;
    }

private:
    int m_picks;
    std::array<std::array<qint64, kMaxPicks + 1>, Combinatorics::kMaxPool> m_binomial{};
    std::array<std::vector<quint64>, kMaxPicks + 1> m_held;
    std::array<std::vector<std::array<quint8, kMaxPicks>>, kMaxPicks + 1> m_subsets;
};

} // namespace

bool isValid(const Input &input)
{
    if (input.picks < 1 || input.picks > kMaxPicks || input.pool < input.picks
        || input.pool > Combinatorics::kMaxPool || input.keys < 0 || input.keys > input.picks
        || input.tickets.empty())
        return false;
    const quint64 inside = Combinatorics::firstPositions(input.pool);
    return std::all_of(input.tickets.begin(), input.tickets.end(), [&](quint64 t) {
        return (t & ~inside) == 0 && std::popcount(t) == input.picks;
    });
}

std::optional<int> leastBestMatch(const Input &input, const Options &options)
{
    if (!isValid(input))
        return std::nullopt;
    const Coverage coverage(input);
    const quint64 keys = Combinatorics::firstPositions(input.keys);
    const int free = input.picks - input.keys;
    const quint64 others = Combinatorics::firstPositions(input.pool) & ~keys;

    // Work items: the lowest position the draw takes beside the keys (one item when the keys
    // are the whole draw).
    std::vector<int> items;
    if (free == 0)
        items.push_back(-1);
    for (int a = input.keys; free > 0 && a <= input.pool - free; ++a)
        items.push_back(a);
    const qint64 total = Combinatorics::binomial(input.pool - input.keys, free);

    std::atomic<int> least{input.picks};
    std::atomic<size_t> nextItem{0};
    std::atomic<qint64> done{0};
    std::atomic<bool> stopped{false};
    const auto cancelled = [&] { return options.cancel && options.cancel->load(std::memory_order_relaxed); };

    auto work = [&](bool reporting) {
        std::array<int, kMaxPicks> draw{};
        qint64 sinceCheck = 0;
        // Lowers `least` to the draw's best match when it is below; false to stop.
        const auto judge = [&](quint64 mask) {
            int j = 0;
            for (quint64 rest = mask; rest != 0; rest &= rest - 1)
                draw[size_t(j++)] = std::countr_zero(rest);
            int level = least.load(std::memory_order_relaxed);
            if (!coverage.holds(draw, level)) {
                do
                    --level;
                while (!coverage.holds(draw, level));
                int seen = least.load();
                while (level < seen && !least.compare_exchange_weak(seen, level)) {
                }
            }
            if (++sinceCheck == 4096) {
                sinceCheck = 0;
                if (cancelled()) {
                    stopped = true;
                    return false;
                }
            }
            // Nothing can fall below no match at all.
            return least.load(std::memory_order_relaxed) > 0;
        };
        for (;;) {
            if (stopped || least.load() == 0)
                return;
            const size_t item = nextItem.fetch_add(1);
            if (item >= items.size())
                return;
            const int a = items[item];
            qint64 draws = 1;
            if (a < 0) {
                judge(keys);
            } else {
                const quint64 above = others & ~Combinatorics::firstPositions(a + 1);
                const quint64 base = keys | quint64(1) << a;
                Combinatorics::forEachSubset(above, free - 1, [&](quint64 rest) { return judge(base | rest); });
                draws = Combinatorics::binomial(std::popcount(above), free - 1);
            }
            const qint64 now = done.fetch_add(draws) + draws;
            if (reporting && options.progress)
                options.progress(now, total);
        }
    };

    int threads = options.threads > 0 ? options.threads : QThread::idealThreadCount();
    // Below this much work a helper thread costs more than it saves.
    if (total < 20000)
        threads = 1;
    threads = std::clamp(threads, 1, int(items.size()));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(work, false);
        } catch (const std::system_error &) {
            break;  // fewer threads, same answer
        }
    }
    work(true);
    for (std::thread &helper : helpers)
        helper.join();
    if (stopped || cancelled())
        return std::nullopt;
    if (options.progress)
        options.progress(total, total);
    return least.load();
}

int guaranteedTier(int picks, int leastMatch)
{
    return GameRules::of(picks).tierFor(leastMatch, false);
}

QString guaranteeLabel(int tier)
{
    return tier > 0 ? GameRules::tierLabel(tier) : u"なし"_s;
}

Verdict judge(int picks, int claimedTier, int leastMatch)
{
    Verdict verdict;
    verdict.tier = guaranteedTier(picks, leastMatch);
    // A stronger tier has the lower number.
    if (verdict.tier == 0 || verdict.tier > claimedTier) {
        verdict.shortfall = u"このパターンは%1を保証しません（保証：%2）。"_s.arg(GameRules::tierLabel(claimedTier),
                                                                                    guaranteeLabel(verdict.tier));
    }
    return verdict;
}

} // namespace PatternVerify
