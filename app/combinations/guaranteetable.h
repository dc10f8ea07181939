#pragma once

#include "combinations/guarantee.h"

#include <QList>
#include <QString>
#include <QStringList>

// The result list of the win-guarantee calculation: per ticket and in total, how many draws
// fall in each prize tier or miss, then the same as shares of all draws.
namespace GuaranteeTable {

// Column headers, the empty column 0 included: "パターン", a count column per tier a ticket
// reaches by main numbers alone (LOTO6 1st, 3rd, 4th, 5th; miniLOTO 1st, 3rd, 4th) and the miss
// ("１等回数" .. "外れ回数"), then a share column for each ("１等確率" .. "外れ確率").
QStringList headers(int picks);

struct Row
{
    QString label;        // the ticket's row number, or "合計"
    QList<qint64> counts; // one per count column
};
// One row per ticket in grid order, then the total row; none for a pick count of no game.
QList<Row> rows(const Guarantee::Result &result);

// A share as the list shows it: " 14.286%", "100.000%", "  0.000%".
QString percentText(qint64 count, qint64 draws);

// Every cell of every row as shown, column 0 (empty) included.
QList<QStringList> texts(const Guarantee::Result &result);

} // namespace GuaranteeTable
