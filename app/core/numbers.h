#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// The program's one reader of whole numbers: list cells, entry boxes, file fields and options.
// Blanks around the digits are ignored; a sign or any character other than the ASCII digits
// makes the text not a number. Values beyond 64 bits saturate, so "more rows than there are"
// still reads as a large count instead of failing.
std::optional<qint64> parseNumber(QStringView text);

// What a digit box keeps of typed or pasted text: the ASCII digits and the box's own extra
// characters (a blank in the search box), in order.
QString typedDigits(QStringView typed, QStringView extra = {});

// True for a non-empty text of ASCII digits only (no blanks).
bool isDigits(QStringView text);
