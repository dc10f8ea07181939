#include "cli.h"

#include "core/drawtable.h"
#include "core/numbers.h"
#include "purchases/purchaseinput.h"
#include "purchases/purchaselist.h"

using namespace Qt::StringLiterals;

namespace cli {

int runPurchases(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {}, {});
    args.expectPositionalCount(2, 2);
    DrawTable table;
    loadDrawTable(args.positional(0, u"FILE"_s), table);

    PurchaseList list(table);
    const PurchaseFile::Result loaded = list.load(args.positional(1, u"HISTORY"_s));
    if (!loaded.ok())
        throw Refused{loaded.message};

    const PurchaseRows &rows = list.visible();
    QList<QStringList> cells;
    cells.reserve(rows.count());
    for (const PurchaseEntry &entry : rows.entries())
        cells.append(entry.cells());
    out.section(u"FormBuyHistory"_s, u"ListView1"_s);
    out.list(list.headers(), cells);
    out.section(u"FormBuyHistory"_s, u"List1"_s);
    for (const QString &set : list.numberSets())
        out.line(set);
    out.section(u"FormBuyHistory"_s, u"StatusBar1.1"_s);
    out.line(list.selectionText());
    out.section(u"FormBuyHistory"_s, u"StatusBar1.2"_s);
    out.line(list.totalsText());
    return 0;
}

int runDate(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {}, {});
    args.expectPositionalCount(2, 2);
    // The draw-number box takes digits only.
    QString box = args.positional(1, u"N"_s);
    if (!isDigits(box))
        throw UsageError{u"N must be digits"_s};
    DrawTable table;
    loadDrawTable(args.positional(0, u"FILE"_s), table);

    // A 0 typed into the box turns into 1 before the date is looked up.
    if (const std::optional<QString> corrected = PurchaseInput::correctedCountBox(box))
        box = *corrected;
    out.line(PurchaseList(table).panelDate(box));
    return 0;
}

} // namespace cli
