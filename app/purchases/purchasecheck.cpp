#include "purchases/purchasecheck.h"

#include "core/drawtable.h"
#include "core/prizetier.h"
#include "purchases/drawcalendar.h"
#include "purchases/purchaseentry.h"

using namespace Qt::StringLiterals;

namespace PurchaseCheck {

void check(PurchaseEntry &entry, const DrawTable &table, const DrawCalendar &calendar)
{
    PurchaseEntry::Outcome outcome;
    // An invalid line is no purchase: no date, no result.
    if (!entry.isValid()) {
        entry.outcome = outcome;
        return;
    }
    const std::optional<int> row = entry.drawNo ? calendar.rowOf(*entry.drawNo) : std::nullopt;
    const DrawRecord *draw = row ? table.record(*row) : nullptr;
    if (!draw || !draw->valid) {
        if (entry.drawNo)
            outcome.date = calendar.dateText(*entry.drawNo);
        entry.outcome = outcome;
        return;
    }
    outcome.inTable = true;
    outcome.date = draw->dateText;

    const GameRules &rules = GameRules::of(table.runMode());
    QList<int> chosen;
    for (int i = 0; i < entry.picks(); ++i) {
        const int n = entry.values[size_t(i)];
        if (draw->hasMain(n))
            outcome.mainHits |= quint8(1u << i);
        if (draw->bonus == n)
            outcome.bonusHits |= quint8(1u << i);
        chosen.append(n);
    }
    const PrizeTier::Match match = PrizeTier::match(rules, *draw, chosen);
    outcome.mainMatches = match.mainMatches;
    outcome.bonusMatched = match.bonusMatched;
    if (match.wins()) {
        outcome.tier = match.rank;
        outcome.winnings = draw->prize(match.rank) * entry.tickets;
    }
    entry.outcome = outcome;
}

void Totals::add(const PurchaseEntry &entry)
{
    if (!entry.isValid())
        return;
    tickets += entry.tickets;
    if (entry.wins()) {
        winningTickets += entry.tickets;
        winnings += entry.outcome.winnings;
    }
}

QString totalsText(const Totals &totals)
{
    QString text = u"購入口数 "_s + QString::number(totals.tickets) + u"口  "_s;
    text += u"購入金額 "_s + QString::number(totals.cost()) + u"円  "_s;
    if (totals.winningTickets != 0)
        text += QString::number(totals.winningTickets) + u"口当選  賞金総額 "_s + QString::number(totals.winnings)
            + u"円  "_s;
    else
        text += u"当選なし  "_s;
    text += u"差し引き "_s + QString::number(totals.balance()) + u"円  "_s;
    return text;
}

} // namespace PurchaseCheck
