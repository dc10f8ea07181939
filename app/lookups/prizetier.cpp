#include "lookups/prizetier.h"

#include "core/game.h"
#include "core/drawrecord.h"

using namespace Qt::StringLiterals;

namespace PrizeTier {

QString Tier::label() const
{
    return PrizeTier::label(rank);
}

int tierCount(int runMode)
{
    return runMode == Game::Loto6 ? 5 : runMode == Game::MiniLoto ? 4 : 0;
}

QString label(int rank)
{
    static const QString labels[] = {u"１等"_s, u"２等"_s, u"３等"_s, u"４等"_s, u"５等"_s};
    return rank >= 1 && rank <= 5 ? labels[rank - 1] : QString();
}

int moneyColumn(int runMode, int rank)
{
    if (rank < 1 || rank > tierCount(runMode))
        return 0;
    // Winners and prize of each tier stand side by side after the bonus column.
    return Game::bonusColumn(runMode) + 2 * rank;
}

int amountWidth(int runMode)
{
    const int column = moneyColumn(runMode, 1);
    return column > 0 ? drawColumns(runMode).value(column).width : 0;
}

Tier tierFor(int runMode, int mainMatches, bool bonusMatched)
{
    const int picks = runMode;  // main numbers per draw
    if (tierCount(runMode) == 0 || mainMatches < 3 || mainMatches > picks)
        return {};
    int rank = 0;
    if (mainMatches == picks)
        rank = 1;
    else if (mainMatches == picks - 1)
        rank = bonusMatched ? 2 : 3;
    else
        rank = picks - mainMatches + 2;  // the bonus never lifts the lower tiers
    return {rank, moneyColumn(runMode, rank)};
}

DrawMatch matchDraw(const DrawRecord &draw, const QList<int> &numbers)
{
    DrawMatch match;
    for (const int n : numbers) {
        // The same number twice in a draw's cells counts as often as it stands there.
        for (int i = 0; i < draw.picks; ++i) {
            if (draw.numbers[size_t(i)] == n)
                ++match.mainMatches;
        }
        if (draw.bonus == n)
            match.bonusMatched = true;
    }
    return match;
}

} // namespace PrizeTier
