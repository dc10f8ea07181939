#include "updates/drawmerge.h"

#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/gamerules.h"
#include "core/textlines.h"

using namespace Qt::StringLiterals;

namespace DrawMerge {

namespace {
QString drawName(const DrawTable &table, int row)
{
    const std::optional<qint64> number = table.record(row)->drawNo;
    return number ? u"第%1回"_s.arg(*number) : u"%1 行目のデータ"_s.arg(row + 3);
}

bool sameRow(const DrawTable &a, const DrawTable &b, int row)
{
    for (int c = 0; c < a.columnCount(); ++c) {
        if (a.cell(row, c) != b.cell(row, c))
            return false;
    }
    return true;
}

Result refused(const QString &reason)
{
    Result result;
    result.reason = reason;
    return result;
}
} // namespace

Result merge(QByteArrayView local, const QByteArray &site, int runMode)
{
    const QString game = GameRules::of(runMode).name();
    DrawTable newer;
    const DrawFile::Result parsedSite = DrawFile::parse(site, newer);
    if (!parsedSite.ok() || parsedSite.runMode != runMode)
        return refused(u"サイトのファイルは %1 の抽選結果ファイルではありません"_s.arg(game));

    DrawTable current;
    current.reset(runMode);
    if (!local.isEmpty()) {
        const DrawFile::Result parsedLocal = DrawFile::parse(local.toByteArray(), current);
        if (!parsedLocal.ok() || parsedLocal.runMode != runMode)
            return refused(u"手元のファイルが %1 の抽選結果ファイルではありません"_s.arg(game));
    }
    const int have = current.rowCount();
    for (int row = 0; row < have; ++row) {
        if (row >= newer.rowCount())
            return refused(u"サイトのファイルは手元より少ない %1 回分です（%2がありません）"_s.arg(newer.rowCount()).arg(drawName(current, row)));
        if (!sameRow(current, newer, row))
            return refused(u"サイトのファイルの%1が手元のデータと違います"_s.arg(drawName(current, row)));
    }
    qint64 last = have > 0 ? current.record(have - 1)->drawNo.value_or(0) : 0;
    for (int row = have; row < newer.rowCount(); ++row) {
        const DrawRecord &draw = *newer.record(row);
        if (!draw.valid || !draw.drawNo || *draw.drawNo <= last)
            return refused(u"サイトのファイルの%1が正しい抽選結果ではありません"_s.arg(drawName(newer, row)));
        last = *draw.drawNo;
    }

    Result result;
    result.lastDraw = last;
    result.added = newer.rowCount() - have;
    if (result.added == 0) {
        result.outcome = Outcome::UpToDate;
        return result;
    }
    result.outcome = Outcome::Appended;
    if (local.isEmpty()) {
        result.merged = site;
        return result;
    }
    // The new rows' own lines, as the site wrote them: row i is data line i after the title and
    // the heading, the way the reader counts them.
    TextLines<QByteArrayView> lines(site);
    lines.next();
    lines.next();
    for (int row = 0; row < have; ++row)
        lines.next();
    result.merged = local.toByteArray();
    if (!result.merged.endsWith('\n') && !result.merged.endsWith('\r'))
        result.merged += "\r\n";
    for (int row = have; row < newer.rowCount(); ++row) {
        result.merged += lines.next();
        result.merged += "\r\n";
    }
    return result;
}

qint64 lastDraw(QByteArrayView file, int runMode)
{
    DrawTable table;
    if (file.isEmpty() || DrawFile::parse(file.toByteArray(), table).runMode != runMode || table.rowCount() == 0)
        return 0;
    return table.record(table.rowCount() - 1)->drawNo.value_or(0);
}

} // namespace DrawMerge
