// The purchase-history reader and what reads its entries: the list's cells, the number-set text,
// the check against a small draw table and the calendar (dates, hits, tier, winnings), the
// totals, and a save read back (invalid lines and comments as they were read). The game comes from the input's last byte.
#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/gamerules.h"
#include "purchases/drawcalendar.h"
#include "purchases/purchasecheck.h"
#include "purchases/purchasefile.h"

#include "fuzzinput.h"

#include <memory>

using namespace Qt::StringLiterals;

namespace {
// A few real draws of each game, enough for hits in every tier of entries that name them.
const DrawTable &drawTable(int runMode)
{
    static const auto make = [](const char *text) {
        auto table = std::make_unique<DrawTable>();
        DrawFile::parse(QByteArray(text), *table);
        return table;
    };
    static const std::unique_ptr<DrawTable> loto6 = make(
        "LOTO6 DownloadData\r\n"
        "kai,date,n1,n2,n3,n4,n5,n6,b,w1,w2,w3,w4,w5,p1,p2,p3,p4,p5,carry\r\n"
        "1,2000/10/05,2,8,10,13,27,30,39,2,2,262,12413,174452,45513600,40961900,375200,6900,1000,0\r\n"
        "2,2000/10/12,1,9,16,20,21,43,5,0,7,370,16194,224067,0,14552500,275300,6000,1000,66498066\r\n"
        "3,2000/10/19,1,5,15,31,36,38,13,1,8,440,18066,241210,144140000,12533100,227800,5500,1000,0\r\n");
    static const std::unique_ptr<DrawTable> mini = make(
        "miniLOTO DownloadData\r\n"
        "kai,date,n1,n2,n3,n4,n5,b,w1,w2,w3,w4,p1,p2,p3,p4\r\n"
        "1,1999/04/06,2,12,22,26,30,14,13,84,2894,47216,10036800,92000,8000,1100\r\n"
        "2,1999/04/13,5,11,16,25,30,24,13,63,2751,49071,10039900,123100,8300,1000\r\n");
    return runMode == Game::Loto6 ? *loto6 : *mini;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    const fuzz::TailBytes tail(data, size);
    const int runMode = tail.at(0) & 1 ? Game::MiniLoto : Game::Loto6;

    const PurchaseFile::ReadResult read = PurchaseFile::parse(bytes, runMode);
    if (!read.ok()) {
        fuzz::check(read.entries.empty() && !read.message.isEmpty(), "a refused history with entries or without a message");
        return 0;
    }

    const DrawTable &table = drawTable(runMode);
    const DrawCalendar calendar(runMode, &table);
    std::vector<PurchaseEntry> entries = read.entries;
    PurchaseCheck::Totals totals;
    for (PurchaseEntry &entry : entries) {
        fuzz::check(entry.picks() == runMode, "an entry without one cell per pick");
        fuzz::check(entry.kai.size() >= PurchaseEntry::kKaiWidth && entry.buy.size() >= PurchaseEntry::kBuyWidth, "a cell narrower than its column");
        fuzz::check(entry.isValid() == entry.sourceLine.isEmpty(), "an invalid entry without its line, or a valid one with");
        fuzz::check(!entry.isValid() || (entry.kai.size() == PurchaseEntry::kKaiWidth && entry.buy.size() == PurchaseEntry::kBuyWidth),
                    "a valid cell not at its width");
        PurchaseCheck::check(entry, table, calendar);
        const PurchaseEntry::Outcome &o = entry.outcome;
        fuzz::check(o.tier >= 0 && o.tier <= GameRules::of(runMode).tierCount(), "tier outside the game's tiers");
        fuzz::check(o.winnings >= 0 && (o.tier > 0 || o.winnings == 0), "winnings without a tier");
        fuzz::check(o.mainMatches <= runMode, "more hits than picks");
        fuzz::check(o.inTable || o.tier == 0, "a tier for a draw not in the table");
        fuzz::check(entry.isValid() || o == PurchaseEntry::Outcome(), "a result for an invalid line");
        totals.add(entry);
        entry.cells();
        entry.numberSetText();
    }
    fuzz::check(totals.winningTickets <= totals.tickets, "more winning tickets than tickets");
    PurchaseCheck::totalsText(totals);

    // What a save writes reads back as the same entries, and saves as the same bytes.
    const QByteArray saved = PurchaseFile::serialize(entries, runMode);
    const PurchaseFile::ReadResult back = PurchaseFile::parse(saved, runMode);
    fuzz::check(back.ok(), "a saved history is refused");
    fuzz::check(back.entries.size() == entries.size() && back.invalidCount == read.invalidCount,
                "a saved history lost or gained entries");
    for (size_t i = 0; i < entries.size(); ++i) {
        const PurchaseEntry &a = entries[i];
        const PurchaseEntry &b = back.entries[i];
        fuzz::check(a.kai == b.kai && a.numbers == b.numbers && a.buy == b.buy && a.comment == b.comment
                        && a.sourceLine == b.sourceLine,
                    "a saved entry reads back changed");
    }
    fuzz::check(PurchaseFile::serialize(back.entries, runMode) == saved, "a second save writes other bytes");
    return 0;
}
