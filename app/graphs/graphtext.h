#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Texts the graph windows share.

// Shortest general decimal form of a double with up to 15 significant digits, no fixed
// number of places: 100, 50, 66.6666666666667, 13.953488372093.
QString shortestNumber(double value);

// A fraction (0..1) as a percentage rounded half up to three decimals, "###0.000": 14.800,
// 0.000, 100.000.
QString percentFixed3(double fraction);

// The text without the blanks on its left (draw numbers in headers).
QString trimLeadingBlanks(QStringView text);
