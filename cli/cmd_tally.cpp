#include "cli.h"

#include "core/drawtable.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "graphs/frequency.h"
#include "lookups/tally.h"
#include "lookups/tallyresultrows.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {
// The tier boxes to tick, as digits "12345"; only the game's boxes can be ticked.
std::array<bool, Tally::kMaxTiers> tickedTiers(const QString &digits, int runMode)
{
    std::array<bool, Tally::kMaxTiers> ticked{};
    const int tiers = GameRules::of(runMode).tierCount();
    for (const QChar c : digits) {
        const int rank = c.unicode() - u'0';
        if (rank < 1 || rank > tiers)
            throw UsageError{u"--tiers takes digits from 1 to %1"_s.arg(tiers)};
        ticked[size_t(rank - 1)] = true;
    }
    return ticked;
}
} // namespace

int runTally(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--select"_s, u"--tiers"_s, u"--amount"_s}, {u"--merge"_s});
    args.expectPositionalCount(1, 1);
    DrawTable table;
    const int runMode = loadAnalysisSet(args, table);

    Tally::Settings settings;
    settings.runMode = runMode;
    // The window starts with every tier box ticked.
    if (args.has(u"--tiers"_s))
        settings.tiers = tickedTiers(args.value(u"--tiers"_s), runMode);
    else
        settings.tiers.fill(true);
    settings.merge = args.has(u"--merge"_s);
    settings.amountText =
        args.has(u"--amount"_s) ? typedDigits(args.value(u"--amount"_s), u" ") : Tally::defaultAmountText(runMode);

    const Tally::Plan plan = Tally::plan(table, settings);
    switch (plan.outcome) {
    case Tally::Outcome::EmptyTable:
    case Tally::Outcome::NothingSelected:
        return 0;  // the window changes nothing
    case Tally::Outcome::AmountUnreadable:
        throw Refused{Tally::amountMessage()};
    case Tally::Outcome::NoTier:
        // The table empties; the sub-graph stays hidden.
        out.section(u"FormWay"_s, u"ListView1"_s);
        out.list(Tally::headers(runMode), QList<QStringList>{});
        return 0;
    case Tally::Outcome::Ready:
        break;
    }

    const Tally::Result result = Tally::run(plan);
    const TallyResultRows rows(result);
    out.section(u"FormWay"_s, u"ListView1"_s);
    out.list(Tally::headers(runMode), rows, Tally::columnCount(runMode));
    if (result.leftOut > 0) {
        out.section(u"FormWay"_s, u"Label1"_s);
        out.line(Tally::leftOutText(result.leftOut));
    }

    // The sub-graph counts the number columns of every listed combination.
    const int maxNo = GameRules::of(runMode).maxNo();
    const NumberCounts counts = countNumbers(rows, 1, runMode, maxNo);
    const FrequencyTable ranked = rankNumbers(counts, runMode, maxNo);
    out.section(u"FormWay"_s, u"Graph.ListView1"_s);
    if (ranked.rows.isEmpty()) {
        out.line(QString());
    } else {
        QList<QStringList> lines;
        for (const FrequencyRow &row : ranked.rows)
            lines.append(row.cells());
        out.list(frequencyHeaders(ranked.shareHeader), lines);
    }
    return 0;
}

} // namespace cli
