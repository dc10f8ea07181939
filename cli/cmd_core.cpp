#include "cli.h"

#include "core/drawtable.h"
#include "core/format.h"

using namespace Qt::StringLiterals;

namespace cli {

int runLoad(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--select"_s}, {});
    args.expectPositionalCount(1, 1);
    DrawTable table;
    loadAnalysisSet(args, table);

    out.section(u"FormMain"_s, u"ListView1"_s);
    out.list(table.headers(), table, table.columnCount());
    out.section(u"FormMain"_s, u"StatusBar1.1"_s);
    out.line(Format::selectionCount(table.selectedCount(), table.rowCount()));
    return 0;
}

} // namespace cli
