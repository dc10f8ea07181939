#include "cli.h"

#include "combinations/combinationtable.h"
#include "combinations/guarantee.h"
#include "combinations/guaranteetable.h"
#include "combinations/patternavailability.h"
#include "combinations/patternfile.h"
#include "combinations/poollist.h"
#include "combinations/ticketsheet.h"
#include "core/appfiles.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "core/tablewriter.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace cli {

namespace {
qint64 countOption(const Args &args, const QString &option)
{
    const std::optional<qint64> n = parseNumber(args.value(option));
    if (!n)
        throw UsageError{option + u" takes a whole number"_s};
    return *n;
}

// The boxes clicked in the order given: each number joins the end of the pool list.
PoolList poolOption(const Args &args, int picks)
{
    if (!args.has(u"--pool"_s))
        throw UsageError{u"missing --pool"_s};
    const int maxNo = GameRules::of(picks).maxNo();
    PoolList pool(picks);
    const QStringList parts = args.value(u"--pool"_s).split(QRegularExpression(u"[\\s,]+"_s), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const std::optional<qint64> n = parseNumber(part);
        if (!n || *n < 1 || *n > maxNo)
            throw UsageError{u"--pool takes numbers from 1 to "_s + QString::number(maxNo)};
        if (pool.indexOf(int(*n)) >= 0)
            throw UsageError{u"--pool names "_s + part + u" twice"_s};
        pool.append(int(*n));
    }
    return pool;
}
} // namespace

int runCombos(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--game"_s, u"--pool"_s, u"--keys"_s, u"--rows"_s, u"--patterns"_s}, {});
    args.expectPositionalCount(0, 0);
    const int picks = gameOption(args);
    PoolList pool = poolOption(args, picks);
    if (args.has(u"--keys"_s)) {
        const qint64 keys = countOption(args, u"--keys"_s);
        if (keys > pool.size())
            throw UsageError{u"--keys is larger than the pool"_s};
        // Ticking a key beyond a ticket's count is undone at once.
        for (int i = 0; i < int(keys); ++i)
            pool.markKey(i);
    }
    const qint64 shownRows = args.has(u"--rows"_s) ? countOption(args, u"--rows"_s) : -1;

    const CombinationTable table(pool.numbers(), picks, pool.keyCount());
    out.section(u"FormCombList"_s, u"MSFlexGrid1"_s);
    TableWriter tsv(&out, TableWriter::Format::Tsv);
    const qint64 last = shownRows < 0 ? table.rowCount() : std::min(shownRows, table.rowCount());
    for (qint64 r = 0; r <= last; ++r) {
        for (int c = 0; c < table.gridColumns(); ++c)
            tsv.addCell(table.cellText(r, c));
        tsv.endRow();
    }
    out.section(u"FormCombList"_s, u"StatusBar1.2"_s);
    out.line(selectionStatusText(table.gridColumns(), table.gridRows()));
    if (args.has(u"--patterns"_s)) {
        out.section(u"FormCombList"_s, u"StatusBar1.3"_s);
        out.line(CheckPatternFiles(args.value(u"--patterns"_s), picks, pool.size(), pool.keyCount()).statusText);
    }
    return 0;
}

int runGuarantee(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--game"_s, u"--pattern"_s}, {});
    args.expectPositionalCount(0, 0);
    const int picks = gameOption(args);
    const PatternInput read = patternOption(args);
    const PatternFile::Wheel &wheel = read.wheel;
    // The pool the file was made for, chosen in the boxes; the grid has no number columns while
    // the pool is smaller than a ticket.
    const int chosen = std::min(wheel.pool, GameRules::of(picks).maxNo());
    QList<int> numbers;
    if (chosen >= picks) {
        for (int i = 1; i <= chosen; ++i)
            numbers.append(i);
    }
    TicketSheet sheet;
    sheet.setHeader(numbers);
    sheet.load(PatternFile::parse(read.bytes, sheet.positions()).tickets);

    // No ticket or an incomplete one: the calculation stops without a word.
    const std::optional<Guarantee::Input> input = sheet.guaranteeInput(picks);
    if (!input)
        return 0;
    const std::optional<Guarantee::Result> result = Guarantee::CalcGuarantee(*input);
    if (!result)
        return 0;
    out.section(u"FormCombList"_s, u"ListView2"_s);
    out.list(GuaranteeTable::headers(picks), GuaranteeTable::texts(*result));
    return 0;
}

} // namespace cli
