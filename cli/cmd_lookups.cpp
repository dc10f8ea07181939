#include "cli.h"

#include "core/drawtable.h"
#include "core/format.h"
#include "core/game.h"
#include "core/numbers.h"
#include "lookups/numbersearch.h"
#include "lookups/oldhit.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {
// The result copy of the main window: the found rows in the table's layout, all selected.
void printCopy(Output &out, const QString &caption, const DrawTable &source, const QList<int> &rows)
{
    DrawTable copy;
    copy.reset(source.runMode());
    copy.reserve(int(rows.size()));
    for (const int row : rows)
        copy.appendRowFrom(source, row);
    copy.setAllSelected(true);

    out.section(u"Copy"_s, u"Caption"_s);
    out.line(caption);
    out.section(u"Copy"_s, u"ListView1"_s);
    out.list(copy.headers(), copy, copy.columnCount());
    out.section(u"Copy"_s, u"StatusBar1.1"_s);
    out.line(Format::selectionCount(copy.selectedCount(), copy.rowCount()));
}
} // namespace

int runCheck(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--select"_s}, {});
    args.expectPositionalCount(1, 1 + OldHit::kBoxCount);
    DrawTable table;
    const int runMode = loadAnalysisSet(args, table);

    // miniLOTO hides the sixth box: nothing can be typed into it.
    if (args.positional().size() - 1 > OldHit::boxesTakingPart(runMode))
        throw UsageError{u"this game takes at most %1 numbers"_s.arg(OldHit::boxesTakingPart(runMode))};
    QStringList boxes;
    for (int i = 0; i < OldHit::kBoxCount; ++i)
        boxes.append(typedDigits(args.positional().value(1 + i)));

    // The window checks nothing against an empty table.
    if (table.rowCount() == 0)
        return 0;
    if (OldHit::hasDuplicate(boxes, runMode))
        throw Refused{OldHit::duplicateMessage()};

    const OldHit::Result result = OldHit::check(table, runMode, boxes);
    QList<QStringList> rows;
    rows.reserve(result.hits.size());
    for (const OldHit::Hit &hit : result.hits)
        rows.append(hit.cells);
    out.section(u"FormOldHit"_s, u"ListView1"_s);
    out.list(OldHit::listHeaders(), rows);
    out.section(u"FormOldHit"_s, u"Label1"_s);
    out.line(result.summary);
    printCopy(out, OldHit::copyCaption(boxes), table, result.rows());
    return 0;
}

int runSearch(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--select"_s, u"--mode"_s}, {});
    args.expectPositionalCount(2, 2);
    if (!args.has(u"--mode"_s))
        throw UsageError{u"missing --mode"_s};
    const auto mode = NumberSearch::Mode(args.choice(
        u"--mode"_s, {{u"or"_s, NumberSearch::Or}, {u"and"_s, NumberSearch::And}, {u"not"_s, NumberSearch::Not}}));

    DrawTable table;
    const int runMode = loadAnalysisSet(args, table);

    const QString typed = typedDigits(args.positional(1, u"TEXT"_s), u" ");
    // An empty box starts no search.
    if (typed.isEmpty())
        return 0;
    const NumberSearch::Parsed parsed = NumberSearch::parse(typed, runMode);
    if (!parsed.ok())
        throw Refused{parsed.error};
    const QList<int> rows =
        NumberSearch::search(table, NumberSearch::noEnd(runMode), NumberSearch::cellTexts(parsed.cleaned), mode);
    printCopy(out, NumberSearch::copyCaption(typed), table, rows);
    return 0;
}

} // namespace cli
