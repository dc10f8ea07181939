#pragma once

#include "core/drawtable.h"
#include "core/game.h"

#include <QList>
#include <QString>
#include <QStringList>

// Draw-result file lines read and written directly (fields split and joined at commas), so tests
// can count on their own what the program should find, and make small histories by hand.
namespace drawlines {

struct Draw
{
    QStringList fields;
    int kai() const { return fields.value(0).toInt(); }
    QList<int> mains(int picks) const;
    int bonus(int picks) const { return fields.value(2 + picks).toInt(); }
    // Prize per winner of a tier (1-based) as the file gives it.
    QString prize(int picks, int tier) const;
};

QList<Draw> read(const QString &path);

// Tier a set of distinct numbers wins in a draw, by the published rules, 0 for none.
int expectedTier(int picks, const QList<int> &numbers, const Draw &draw);

} // namespace drawlines

// Data lines of draw-result files for small hand-made draw histories: the draw, a date, the
// numbers and the bonus, then zero for every winner count and prize.
QString loto6Line(int draw, const QList<int> &numbers, int bonus);
QString miniLotoLine(int draw, const QList<int> &numbers, int bonus);

// A draw table of the game made of those lines, every row selected.
DrawTable drawTable(int runMode, const QStringList &lines);

// Four LOTO6 draws, 101 to 104, in which 7 comes up in the first and the third, 13 never, and 2
// is the bonus of the last.
QStringList fourDraws();
