#include "cli.h"

#include "core/drawtable.h"
#include "core/numbers.h"
#include "purchases/purchaseinput.h"
#include "purchases/purchaselist.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace cli {

int runPurchases(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--resave"_s}, {});
    args.expectPositionalCount(2, 2);
    DrawTable table;
    loadDrawTable(args.positional(0, u"FILE"_s), table);

    PurchaseList list(table);
    const PurchaseFile::Result loaded = list.load(args.positional(1, u"HISTORY"_s));
    if (!loaded.ok())
        throw Refused{loaded.message};
    if (args.has(u"--resave"_s)) {
        const PurchaseFile::Result saved = list.save(args.value(u"--resave"_s));
        if (!saved.ok())
            throw Refused{saved.message};
    }
    // The warning the window shows after such a load; the load itself went through.
    if (!loaded.message.isEmpty()) {
        const QByteArray warning = (loaded.message + u'\n' + loaded.detail + u'\n').toUtf8();
        std::fwrite(warning.constData(), 1, size_t(warning.size()), stderr);
    }

    const PurchaseRows &rows = list.visible();
    QList<QStringList> cells;
    cells.reserve(rows.count());
    for (int r = 0; r < rows.count(); ++r)
        cells.append(rows.cells(r));
    out.section(u"FormBuyHistory"_s, u"ListView1"_s);
    out.list(list.headers(), cells);
    out.section(u"FormBuyHistory"_s, u"List1"_s);
    for (const QString &set : list.numberSets())
        out.line(set);
    out.section(u"FormBuyHistory"_s, u"StatusBar1.1"_s);
    out.line(list.selectionText());
    out.section(u"FormBuyHistory"_s, u"StatusBar1.2"_s);
    out.line(list.totalsText());
    if (list.invalidCount() > 0) {
        out.section(u"FormBuyHistory"_s, u"StatusBar1.3"_s);
        out.line(list.invalidText());
    }
    return 0;
}

int runDate(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {}, {});
    args.expectPositionalCount(2, 2);
    // The draw-number box takes digits only.
    const QString box = args.positional(1, u"N"_s);
    if (!isDigits(box))
        throw UsageError{u"N must be digits"_s};
    DrawTable table;
    loadDrawTable(args.positional(0, u"FILE"_s), table);

    // The box refuses a 0 with a message.
    if (const QString refusal = PurchaseInput::drawBoxRefusal(box); !refusal.isEmpty())
        throw Refused{refusal};
    out.line(PurchaseList(table).panelDate(box));
    return 0;
}

} // namespace cli
