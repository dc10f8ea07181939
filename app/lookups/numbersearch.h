#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class RowSource;

// The search by numbers: which selected draws contain, all contain or avoid a set of numbers.
namespace NumberSearch {

// Also the index of the search window's option of the mode (Option1).
enum Mode { Or = 0, And = 1, Not = 2 };

// Prompt of the window for a game.
QString prompt(int runMode);
// Last sub-item searched (main numbers and the bonus): 9 for LOTO6, 8 for miniLOTO.
int noEnd(int runMode);


struct Parsed
{
    QString error;    // the warning to show; empty when the text is fine
    QString cleaned;  // the text without leading and trailing blanks
    bool ok() const { return error.isEmpty(); }
};

// Checks a non-empty box text: numbers separated by single blanks, each within 1..maxNo.
Parsed parse(const QString &text, int runMode);

// The entered numbers as the draw table's two-character cells (" 7"); "05" stays "05".
QStringList cellTexts(const QString &cleaned);

// Rows (0-based, source order) among the selected ones whose sub-items 3..noEnd match.
QList<int> search(const RowSource &source, int noEnd, const QStringList &cells, Mode mode);

// Caption of the result copy, with the text as typed.
QString copyCaption(const QString &typed);

} // namespace NumberSearch
