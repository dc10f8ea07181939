#include "purchases/purchaseinput.h"

#include "core/gamerules.h"
#include "core/numbers.h"
#include "purchases/purchaseentry.h"

using namespace Qt::StringLiterals;

namespace PurchaseInput {

namespace {
bool blank(QStringView text)
{
    return text.trimmed().isEmpty();
}

// A box value within lo..hi; nothing for any other text (not a number, out of range, or too
// long for any integer: the reader saturates instead of wrapping).
std::optional<qint64> inRange(QStringView text, qint64 lo, qint64 hi)
{
    const std::optional<qint64> v = parseNumber(text);
    if (!v || *v < lo || *v > hi)
        return std::nullopt;
    return v;
}
} // namespace

Boxes fromControls(int runMode, const QStringList &text1, const QStringList &text2)
{
    const int picks = GameRules::of(runMode).picks();
    Boxes boxes;
    boxes.numbers = text1.mid(0, picks);
    boxes.tickets = text1.value(picks);
    boxes.drawNo = text2.value(0);
    boxes.count = text2.value(1);
    return boxes;
}

Checked check(const Boxes &boxes, int runMode)
{
    Checked result;
    const int maxNo = GameRules::of(runMode).maxNo();
    if (maxNo == 0 || boxes.numbers.size() != runMode)
        return {u"数字が未入力のところがあります。"_s, {}};

    for (const QString &box : boxes.numbers) {
        if (blank(box))
            return {u"数字が未入力のところがあります。"_s, {}};
    }
    if (blank(boxes.drawNo) || blank(boxes.count))
        return {u"数字が未入力のところがあります。"_s, {}};

    Values &v = result.values;
    for (const QString &box : boxes.numbers) {
        const std::optional<qint64> n = inRange(box, 1, maxNo);
        if (!n)
            return {u"入力数字が不正です。"_s, {}};
        v.numbers.append(int(*n));
    }
    for (qsizetype i = 0; i < v.numbers.size(); ++i) {
        if (v.numbers.indexOf(v.numbers[i], i + 1) >= 0)
            return {u"重複している数字があります。"_s, {}};
    }

    const std::optional<qint64> tickets = inRange(boxes.tickets, 1, PurchaseEntry::kMaxTickets);
    if (!tickets)
        return {u"購入口数が不正です。"_s, {}};
    v.tickets = *tickets;

    const std::optional<qint64> drawNo = inRange(boxes.drawNo, 1, PurchaseEntry::kMaxDrawNo);
    if (!drawNo)
        return {u"抽選回が不正です。"_s, {}};
    v.drawNo = *drawNo;

    // The last draw entered must fit the draw-number cell too.
    const std::optional<qint64> count = inRange(boxes.count, 1, PurchaseEntry::kMaxDrawNo - v.drawNo + 1);
    if (!count)
        return {u"継続回数が不正です。"_s, {}};
    v.count = *count;
    return result;
}

std::optional<QString> correctedCountBox(QStringView text)
{
    const std::optional<qint64> v = parseNumber(text);
    if (v && *v < 1)
        return u"1"_s;
    return std::nullopt;
}

QString drawBoxRefusal(QStringView text)
{
    const std::optional<qint64> v = parseNumber(text);
    return v && *v < 1 ? u"抽選回は 1 以上の数字です。"_s : QString();
}

Panel panelFor(const PurchaseEntry &entry)
{
    Panel panel;
    panel.drawNo = entry.drawNo ? QString::number(*entry.drawNo) : QString();
    panel.count = u"1"_s;
    for (const QString &cell : entry.numbers)
        panel.numbers.append(cell.trimmed());
    panel.tickets = entry.buy.trimmed();
    return panel;
}

} // namespace PurchaseInput
