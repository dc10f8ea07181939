#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Texts the graph windows share.

// Shortest general decimal form of a double with up to 15 significant digits, no fixed
// number of places: 100, 50, 66.6666666666667, 13.953488372093.
QString shortestNumber(double value);

// The text without the blanks on its left (draw numbers in headers).
QString trimLeadingBlanks(QStringView text);
