#include "lookups/oldhit.h"

#include "core/drawrecord.h"
#include "core/fields.h"
#include "core/numbers.h"
#include "core/game.h"
#include "core/rowsource.h"

using namespace Qt::StringLiterals;

namespace OldHit {


int boxesTakingPart(int runMode)
{
    return runMode == Game::Loto6 ? 6 : runMode == Game::MiniLoto ? 5 : 0;
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
    const int maxNo = Game::maxNo(runMode);
    QList<int> numbers;
    const int taking = std::min<int>(boxesTakingPart(runMode), int(boxes.size()));
    for (int i = 0; i < taking; ++i) {
        if (const std::optional<int> n = boxNumber(boxes[i], maxNo))
            numbers.append(*n);
    }

    const int width = PrizeTier::amountWidth(runMode);
    const int rows = source.rowCount();
    for (int r = 0; r < rows && !numbers.isEmpty(); ++r) {
        if (!source.inAnalysisSet(r))
            continue;
        const DrawRecord *draw = source.record(r);
        if (!draw)
            continue;
        const PrizeTier::DrawMatch match = PrizeTier::matchDraw(*draw, numbers);
        const PrizeTier::Tier tier = PrizeTier::tierFor(runMode, match.mainMatches, match.bonusMatched);
        if (!tier.wins())
            continue;
        const QString money = padCell(source.cellText(r, tier.moneyColumn), width);
        result.total += draw->prize(tier.rank);
        result.hits.append({r, tier, {QString(), u' ' + padCell(source.cellText(r, 1), 5), tier.label(), money}});
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
