#pragma once

#include <QString>
#include <QStringList>

// The pattern manager's convert: tickets typed as pool positions ("1 2 3 4 5 6", one ticket a
// line) become the "0"/"1" lines of a pattern file.
namespace PatternConvert {

// Pool sizes the manager takes: the largest pool of either game.
constexpr int kMaxPool = 43;

struct Result
{
    bool done = false;    // false: nothing converted (empty source, or refused)
    QString warning;      // a refusal: the message box text; the converted text stays as it was
    QStringList lines;    // one line of pool "0"/"1" characters per ticket
    int picks = 0;        // numbers on the first ticket line
    int pool = 0;

    // The converted text as the manager shows it and the file holds it: CR LF after every line.
    QString text() const;
};

// poolText is the pool box as typed. Digits make a number; any other character, a line feed
// included, ends it. Lines without a position (blank lines) make no ticket, and the end of the
// text ends the last number and line.
Result convert(const QString &source, const QString &poolText);

} // namespace PatternConvert
