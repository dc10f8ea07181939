#include "core/prizetier.h"

#include "core/drawrecord.h"
#include "core/gamerules.h"

namespace PrizeTier {

Match match(const GameRules &rules, const DrawRecord &draw, const QList<int> &numbers)
{
    Match match;
    for (const int n : numbers) {
        // The same number twice in a draw's cells counts as often as it stands there.
        for (int i = 0; i < draw.picks; ++i) {
            if (draw.numbers[size_t(i)] == n)
                ++match.mainMatches;
        }
        if (draw.bonus == n)
            match.bonusMatched = true;
    }
    match.rank = rules.tierFor(match.mainMatches, match.bonusMatched);
    return match;
}

} // namespace PrizeTier
