#pragma once

#include "core/game.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// One purchase: a number set bought for one draw, with its ticket count. The three stored cells
// are kept as the list shows them (right-aligned to their widths, never cut), beside the values
// read from them once; the rest is what the check against the draw table derived. An entry read
// from a line that is no purchase (invalid) keeps that line, is shown as written and takes part
// in neither the check nor any total.
struct PurchaseEntry
{
    static constexpr int kMaxNumbers = 6;
    static constexpr int kNoNumber = -1;
    // Widths of the stored cells: the digits a valid value may have. Wider text of an invalid
    // line is kept whole.
    static constexpr int kKaiWidth = 5;
    static constexpr int kNumberWidth = 2;
    static constexpr int kBuyWidth = 3;
    // The highest values those widths hold.
    static constexpr qint64 kMaxDrawNo = 99999;
    static constexpr qint64 kMaxTickets = 999;

    // What the check found for the entry's draw.
    struct Outcome
    {
        bool inTable = false;  // the draw is in the draw table; the rest is only set then
        QString date;          // the table's date text, else the calendar's date
        int mainMatches = 0;
        bool bonusMatched = false;
        int tier = 0;          // 1..5, 0 = nothing won
        qint64 winnings = 0;   // prize of the tier times the tickets
        quint8 mainHits = 0;   // bit i: number cell i is one of the main numbers (shown red)
        quint8 bonusHits = 0;  // bit i: number cell i is the bonus number (shown blue)

        int hits() const { return mainMatches + (bonusMatched ? 1 : 0); }
        bool operator==(const Outcome &) const = default;
    };

    QString kai;
    QStringList numbers;  // one cell per pick (6 or 5), in entry order
    QString buy;

    // Why the line is not a purchase; empty for a valid entry.
    QString invalidReason;
    // An invalid line's bytes as read, without its line end: a save writes them back unchanged.
    QByteArray sourceLine;
    // What followed the ticket count on the line, its comma included, as read (the comment).
    QByteArray comment;

    std::optional<qint64> drawNo;  // also of an invalid line whose draw number reads well
    std::array<int, kMaxNumbers> values{kNoNumber, kNoNumber, kNoNumber, kNoNumber, kNoNumber, kNoNumber};
    qint64 tickets = 0;  // 0 for a cell that is not a number

    Outcome outcome;

    bool isValid() const { return invalidReason.isEmpty(); }
    int picks() const { return int(numbers.size()); }
    bool isMainHit(int i) const { return (outcome.mainHits >> i) & 1u; }
    bool isBonusHit(int i) const { return (outcome.bonusHits >> i) & 1u; }
    bool wins() const { return outcome.tier > 0; }

    // The cells at their own widths (the list pads them to its columns): column 0 (always
    // empty), Kai, Date, the numbers, Buy, Hit, Tou, Money.
    QString cellText(int column) const;
    QStringList cells() const;
    // The text of its number set in the number-set list: each cell and a blank, trailing blanks
    // cut (" 1  5 12 20 33 41").
    QString numberSetText() const;
    // Every cell equal.
    bool sameCells(const PurchaseEntry &other) const;
};

// A valid entry of values already checked (as the edit panel checks them), in its cells.
PurchaseEntry makePurchaseEntry(qint64 drawNo, const QList<int> &numbers, qint64 tickets);

// Columns of the purchase list and its filtered copy, column 0 (hidden) first. Keys and
// headers as the window shows them; width is the least width of a padded cell (0 = not padded):
// the stored width, and the game's amount width for Money.
const QList<ColumnLayout> &purchaseColumns(int runMode);

namespace PurchaseColumn {
constexpr int Kai = 1;
constexpr int Date = 2;
constexpr int FirstNumber = 3;
constexpr int buy(int picks) { return 3 + picks; }
constexpr int hit(int picks) { return 4 + picks; }
constexpr int tou(int picks) { return 5 + picks; }
constexpr int money(int picks) { return 6 + picks; }
constexpr int count(int picks) { return 7 + picks; }
} // namespace PurchaseColumn
