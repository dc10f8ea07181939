// The pattern-file loader and what reads its tickets: the ticket grid under a pool header (its
// cells, incomplete rows, a click on a cell) and, for small pools, the win-guarantee
// calculation, whose counts must add up to every draw of the pool. The grid width is the
// file's own first line unless the input's last byte asks for another (high bit set, the
// width then taken from the byte before it); the picks come from the byte before that.
#include "combinations/guarantee.h"
#include "combinations/patternfile.h"
#include "combinations/ticketsheet.h"
#include "core/combinatorics.h"

#include "fuzzinput.h"

#include <bit>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    const fuzz::TailBytes tail(data, size);
    const int own = PatternFile::parse(bytes, PatternFile::kMaxPositions).firstLineLength;
    const int positions = tail.at(0) & 0x80 ? 1 + int(tail.at(1)) % PatternFile::kMaxPositions
                                            : qBound(1, own, PatternFile::kMaxPositions);
    const int picks = 1 + int(tail.at(2)) % 7;

    const PatternFile::Content content = PatternFile::parse(bytes, positions);
    const quint64 inside = positions == 64 ? ~quint64(0) : (quint64(1) << positions) - 1;
    for (const PatternFile::Ticket &ticket : content.tickets) {
        fuzz::check((ticket.mask & ~inside) == 0, "a mark outside the grid");
        const QList<int> marked = ticket.positions();
        fuzz::check(marked.size() == std::popcount(ticket.mask), "positions differ from the marks");
        for (const int p : marked)
            fuzz::check(p >= 1 && p <= positions, "a position outside the grid");
        fuzz::check(!ticket.surplus || ticket.isIncomplete(picks), "a cut line counted as complete");
    }

    TicketSheet sheet;
    QList<int> header;
    for (int p = 1; p <= positions; ++p)
        header.append(p);
    sheet.setHeader(header);
    sheet.load(content.tickets);
    fuzz::check(sheet.rowCount() == content.tickets.size(), "a loaded line without its row");
    for (int row = 0; row < qMin(sheet.gridRows(), 8); ++row)
        for (int column = 0; column < sheet.gridColumns(); ++column)
            sheet.cellText(row, column);

    const std::optional<Guarantee::Input> input = sheet.guaranteeInput(picks);
    bool anyIncomplete = content.tickets.isEmpty();
    for (int row = 0; row < sheet.rowCount(); ++row)
        anyIncomplete = anyIncomplete || sheet.isIncomplete(row, picks);
    fuzz::check(input.has_value() != anyIncomplete, "the calculation offered for incomplete rows or refused for complete ones");
    if (input && Combinatorics::binomial(positions, picks) <= 20000 && input->tickets.size() <= 200) {
        fuzz::check(Guarantee::isValid(*input), "the sheet gave the calculation input it refuses");
        Guarantee::Options options;
        options.threads = 1;
        const std::optional<Guarantee::Result> result = Guarantee::CalcGuarantee(*input, options);
        fuzz::check(result.has_value(), "no result for valid input");
        qint64 credited = 0;
        for (const qint64 c : result->credited)
            credited += c;
        fuzz::check(credited == result->draws && result->draws == Combinatorics::binomial(positions, picks), "draws credited other than once");
    }

    // A click on a cell, as the user's first look at a row.
    if (sheet.positions() > 0 && sheet.rowCount() > 0) {
        sheet.toggle(int(tail.at(3)) % sheet.rowCount(), 1 + int(tail.at(4)) % sheet.positions());
        sheet.guaranteeInput(picks);
    }
    return 0;
}
