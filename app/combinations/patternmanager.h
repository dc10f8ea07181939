#pragma once

#include "combinations/patternfolder.h"

#include <QString>
#include <QStringList>

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

// Writes the converted text as the next file of its pattern key, unless a file of that key
// already holds the same content. Nothing is written on a refusal, and a failed write leaves
// no partial file.
SaveResult save(const SaveInput &input);

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
