#include "combinations/coveringsearch.h"

#include "combinations/covering.h"
#include "core/combinatorics.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <vector>

namespace CoveringSearch {

namespace {

using Clock = std::chrono::steady_clock;

// xoshiro256**: fast, and good enough for choosing moves.
class Random
{
public:
    explicit Random(quint64 seed)
    {
        for (quint64 &word : m_s) {
            seed += 0x9E3779B97F4A7C15ULL;
            quint64 z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }
    quint64 next()
    {
        const quint64 result = std::rotl(m_s[1] * 5, 7) * 9;
        const quint64 t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = std::rotl(m_s[3], 45);
        return result;
    }
    // Uniform in [0, n).
    quint32 below(size_t n) { return quint32(((next() >> 32) * quint64(n)) >> 32); }

private:
    quint64 m_s[4];
};

// A group of permutations of the positions, given by generators. Searching only for coverings
// that the group maps onto themselves shrinks the problem by about the group's order, and good
// coverings often have such a symmetry. No generators: no symmetry.
struct Symmetry
{
    using Permutation = std::array<quint8, 64>;
    std::vector<Permutation> generators;

    bool none() const { return generators.empty(); }

    static quint64 apply(const Permutation &g, quint64 set)
    {
        quint64 out = 0;
        for (quint64 bits = set; bits != 0; bits &= bits - 1)
            out |= quint64(1) << g[size_t(std::countr_zero(bits))];
        return out;
    }
    // Every image of the set (the set first), appended to out.
    void orbit(quint64 set, std::vector<quint64> &out) const
    {
        const size_t first = out.size();
        out.push_back(set);
        for (size_t i = first; i < out.size(); ++i) {
            for (const Permutation &g : generators) {
                const quint64 image = apply(g, out[i]);
                if (std::find(out.begin() + qsizetype(first), out.end(), image) == out.end())
                    out.push_back(image);
            }
        }
    }
};

// Weighted local search over whole tickets (row weighting, as for unicost set cover): while
// everything is covered, the least needed ticket goes; otherwise the least needed ticket is
// swapped for the ticket through a random uncovered t-subset that covers the most weight, and
// the weight of every t-subset still uncovered grows, so long-missed subsets pull harder.
// With a symmetry, a "ticket" stands for its whole orbit and a "t-subset" for its orbit.
class Search
{
public:
    Search(int v, int k, int t, const Options &options, Random &random, Clock::time_point start)
        : m_v(v), m_k(k), m_t(t), m_options(options), m_random(random), m_start(start),
          m_all(Combinatorics::firstPositions(v))
    {
    }

    // Runs until `until` seconds after the start, a covering of `stop` tickets or fewer is
    // found, or the caller cancels; `best` keeps the smallest covering found (point tickets)
    // and, without a symmetry, is where the search starts. Returns false when cancelled.
    bool run(const Symmetry &symmetry, double until, qint64 stop, std::vector<quint64> &best)
    {
        m_symmetry = symmetry;
        m_until = until;
        setUpRows();
        if (symmetry.none()) {
            for (const quint64 block : best)
                addColumn(block);
        }
        // Tickets through uncovered t-subsets until all are covered: the start. Without a
        // symmetry it is finished even after the time is up, so there is always a covering.
        while (!m_uncovered.empty()) {
            if (stopRequested() && (m_cancelled || !symmetry.none()))
                return !m_cancelled;
            addColumn(bestColumnThrough(m_rep[randomUncovered()], 0));
        }
        quint64 steps = 0;
        size_t lastAdded = size_t(-1);
        for (;;) {
            while (m_uncovered.empty()) {
                record(best);
                if (qint64(best.size()) <= stop || m_blocks.size() == 1)
                    return true;
                removeColumn(weakestColumn(size_t(-1)));
            }
            if ((++steps & 63) == 0 && stopRequested())
                return !m_cancelled;
            const size_t weakest = weakestColumn(m_blocks.size() > 1 ? lastAdded : size_t(-1));
            const quint64 removed = m_blocks[weakest];
            removeColumn(weakest);
            addColumn(bestColumnThrough(m_rep[randomUncovered()], removed));
            lastAdded = m_blocks.size() - 1;
            m_stamp[lastAdded] = steps;
            for (const quint32 row : m_uncovered)
                ++m_weight[row];
        }
    }

    bool cancelled() const { return m_cancelled; }
    double elapsed() const { return std::chrono::duration<double>(Clock::now() - m_start).count(); }

private:
    bool stopRequested()
    {
        if (m_options.cancel && m_options.cancel->load(std::memory_order_relaxed))
            m_cancelled = true;
        const double now = elapsed();
        if (m_options.progress && now - m_lastReport >= 0.1 && m_bestSize > 0)
            report(now);
        return m_cancelled || now >= m_until;
    }

    void report(double now)
    {
        m_lastReport = now;
        if (m_options.progress)
            m_options.progress(Progress{m_bestSize, now});
    }

    // The rows: every t-subset, or with a symmetry every orbit of t-subsets.
    void setUpRows()
    {
        const quint64 subsets = quint64(Combinatorics::binomial(m_v, m_t));
        m_rowOf.assign(subsets, 0);
        m_rep.clear();
        if (m_symmetry.none()) {
            for (quint64 r = 0; r < subsets; ++r) {
                m_rowOf[r] = quint32(r);
                m_rep.push_back(Combinatorics::colexUnrank(r, m_t));
            }
        } else {
            std::vector<bool> seen(subsets, false);
            std::vector<quint64> images;
            for (quint64 r = 0; r < subsets; ++r) {
                if (seen[r])
                    continue;
                const quint32 row = quint32(m_rep.size());
                images.clear();
                m_symmetry.orbit(Combinatorics::colexUnrank(r, m_t), images);
                m_rep.push_back(images.front());
                for (const quint64 image : images) {
                    const quint64 rank = Combinatorics::colexRank(image);
                    seen[rank] = true;
                    m_rowOf[rank] = row;
                }
            }
        }
        const size_t rows = m_rep.size();
        m_weight.assign(rows, 1);
        m_count.assign(rows, 0);
        m_sole.assign(rows, 0);
        m_where.assign(rows, -1);
        m_uncovered.clear();
        for (size_t row = 0; row < rows; ++row) {
            m_where[row] = qint32(m_uncovered.size());
            m_uncovered.push_back(quint32(row));
        }
        m_blocks.clear();
        m_loss.clear();
        m_stamp.clear();
    }

    quint32 randomUncovered() { return m_uncovered[m_random.below(m_uncovered.size())]; }

    // The distinct rows a ticket covers, into m_rows.
    void rowsOf(quint64 block)
    {
        m_rows.clear();
        Combinatorics::forEachSubset(block, m_t,
                                     [&](quint64 subset) { m_rows.push_back(m_rowOf[Combinatorics::colexRank(subset)]); });
        if (!m_symmetry.none()) {
            std::sort(m_rows.begin(), m_rows.end());
            m_rows.erase(std::unique(m_rows.begin(), m_rows.end()), m_rows.end());
        }
    }

    void cover(quint32 row)
    {
        const qint32 at = m_where[row];
        const quint32 last = m_uncovered.back();
        m_uncovered[size_t(at)] = last;
        m_where[last] = at;
        m_uncovered.pop_back();
        m_where[row] = -1;
    }
    void uncover(quint32 row)
    {
        m_where[row] = qint32(m_uncovered.size());
        m_uncovered.push_back(row);
    }

    // m_loss[i]: the weight of the rows only ticket i covers; m_sole[row]: the xor of the
    // tickets covering the row, which is the one ticket when the count is 1.
    void addColumn(quint64 block)
    {
        const quint32 index = quint32(m_blocks.size());
        m_blocks.push_back(block);
        m_loss.push_back(0);
        m_stamp.push_back(0);
        rowsOf(block);
        for (const quint32 row : m_rows) {
            if (m_count[row] == 0) {
                m_loss[index] += m_weight[row];
                cover(row);
            } else if (m_count[row] == 1) {
                m_loss[m_sole[row]] -= m_weight[row];
            }
            ++m_count[row];
            m_sole[row] ^= index;
        }
    }

    void removeColumn(size_t index)
    {
        rowsOf(m_blocks[index]);
        for (const quint32 row : m_rows) {
            --m_count[row];
            m_sole[row] ^= quint32(index);
            if (m_count[row] == 0)
                uncover(row);
            else if (m_count[row] == 1)
                m_loss[m_sole[row]] += m_weight[row];
        }
        // The last ticket takes the freed place.
        const size_t last = m_blocks.size() - 1;
        if (index != last) {
            rowsOf(m_blocks[last]);
            for (const quint32 row : m_rows)
                m_sole[row] ^= quint32(last) ^ quint32(index);
            m_blocks[index] = m_blocks[last];
            m_loss[index] = m_loss[last];
            m_stamp[index] = m_stamp[last];
        }
        m_blocks.pop_back();
        m_loss.pop_back();
        m_stamp.pop_back();
    }

    // The ticket whose loss uncovers the least weight (the oldest among equals), not `spare`.
    size_t weakestColumn(size_t spare) const
    {
        size_t pick = size_t(-1);
        for (size_t i = 0; i < m_blocks.size(); ++i) {
            if (i == spare)
                continue;
            if (pick == size_t(-1) || m_loss[i] < m_loss[pick] ||
                (m_loss[i] == m_loss[pick] && m_stamp[i] < m_stamp[pick]))
                pick = i;
        }
        return pick;
    }

    // Among the tickets through `through`, the one covering the most uncovered weight (a
    // random one among equals), other than `avoid`.
    quint64 bestColumnThrough(quint64 through, quint64 avoid)
    {
        qint64 bestScore = -1;
        quint64 bestBlock = 0;
        quint32 ties = 0;
        Combinatorics::forEachSubset(m_all & ~through, m_k - m_t, [&](quint64 rest) {
            const quint64 block = through | rest;
            if (block == avoid)
                return;
            rowsOf(block);
            qint64 score = 0;
            for (const quint32 row : m_rows)
                score += m_count[row] == 0 ? m_weight[row] : 0;
            if (score > bestScore) {
                bestScore = score;
                bestBlock = block;
                ties = 1;
            } else if (score == bestScore && m_random.below(++ties) == 0) {
                bestBlock = block;
            }
        });
        return bestScore < 0 ? avoid : bestBlock;
    }

    // Keeps the current covering when it is smaller than the best, as point tickets.
    void record(std::vector<quint64> &best)
    {
        std::vector<quint64> tickets;
        for (const quint64 block : m_blocks) {
            if (m_symmetry.none())
                tickets.push_back(block);
            else
                m_symmetry.orbit(block, tickets);
        }
        std::sort(tickets.begin(), tickets.end());
        tickets.erase(std::unique(tickets.begin(), tickets.end()), tickets.end());
        if (best.empty() || tickets.size() < best.size()) {
            best = std::move(tickets);
            m_bestSize = qint64(best.size());
            report(elapsed());
        }
    }

    const int m_v;
    const int m_k;
    const int m_t;
    const Options &m_options;
    Random &m_random;
    const Clock::time_point m_start;
    const quint64 m_all;
    Symmetry m_symmetry;
    double m_until = 0;
    double m_lastReport = 0;
    bool m_cancelled = false;
    qint64 m_bestSize = 0;
    std::vector<quint32> m_rowOf;
    std::vector<quint64> m_rep;
    std::vector<qint64> m_weight;
    std::vector<quint32> m_count;
    std::vector<quint32> m_sole;
    std::vector<qint32> m_where;
    std::vector<quint32> m_uncovered;
    std::vector<quint32> m_rows;
    std::vector<quint64> m_blocks;
    std::vector<qint64> m_loss;
    std::vector<quint64> m_stamp;
};

// Symmetries worth a try for v positions: up to five cycles of one length (3 or more) and up
// to three fixed points.
std::vector<Symmetry> symmetries(int v)
{
    std::vector<Symmetry> out;
    const auto identity = [] {
        Symmetry::Permutation g{};
        for (size_t i = 0; i < g.size(); ++i)
            g[i] = quint8(i);
        return g;
    };
    for (int cycles = 1; cycles <= 5; ++cycles) {
        for (int fixed = 0; fixed <= 3 && fixed < v; ++fixed) {
            const int length = (v - fixed) / cycles;
            if ((v - fixed) % cycles != 0 || length < 3)
                continue;
            Symmetry::Permutation g = identity();
            for (int p = 0; p < length * cycles; ++p)
                g[size_t(p)] = quint8(p - p % length + (p % length + 1) % length);
            out.push_back(Symmetry{{g}});
        }
    }
    return out;
}

} // namespace

Result search(int v, int k, int t, const Options &options)
{
    Result result;
    if (v < 1 || v > Combinatorics::kMaxPool || t < 1 || t > k || k > v ||
        quint64(Combinatorics::binomial(v, t)) > Covering::kMaxSubsets)
        return result;
    const Clock::time_point start = Clock::now();
    Random random(options.seed ? options.seed : quint64(start.time_since_epoch().count()));
    const qint64 stop = std::max(Covering::lowerBound(v, k, t), options.stopAt);
    std::vector<quint64> best;
    Search search(v, k, t, options, random, start);

    // A tenth of the time for the plain search, which settles small pools at once; then
    // nearly half for the symmetric searches in equal shares; the plain search takes the rest,
    // starting from the best covering so far.
    bool going = search.run(Symmetry{}, options.seconds / 10, stop, best);
    const std::vector<Symmetry> tries = t < k ? symmetries(v) : std::vector<Symmetry>();
    const double from = options.seconds / 10;
    const double share = options.seconds * 0.45 / double(std::max<size_t>(tries.size(), 1));
    for (size_t i = 0; i < tries.size() && going && qint64(best.size()) > stop; ++i) {
        const double until = from + share * double(i + 1);
        // A large start may have used up the shares of the first tries.
        if (search.elapsed() < until)
            going = search.run(tries[i], until, stop, best);
    }
    if (going && qint64(best.size()) > stop && search.elapsed() < options.seconds)
        search.run(Symmetry{}, options.seconds, stop, best);

    result.cancelled = search.cancelled();
    result.tickets = QList<quint64>(best.begin(), best.end());
    std::sort(result.tickets.begin(), result.tickets.end(), [](quint64 a, quint64 b) {
        // Lexicographic order of the positions, as the tickets are read.
        const quint64 diff = a ^ b;
        return (a & (diff & (~diff + 1))) != 0;
    });
    result.elapsedSeconds = search.elapsed();
    return result;
}

} // namespace CoveringSearch
