#pragma once

#include "core/drawtable.h"
#include "core/game.h"

#include <QList>
#include <QString>
#include <QStringList>

// Data lines of draw-result files for small hand-made draw histories.
inline QString drawLine(int draw, const QList<int> &numbers, int bonus, int prizeFields)
{
    QStringList fields{QString::number(draw), QStringLiteral("2020/01/%1").arg(draw % 28 + 1, 2, 10, QLatin1Char('0'))};
    for (int n : numbers)
        fields.append(QString::number(n));
    fields.append(QString::number(bonus));
    for (int i = 0; i < prizeFields; ++i)
        fields.append(QStringLiteral("0"));
    return fields.join(QLatin1Char(','));
}

inline QString loto6Line(int draw, const QList<int> &numbers, int bonus)
{
    return drawLine(draw, numbers, bonus, 11);
}

inline QString miniLotoLine(int draw, const QList<int> &numbers, int bonus)
{
    return drawLine(draw, numbers, bonus, 8);
}

// A draw table of the game made of those lines, every row selected.
inline DrawTable drawTable(int runMode, const QStringList &lines)
{
    DrawTable table;
    table.reset(runMode);
    for (const QString &line : lines)
        table.appendDataLine(line);
    table.setAllSelected(true);
    return table;
}
