#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Tables as text for other programs: tab-separated for the clipboard, CSV for files.
namespace TableText {

// One line of tab-separated cells; tabs and line breaks inside a cell become blanks.
QString tsvLine(const QStringList &cells);
// Every row as tab-separated lines, each ended by a line feed.
QString tsv(const QList<QStringList> &rows);

// One CSV record: a cell holding a comma, a quote or a line break is quoted, its quotes doubled.
QString csvLine(const QStringList &cells);
// A whole table as a CSV file: UTF-8 with a byte-order mark (so spreadsheet programs read
// Japanese), lines ended by CR LF.
QByteArray csvFile(const QList<QStringList> &rows);

} // namespace TableText
