#pragma once

#include "core/gamerules.h"

#include <QString>

struct PurchaseEntry;
class DrawCalendar;
class DrawTable;

// The check of purchases against the draw table (date, hits, tier, winnings) and the totals
// of the status bar.
namespace PurchaseCheck {

// Fills the entry's outcome from its draw: the table's date, the hits and the tier with its
// prize times the tickets; a draw that is no valid draw of the table gets the calendar's date
// and no result, and an invalid entry gets nothing.
void check(PurchaseEntry &entry, const DrawTable &table, const DrawCalendar &calendar);

struct Totals
{
    qint64 tickets = 0;
    qint64 winningTickets = 0;  // tickets of the entries that won a tier
    qint64 winnings = 0;        // yen
    qint64 cost() const { return tickets * GameRules::kTicketPrice; }
    qint64 balance() const { return winnings - cost(); }
    // Adds a valid entry; an invalid one counts nowhere.
    void add(const PurchaseEntry &entry);
};

// "購入口数 …口  購入金額 …円  …口当選  賞金総額 …円  差し引き …円  " (or "当選なし  ").
QString totalsText(const Totals &totals);

} // namespace PurchaseCheck
