#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Bringing a local draw-result file up to date from a newer one: draws are only ever added at the
// end; a draw the user has is never rewritten.
namespace DrawMerge {

enum class Outcome {
    UpToDate,  // the newer file adds nothing
    Appended,  // `merged` holds the local file with the new draws after it
    Refused,   // `reason` says why; nothing may change
};

struct Result
{
    Outcome outcome = Outcome::Refused;
    QByteArray merged;
    int added = 0;
    qint64 lastDraw = 0;  // draw number of the last row of the result (0: none or not a number)
    QString reason;
};

// `site` must be a draw-result file of the game (RunMode) whose rows begin with every row of
// `local`, unchanged; its further rows, each a valid draw, are appended to `local` byte for byte.
// An empty `local` (the data folder holds no file yet) takes the whole site file.
Result merge(QByteArrayView local, const QByteArray &site, int runMode);
// The draw number of the last row of a draw-result file of the game; 0 when it has none.
qint64 lastDraw(QByteArrayView file, int runMode);

} // namespace DrawMerge
