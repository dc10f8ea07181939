#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

struct PurchaseEntry;

// The edit panel's boxes: validation before an add or a change, the draw-number boxes' own
// rule, and the texts a clicked entry puts into the boxes.
namespace PurchaseInput {

struct Boxes
{
    QStringList numbers;  // the number boxes taking part: 6 (LOTO6) or 5 (miniLOTO)
    QString tickets;      // the ticket-count box
    QString drawNo;       // first draw to enter
    QString count;        // consecutive draws to enter
};

// The panel's seven Text1 boxes and two Text2 boxes as the window holds them: LOTO6 takes the
// numbers from boxes 0..5 and the tickets from box 6, miniLOTO from boxes 0..4 and box 5.
Boxes fromControls(int runMode, const QStringList &text1, const QStringList &text2);

struct Values
{
    QList<int> numbers;
    qint64 tickets = 0;
    qint64 drawNo = 0;
    qint64 count = 0;
};

struct Checked
{
    QString message;  // the warning to show; empty when the input may be used
    Values values;
    bool ok() const { return message.isEmpty(); }
};

// The checks in the order the user is told about them: an empty box, a number outside
// 1..maxNo, a number twice, the ticket count, the draw number, the continuation count. Values
// that the stored cells could not hold (a draw past 99999, more than 999 tickets) are refused
// like values below 1, and so is any text that is not a number.
Checked check(const Boxes &boxes, int runMode);

// What the continuation box becomes after a change: a value below 1 turns into "1"; anything
// else stays (an emptied box is left for the user to type into).
std::optional<QString> correctedCountBox(QStringView text);
// The draw-number box refuses a value below 1: the message to show then, else empty text.
QString drawBoxRefusal(QStringView text);

// What a clicked entry puts into the panel (no draw number when its own does not read).
struct Panel
{
    QString drawNo;
    QString count;
    QStringList numbers;
    QString tickets;
};
Panel panelFor(const PurchaseEntry &entry);

} // namespace PurchaseInput
