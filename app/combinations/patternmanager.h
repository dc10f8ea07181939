#pragma once

#include "combinations/patternfolder.h"
#include "combinations/patternverify.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The pattern manager's save, folder summary and list of file names. Each returns what the
// manager shows: a message box text (with its icon) or the text for its controls.
namespace PatternManager {

// Tier digit of the tier option: "１等" 1, "３等" 3, "４等" 4, "５等" 5; 0 for no option.
int tierOfOption(int optionIndex);

// The generator request of the manager's boxes: the game, the tier option and the pool size and
// key count as typed. An empty box reads 0; an unreadable one reads -1 and a count above 100
// reads 100, which the generator's check refuses with its message.
PatternFolder::Request generatorRequest(int picks, int tierOption, const QString &poolText, const QString &keysText);

struct SaveInput
{
    QString folder;          // the pattern folder
    QString convertedText;   // the converted text as shown (CR LF or LF line ends)
    int picks = 0;           // pick count and pool size of the last convert
    int pool = 0;
    int tier = 0;            // tier digit
    QString keysText;        // the key count box as typed
};

struct SaveResult
{
    bool saved = false;
    QString fileName;        // the name written
    QString message;         // a refusal or failure: the message box text
    bool critical = false;   // the message takes the critical icon (duplicate content)
};

// A save that passed every check but the guarantee: what verify() and write() take.
struct SaveCheck
{
    QString refusal;                 // the message box text when refused; empty when it passed
    QString folder;
    PatternFolder::Request request;  // the kind chosen
    std::vector<quint64> tickets;    // position j = bit j-1
    QByteArray body;                 // the file content
    bool ok() const { return refusal.isEmpty(); }
};
// The checks that count nothing: the converted lines, the game, tier and key count, the folder,
// and the tickets themselves (each exactly `picks` marks, none repeated, every one holding the
// key positions 1..keys), lines named by number.
SaveCheck check(const SaveInput &input);
// What the tickets guarantee against the tier chosen; nothing when cancelled. Takes long for a
// large wheel: run it off the window's thread.
std::optional<PatternVerify::Verdict> verify(const SaveCheck &check, const PatternVerify::Options &options = {});
// Writes the checked tickets as the next file of their kind under `tier`, unless a file of that
// kind already holds the same content. Nothing is written on a refusal, and a failed write
// leaves no partial file.
SaveResult write(const SaveCheck &check, int tier);
// check, verify and write in a row. A wheel short of the chosen tier is refused with the warning
// that names what it does guarantee; asGuaranteed saves it under that tier instead (when any).
SaveResult save(const SaveInput &input, bool asGuaranteed = false);

// "2、5行目の「1」が6個ではありません。" after `where` and "の": the tickets without exactly
// `picks` marks; empty when every one has them.
QString markCountRefusal(const QString &where, const std::vector<quint64> &tickets, int picks);

// The summary of the folder's files, one line per kind (game, tier, pool size, key count) in
// sorted order: all games for mode 0, LOTO6 for 6, miniLOTO for 5.
QStringList summaryLines(const QString &folder, int mode);
// The lines as the summary box shows them, each followed by CR LF.
QString summaryText(const QStringList &lines);

struct ListResult
{
    bool written = false;
    QString path;            // where the list was written
    QString status;          // status bar text after a write
    QString message;         // a failure: the message box text
};

// Writes the names of the folder's pattern files, in name order, to PatternList.txt beside the
// folder.
ListResult writeList(const QString &folder);
QString listPath(const QString &folder);

} // namespace PatternManager
