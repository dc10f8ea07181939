#include "combinations/wheelgenerator.h"

#include "combinations/bestknown.h"
#include "combinations/covering.h"
#include "core/combinatorics.h"
#include "core/gamerules.h"

#include <bit>

using namespace Qt::StringLiterals;

namespace WheelGenerator {

int matchesForTier(int picks, int tier)
{
    // A wheel guarantees main numbers only: a tier that needs the bonus is none of its tiers.
    const GameRules::Tier *rule = GameRules::of(picks).tier(tier);
    return rule && !rule->needsBonus ? rule->mainMatches : 0;
}

Plan plan(const PatternFolder::Request &request)
{
    Plan p;
    p.picks = request.picks;
    p.pool = request.pool;
    p.keys = request.keys;
    p.matches = matchesForTier(request.picks, request.tier);
    const GameRules &rules = GameRules::of(request.picks);
    if (!rules.isGame()) {
        p.warning = u"ゲームを選んでください。"_s;
    } else if (p.matches == 0) {
        p.warning = u"%1に%2等はありません。"_s.arg(rules.name()).arg(request.tier);
    } else if (request.pool < request.picks || request.pool > rules.maxNo()) {
        p.warning = u"%1の選択数は%2から%3までにしてください。"_s.arg(rules.name()).arg(request.picks).arg(rules.maxNo());
    } else if (request.keys < 0 || request.keys > request.picks) {
        p.warning = u"Key数字数は0から%1までにしてください。"_s.arg(request.picks);
    }
    if (!p.ok())
        return p;

    const int v = p.pool - p.keys;
    const int k = p.picks - p.keys;
    const int t = p.matches - p.keys;
    p.lowerBound = Covering::lowerBound(v, k, t);
    p.bestKnown = t <= 0 ? 1 : BestKnown::size(v, k, t);
    // Every (t-c)-subset needs a counter; a full wheel needs every ticket listed.
    const quint64 subsets = quint64(Combinatorics::binomial(v, t));
    if (t > 0 && (subsets > Covering::kMaxSubsets || (t == k && subsets > quint64(kMaxTickets))))
        p.warning = u"組合せが多すぎるため、この条件のパターンは作れません。"_s;
    return p;
}

namespace {
// Places the wheel of the free positions after the key positions.
QList<quint64> withKeys(const QList<quint64> &free, int keys)
{
    const quint64 keyMask = Combinatorics::firstPositions(keys);
    QList<quint64> out;
    out.reserve(free.size());
    for (const quint64 ticket : free)
        out.append((ticket << keys) | keyMask);
    return out;
}
} // namespace

Result generate(const PatternFolder::Request &request, CoveringSearch::Options options)
{
    Result result;
    result.plan = plan(request);
    if (!result.plan.ok())
        return result;
    const Plan &p = result.plan;
    const int v = p.pool - p.keys;
    const int k = p.picks - p.keys;
    const int t = p.matches - p.keys;
    QList<quint64> free;
    if (t <= 0) {
        // The keys alone reach the tier: one ticket, the keys and the first free positions.
        free.append(Combinatorics::firstPositions(k));
    } else if (t == k) {
        Combinatorics::forEachSubset(Combinatorics::firstPositions(v), k, [&](quint64 ticket) { free.append(ticket); });
    } else {
        options.stopAt = qMax(options.stopAt, p.bestKnown);
        const CoveringSearch::Result found = CoveringSearch::search(v, k, t, options);
        free = found.tickets;
        result.cancelled = found.cancelled;
        result.elapsedSeconds = found.elapsedSeconds;
    }
    result.tickets = withKeys(free, p.keys);
    return result;
}

QStringList sourceLines(const QList<quint64> &tickets)
{
    QStringList lines;
    lines.reserve(tickets.size());
    for (const quint64 ticket : tickets) {
        QStringList positions;
        for (quint64 bits = ticket; bits != 0; bits &= bits - 1)
            positions.append(QString::number(std::countr_zero(bits) + 1));
        lines.append(positions.join(u' '));
    }
    return lines;
}

} // namespace WheelGenerator
