#include "lookups/oldhit.h"

#include "core/drawrecord.h"
#include "core/fields.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "core/prizetier.h"
#include "core/rowsource.h"

using namespace Qt::StringLiterals;

namespace OldHit {

int boxesTakingPart(int runMode)
{
    return GameRules::of(runMode).picks();
}

std::optional<int> boxNumber(QStringView text, int maxNo)
{
    const std::optional<qint64> value = parseNumber(text);
    if (!value || *value < 1 || *value > maxNo)
        return std::nullopt;
    return int(*value);
}

bool hasDuplicate(const QStringList &boxes, int runMode)
{
    const int count = std::min<int>(boxesTakingPart(runMode), int(boxes.size()));
    // The same number twice would be counted twice and give a better tier than it won.
    auto sameEntry = [](QStringView a, QStringView b) {
        if (a == b)
            return true;
        if (!isDigits(a) || !isDigits(b))
            return false;
        auto significant = [](QStringView d) {
            while (d.size() > 1 && d.front() == u'0')
                d = d.mid(1);
            return d;
        };
        return significant(a) == significant(b);
    };
    for (int i = 0; i < count; ++i) {
        const QStringView a = QStringView(boxes[i]).trimmed();
        if (a.isEmpty())
            continue;
        for (int j = i + 1; j < count; ++j) {
            const QStringView b = QStringView(boxes[j]).trimmed();
            if (!b.isEmpty() && sameEntry(a, b))
                return true;
        }
    }
    return false;
}

QString duplicateMessage()
{
    return u"重複しいる番号があります"_s;
}

QList<int> Result::rows() const
{
    QList<int> out;
    out.reserve(hits.size());
    for (const Hit &hit : hits)
        out.append(hit.row);
    return out;
}

QStringList listHeaders()
{
    return {QString(), u"回"_s, u"等"_s, u"賞金"_s};
}

Result check(const RowSource &source, int runMode, const QStringList &boxes)
{
    Result result;
    const GameRules &rules = GameRules::of(runMode);
    QList<int> numbers;
    const int taking = std::min<int>(rules.picks(), int(boxes.size()));
    for (int i = 0; i < taking; ++i) {
        if (const std::optional<int> n = boxNumber(boxes[i], rules.maxNo()))
            numbers.append(*n);
    }

    const int rows = source.rowCount();
    for (int r = 0; r < rows && !numbers.isEmpty(); ++r) {
        if (!source.inAnalysisSet(r))
            continue;
        const DrawRecord *draw = source.record(r);
        if (!draw)
            continue;
        const PrizeTier::Match match = PrizeTier::match(rules, *draw, numbers);
        if (!match.wins())
            continue;
        const qint64 prize = draw->prize(match.rank);
        result.total += prize;
        result.hits.append({r, match.rank,
                            {QString(), u' ' + padCell(source.cellText(r, 1), 5), GameRules::tierLabel(match.rank),
                             padCell(QString::number(prize), rules.amountWidth())}});
    }

    result.summary = result.hits.isEmpty()
        ? u"当選していません"_s
        : QString::number(result.hits.size()) + u"回当選　賞金合計　"_s + QString::number(result.total) + u"円"_s;
    return result;
}

QString copyCaption(const QStringList &boxes)
{
    QString caption = u"過去の抽選結果と照合"_s;
    for (int i = 0; i < kBoxCount; ++i)
        caption += u' ' + boxes.value(i);
    return caption;
}

} // namespace OldHit
