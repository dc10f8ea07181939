#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class RowSource;

// The past-result check: what one set of numbers, typed into up to six boxes, would have won in
// each selected draw.
namespace OldHit {

// Entry boxes of the window; miniLOTO uses the first five.
constexpr int kBoxCount = 6;

// Boxes that take part in the duplicate test and the matching: the game's picks.
int boxesTakingPart(int runMode);

// The number a box adds to the matching: nothing for an empty or non-numeric text, a value
// beyond 16 bits, or a number outside 1..maxNo.
std::optional<int> boxNumber(QStringView text, int maxNo);

// True when two non-empty boxes taking part hold the same entry, as text or as number
// ("7" and "07"), wherever they stand among the boxes.
bool hasDuplicate(const QStringList &boxes, int runMode);
QString duplicateMessage();

// One winning draw: its source row (0-based) and the cells of the check's result list.
struct Hit
{
    int row = 0;
    int rank = 0;       // the tier won
    QStringList cells;  // "", Kai, Tou, Money
};

struct Result
{
    QList<Hit> hits;  // source-list order
    qint64 total = 0; // yen
    QString summary;  // the window's Label1
    QList<int> rows() const;
};

// Column headers of the result list, the hidden column 0 first.
QStringList listHeaders();

// Checks the boxes against every selected row of a draw table of the given game.
Result check(const RowSource &source, int runMode, const QStringList &boxes);

// Caption of the result copy: every box's text (all six) after one blank each.
QString copyCaption(const QStringList &boxes);

} // namespace OldHit
