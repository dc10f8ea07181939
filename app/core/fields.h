#pragma once

#include <QString>
#include <QStringView>


// Field n (0-based) of a separated line, unchanged (no trimming, no quote handling).
// The separator is searched without regard to letter case; a missing field is empty.
QStringView GetField(QStringView line, QStringView separator, int n);
QString GetField(const QString &line, const QString &separator, int n);

// Right-aligns a value in a cell of the given width: blanks before the value up to `width`
// characters. A longer value is kept whole, never cut.
QString padCell(QStringView value, int width);
void appendPadded(QString &out, QStringView value, int width);

// A fraction (0..1) as a percentage rounded half up to three decimals, "###0.000": 14.800,
// 0.000, 100.000.
QString percentFixed3(double fraction);
// The same as a table cell: right-aligned in 7 characters, then "%": " 14.800%", "  0.000%".
QString percentCell(double fraction);

// One-character encoding of small numbers used by the combination tally.
QString NoToChr(int n);
// The number at the 1-based position as two-character text (" 7", "43"), or two blanks.
QString ChrToNo(const QString &text, int position);
