#include "combinations/guarantee.h"

#include "core/combinatorics.h"

#include <QThread>

#include <algorithm>
#include <array>
#include <bit>
#include <new>
#include <system_error>
#include <thread>

namespace Guarantee {

namespace {

// Draws are enumerated in lexicographic order as a prefix of picks-1 positions and a last
// position. Along the prefix each ticket's match count is kept as bit-sliced counters (plane i
// holds bit i of every ticket's count, 64 tickets to a word), so extending the prefix by one
// position costs a few word operations per 64 tickets. At a full prefix the tickets with the
// highest count M (set S) and with M-1 (set R) are found once; then each last position x is
// decided by a test or two of bitsets: best = M+1 with the first ticket of S holding x, or else
// best = M with the earlier of S's first ticket and R's first ticket holding x.
constexpr int kSplitDepth = 2;

// Gives each array cache lines of its own. The workers' counters are written in the innermost
// loop; in neighbouring heap blocks two cores fought over the lines they shared, and a run took
// up to three times as long, depending on where the heap happened to place them.
template<typename T>
struct OwnLines
{
    using value_type = T;
    static constexpr std::size_t kLine = 64;

    OwnLines() = default;
    template<typename U>
    OwnLines(const OwnLines<U> &) {}

    T *allocate(std::size_t n)
    {
        // A spare line at the end keeps the heap's own bookkeeping off the last one.
        const std::size_t bytes = (n * sizeof(T) + kLine - 1) / kLine * kLine + kLine;
        return static_cast<T *>(::operator new(bytes, std::align_val_t(kLine)));
    }
    void deallocate(T *p, std::size_t) { ::operator delete(p, std::align_val_t(kLine)); }
    template<typename U>
    bool operator==(const OwnLines<U> &) const { return true; }
};

template<typename T>
using WorkerArray = std::vector<T, OwnLines<T>>;

struct Plan
{
    int n = 0;
    int k = 0;
    int tickets = 0;
    int words = 0;   // 64-bit words per ticket bitset
    int planes = 0;  // bits of a match count below k
    std::vector<quint64> holders;  // holders[x * words + w]: tickets holding position x
    std::vector<quint64> valid;    // bits of real tickets (the last word is partly padding)
    int depth = 0;                 // prefix positions fixed per work item
    std::vector<std::array<int, kSplitDepth>> items;
    std::vector<qint64> itemDraws;
};

Plan makePlan(const Input &input)
{
    Plan p;
    p.n = input.pool;
    p.k = input.picks;
    p.tickets = int(input.tickets.size());
    p.words = (p.tickets + 63) / 64;
    p.planes = std::max(1, int(std::bit_width(unsigned(p.k - 1))));
    p.holders.assign(size_t(p.n) * size_t(p.words), 0);
    for (int t = 0; t < p.tickets; ++t) {
        for (quint64 rest = input.tickets[size_t(t)]; rest != 0; rest &= rest - 1) {
            const int x = std::countr_zero(rest);
            p.holders[size_t(x) * size_t(p.words) + size_t(t / 64)] |= quint64(1) << (t % 64);
        }
    }
    p.valid.assign(size_t(p.words), ~quint64(0));
    if (p.tickets % 64 != 0)
        p.valid.back() = (quint64(1) << (p.tickets % 64)) - 1;

    // Work items: the first one or two positions of the draws, largest share first.
    p.depth = std::min(kSplitDepth, p.k - 1);
    if (p.depth == 0) {
        p.items.push_back({});
        p.itemDraws.push_back(Combinatorics::binomial(p.n, p.k));
    } else if (p.depth == 1) {
        for (int a = 0; a <= p.n - p.k; ++a) {
            p.items.push_back({a, 0});
            p.itemDraws.push_back(Combinatorics::binomial(p.n - 1 - a, p.k - 1));
        }
    } else {
        for (int a = 0; a <= p.n - p.k; ++a) {
            for (int b = a + 1; b <= p.n - p.k + 1; ++b) {
                p.items.push_back({a, b});
                p.itemDraws.push_back(Combinatorics::binomial(p.n - 1 - b, p.k - 2));
            }
        }
    }
    return p;
}

// Counts the draws of work items into its own table. kWords > 0 fixes the bitset length at
// compile time, so the common small ticket sets run in registers.
template<int kWords>
class Worker
{
public:
    Worker(const Plan &plan, const std::atomic<bool> *cancel)
        : credited(size_t(plan.tickets) * size_t(plan.k + 1), 0)
        , m_p(plan)
        , m_cancel(cancel)
        , m_stride(size_t(plan.planes) * size_t(plan.words))
        , m_planes(size_t(plan.k) * m_stride, 0)
        , m_top(size_t(plan.words))
        , m_next(size_t(plan.words))
        , m_scratch(size_t(plan.words))
    {
    }

    // Counts the draws of one work item; false when the run was cancelled meanwhile.
    bool run(size_t item)
    {
        for (int level = 0; level < m_p.depth; ++level)
            extend(level, m_p.items[item][size_t(level)]);
        descend(m_p.depth, m_p.depth == 0 ? 0 : m_p.items[item][size_t(m_p.depth - 1)] + 1);
        return !m_stopped;
    }

    // credited[ticket * (picks + 1) + best match count], over the items this worker ran.
    WorkerArray<qint64> credited;

private:
    int words() const { return kWords > 0 ? kWords : m_p.words; }

    // Counters of prefix level+1 = those of level plus the tickets holding position x.
    void extend(int level, int x)
    {
        const quint64 *src = m_planes.data() + size_t(level) * m_stride;
        quint64 *dst = m_planes.data() + size_t(level + 1) * m_stride;
        const quint64 *h = m_p.holders.data() + size_t(x) * size_t(m_p.words);
        const int words = this->words();
        for (int w = 0; w < words; ++w) {
            quint64 carry = h[w];
            for (int i = 0; i < m_p.planes; ++i) {
                const quint64 s = src[i * words + w];
                dst[i * words + w] = s ^ carry;
                carry &= s;
            }
        }
    }

    void descend(int level, int start)
    {
        if (level == m_p.k - 1) {
            lastPosition(start);
            return;
        }
        const int last = m_p.n - m_p.k + level;
        for (int x = start; x <= last && !m_stopped; ++x) {
            extend(level, x);
            descend(level + 1, x + 1);
        }
    }

    // Every draw made of the current full prefix and one position from `start` on.
    void lastPosition(int start)
    {
        if (m_cancel && m_cancel->load(std::memory_order_relaxed)) {
            m_stopped = true;
            return;
        }
        const int words = this->words();
        const quint64 *planes = m_planes.data() + size_t(m_p.k - 1) * m_stride;
        quint64 *top = m_top.data();
        quint64 *scratch = m_scratch.data();

        // The highest count M and the tickets that have it, one plane at a time from the top.
        for (int w = 0; w < words; ++w)
            top[w] = m_p.valid[size_t(w)];
        int best = 0;
        for (int i = m_p.planes - 1; i >= 0; --i) {
            const quint64 *plane = planes + i * words;
            quint64 any = 0;
            for (int w = 0; w < words; ++w) {
                scratch[w] = top[w] & plane[w];
                any |= scratch[w];
            }
            if (any != 0) {
                for (int w = 0; w < words; ++w)
                    top[w] = scratch[w];
                best |= 1 << i;
            }
        }
        int firstTop = 0;
        while (top[firstTop] == 0)
            ++firstTop;
        const int firstWord = firstTop;
        firstTop = firstWord * 64 + std::countr_zero(top[firstWord]);

        // Tickets one match behind. A long ticket list needs them only up to the first top
        // ticket; a short one takes every word so each draw is decided without branches.
        quint64 *next = m_next.data();
        const int nextWords = kWords > 0 ? words : firstWord + 1;
        const int below = best - 1;
        for (int w = 0; w < nextWords; ++w) {
            quint64 eq = best > 0 ? m_p.valid[size_t(w)] : 0;
            for (int i = 0; i < m_p.planes; ++i) {
                const quint64 plane = planes[i * words + w];
                eq &= (below >> i) & 1 ? plane : ~plane;
            }
            next[w] = eq;
        }

        const int stride = m_p.k + 1;
        qint64 *credit = credited.data();
        if constexpr (kWords > 0) {
            constexpr int none = kWords * 64;
            for (int x = start; x < m_p.n; ++x) {
                const quint64 *h = m_p.holders.data() + size_t(x) * size_t(kWords);
                // First ticket scoring best+1 (a top ticket holding x), and first scoring best.
                int up = none;
                int level = none;
                for (int w = kWords - 1; w >= 0; --w) {
                    const quint64 a = top[w] & h[w];
                    const quint64 b = top[w] | (next[w] & h[w]);
                    up = a != 0 ? w * 64 + std::countr_zero(a) : up;
                    level = b != 0 ? w * 64 + std::countr_zero(b) : level;
                }
                ++credit[up != none ? up * stride + best + 1 : level * stride + best];
            }
            return;
        }
        for (int x = start; x < m_p.n; ++x) {
            const quint64 *h = m_p.holders.data() + size_t(x) * size_t(words);
            int w = 0;
            while (w < words && (top[w] & h[w]) == 0)
                ++w;
            if (w < words) {
                const int ticket = w * 64 + std::countr_zero(top[w] & h[w]);
                ++credit[ticket * stride + best + 1];
                continue;
            }
            int ticket = firstTop;
            for (int v = 0; v <= firstWord; ++v) {
                quint64 hit = next[v] & h[v];
                if (v == firstWord)
                    hit &= (quint64(1) << (firstTop % 64)) - 1;
                if (hit != 0) {
                    ticket = v * 64 + std::countr_zero(hit);
                    break;
                }
            }
            ++credit[ticket * stride + best];
        }
    }

    const Plan &m_p;
    const std::atomic<bool> *m_cancel;
    size_t m_stride;
    WorkerArray<quint64> m_planes;  // counters per prefix level, planes x words each
    WorkerArray<quint64> m_top;
    WorkerArray<quint64> m_next;
    WorkerArray<quint64> m_scratch;
    bool m_stopped = false;
};

template<int kWords>
std::optional<Result> runWorkers(const Plan &plan, int threads, const Options &options)
{
    const qint64 total = Combinatorics::binomial(plan.n, plan.k);
    std::atomic<size_t> nextItem{0};
    std::atomic<qint64> done{0};
    std::atomic<bool> stopped{false};
    auto work = [&](Worker<kWords> &worker, bool reporting) {
        for (;;) {
            if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
                stopped = true;
                return;
            }
            const size_t item = nextItem.fetch_add(1);
            if (item >= plan.items.size())
                return;
            if (!worker.run(item)) {
                stopped = true;
                return;
            }
            const qint64 now = done.fetch_add(plan.itemDraws[item]) + plan.itemDraws[item];
            if (reporting && options.progress)
                options.progress(now, total);
        }
    };

    std::vector<Worker<kWords>> workers;
    workers.reserve(size_t(threads));
    for (int t = 0; t < threads; ++t)
        workers.emplace_back(plan, options.cancel);
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(work, std::ref(workers[size_t(t)]), false);
        } catch (const std::system_error &) {
            break;  // fewer threads, same counts
        }
    }
    work(workers[0], true);
    for (std::thread &helper : helpers)
        helper.join();
    if (stopped || (options.cancel && options.cancel->load()))
        return std::nullopt;

    Result result;
    result.picks = plan.k;
    result.pool = plan.n;
    result.draws = total;
    result.credited.assign(workers[0].credited.size(), 0);
    for (const Worker<kWords> &worker : workers) {
        for (size_t i = 0; i < result.credited.size(); ++i)
            result.credited[i] += worker.credited[i];
    }
    if (options.progress)
        options.progress(total, total);
    return result;
}

} // namespace

bool isValid(const Input &input)
{
    if (input.picks < 1 || input.pool < input.picks || input.pool > Combinatorics::kMaxPool || input.tickets.empty())
        return false;
    const quint64 inside = Combinatorics::firstPositions(input.pool);
    return std::all_of(input.tickets.begin(), input.tickets.end(), [&](quint64 t) {
        return (t & ~inside) == 0 && std::popcount(t) == input.picks;
    });
}

std::optional<Result> CalcGuarantee(const Input &input, const Options &options)
{
    if (!isValid(input))
        return std::nullopt;
    const Plan plan = makePlan(input);
    const qint64 total = Combinatorics::binomial(plan.n, plan.k);
    int threads = options.threads > 0 ? options.threads : QThread::idealThreadCount();
    // Below this much work a helper thread costs more than it saves.
    if (double(total) * plan.words < 50000.0)
        threads = 1;
    threads = std::clamp(threads, 1, int(plan.items.size()));

    switch (plan.words) {
    case 1:
        return runWorkers<1>(plan, threads, options);
    case 2:
        return runWorkers<2>(plan, threads, options);
    case 3:
        return runWorkers<3>(plan, threads, options);
    case 4:
        return runWorkers<4>(plan, threads, options);
    default:
        return runWorkers<0>(plan, threads, options);
    }
}

} // namespace Guarantee
