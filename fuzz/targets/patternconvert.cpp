// The pattern manager's convert: any text (read as UTF-8) with a pool typed from the input's
// last bytes. A converted text must read back through the pattern-file loader as the same
// tickets: one per line holding a position, marked where the line named it.
#include "combinations/patternconvert.h"
#include "combinations/patternfile.h"

#include "fuzzinput.h"

#include <bit>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const fuzz::TailBytes tail(data, size);
    // The last byte: the pool (0..47, so past the largest one too), a stray blank or letter
    // around it, or an empty box.
    const unsigned b = tail.at(0);
    QString poolText = (b & 0x3F) == 0x3F ? QString() : QString::number(b % 48);
    if (b & 0x40)
        poolText.prepend(u' ');
    if (b & 0x80)
        poolText.append(u'x');
    const QString source = QString::fromUtf8(fuzz::bytes(data, size));

    const PatternConvert::Result result = PatternConvert::convert(source, poolText);
    if (!result.done) {
        fuzz::check(result.lines.isEmpty(), "lines from a refused convert");
        fuzz::check(source.isEmpty() || !result.warning.isEmpty(), "a refusal without a warning");
        return 0;
    }
    fuzz::check(result.warning.isEmpty(), "a warning on a done convert");
    fuzz::check(result.pool >= 1 && result.pool <= PatternConvert::kMaxPool, "pool outside the manager's range");
    fuzz::check(result.lines.isEmpty() == (result.picks == 0), "picks without a ticket");

    const PatternFile::Content back = PatternFile::parse(result.text().toLatin1(), result.pool);
    fuzz::check(back.tickets.size() == result.lines.size(), "a converted line read back as more or fewer tickets");
    for (qsizetype i = 0; i < result.lines.size(); ++i) {
        const QString &line = result.lines[i];
        fuzz::check(line.size() == result.pool, "a line not as long as the pool");
        const PatternFile::Ticket &ticket = back.tickets[i];
        fuzz::check(!ticket.surplus && ticket.mask != 0, "a converted line read back cut or empty");
        fuzz::check(std::popcount(ticket.mask) == line.count(u'1'), "marks changed on the way back");
        for (int p = 1; p <= result.pool; ++p)
            fuzz::check(((ticket.mask >> (p - 1)) & 1) == (line[p - 1] == u'1' ? 1u : 0u), "a mark moved on the way back");
    }
    return 0;
}
