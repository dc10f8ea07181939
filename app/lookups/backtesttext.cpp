#include "lookups/backtesttext.h"

#include "core/fields.h"
#include "core/gamerules.h"

using namespace Qt::StringLiterals;

namespace BackTestText {

namespace {
constexpr int kDrawWidth = 5;
constexpr int kCountWidth = 6;

int amountWidth(int runMode)
{
    // Room for the sign of a balance below zero.
    return GameRules::of(runMode).amountWidth() + 2;
}

QString yen(qint64 amount)
{
    return QString::number(amount) + u"円"_s;
}
} // namespace

QStringList headers(int runMode)
{
    QStringList out{u"回"_s, u"抽選日"_s, u"最高"_s};
    for (int t = 1; t <= GameRules::of(runMode).tierCount(); ++t)
        out.append(GameRules::tierLabel(t));
    out << u"当選金額"_s << u"購入金額"_s << u"累計収支"_s;
    return out;
}

QStringList cells(const BackTest::Result &result, const BackTest::Draw &draw)
{
    const int width = amountWidth(result.runMode);
    QStringList out{padCell(QString::number(draw.drawNo), kDrawWidth), draw.date, GameRules::tierLabel(draw.best)};
    for (int t = 1; t <= GameRules::of(result.runMode).tierCount(); ++t)
        out.append(padCell(QString::number(draw.tickets[size_t(t - 1)]), kCountWidth));
    out << padCell(QString::number(draw.winnings), width) << padCell(QString::number(draw.cost), width)
        << padCell(QString::number(draw.balance), width);
    return out;
}

QStringList summary(const BackTest::Result &result)
{
    QStringList hits;
    for (int t = 1; t <= GameRules::of(result.runMode).tierCount(); ++t)
        hits.append(u"%1 %2口"_s.arg(GameRules::tierLabel(t)).arg(result.hits[size_t(t - 1)]));
    QString best = u"なし"_s;
    if (result.best >= 0) {
        const BackTest::Draw &draw = result.draws[size_t(result.best)];
        best = u"第%1回（%2）%3"_s.arg(draw.drawNo).arg(draw.date, yen(draw.winnings));
    }
    return {u"抽選回数: %1回"_s.arg(result.draws.size()),
            u"1回あたり: %1口"_s.arg(result.ticketsPerDraw),
            u"購入金額: %1"_s.arg(yen(result.cost)),
            u"当選金額: %1"_s.arg(yen(result.winnings)),
            u"収支: %1"_s.arg(yen(result.balance())),
            u"回収率: %1%"_s.arg(result.returnRate(), 0, 'f', 1),
            u"等級別: %1"_s.arg(hits.join(u" / "_s)),
            u"最長の連続はずれ: %1回"_s.arg(result.longestDry),
            u"最高の回: %1"_s.arg(best)};
}

} // namespace BackTestText
