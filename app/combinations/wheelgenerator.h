#pragma once

#include "combinations/coveringsearch.h"
#include "combinations/patternfolder.h"

#include <QList>
#include <QString>
#include <QStringList>

// The pattern manager's wheel generator: a small set of tickets over the pool positions such
// that, when the winning numbers fall inside the pool (the key numbers among them), some ticket
// reaches the chosen tier. The c key positions 1..c are on every ticket; the other positions
// are covered by a search for (k-c)-subsets covering every (t-c)-subset.
namespace WheelGenerator {

// The time budget the manager offers first.
constexpr double kDefaultSeconds = 10;
// More tickets than this are not listed (a full wheel over a large pool).
constexpr qint64 kMaxTickets = 200000;

// Numbers a ticket must share with the draw for the tier: LOTO6 1st 6, 3rd 5, 4th 4, 5th 3;
// miniLOTO 1st 5, 3rd 4, 4th 3. 0 when the game has no such tier.
int matchesForTier(int picks, int tier);

struct Plan
{
    QString warning;          // refused request: the message box text
    int picks = 0;            // k
    int matches = 0;          // t
    int pool = 0;             // n
    int keys = 0;             // c
    qint64 lowerBound = 0;    // no wheel for the request has fewer tickets
    qint64 bestKnown = -1;    // the smallest wheel known, -1 when unknown
    bool ok() const { return warning.isEmpty(); }
};
// Checks the request (picks 5 or 6, the game's tiers, pool and key count) and gives its bounds.
Plan plan(const PatternFolder::Request &request);

struct Result
{
    Plan plan;
    QList<quint64> tickets;   // bit p-1 = pool position p; empty when refused or cancelled early
    bool cancelled = false;
    double elapsedSeconds = 0;
    bool ok() const { return plan.ok() && !tickets.isEmpty(); }
};

// Runs the search on the calling thread within options.seconds; the search also ends when it
// reaches the lower bound or the best known size. options.progress and options.cancel are used
// as given.
Result generate(const PatternFolder::Request &request, CoveringSearch::Options options);

// One line per ticket, its positions ascending, separated by blanks: the source the convert takes.
QStringList sourceLines(const QList<quint64> &tickets);

} // namespace WheelGenerator
