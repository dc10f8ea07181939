#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Guarantee pattern files: where they live and how they are named. A file is named
// serial-key.txt, the key being the pick count (6 or 5), the guaranteed tier (1, 3, 4, 5), the
// pool size and, with key numbers, "K" and their count: 1-639.txt, 2-649K1.txt.
namespace PatternFolder {

// The folder of pattern files: $ZEMVARA_PATTERN_DIR when set, else "PatternFile" in the user's
// data folder. Not created here.
QString path();
// The same folder, created when missing; empty when it cannot be made. A folder made here holds
// every wheel shipped with the program or is not made at all: the wheels are gathered in a
// scratch folder beside it that only takes its name once all are there, so a full disk never
// leaves a folder that looks set up but lacks wheels, and the next call tries again. *error (when
// given) receives the message to show when the folder could not be made.
QString ensure(QString *error = nullptr);
// The folder to read and write: made (with the shipped wheels) when missing; its path even when
// it cannot be made, so that messages still name it.
QString ready(QString *error = nullptr);

struct Request
{
    int picks = 0;  // 6 LOTO6, 5 miniLOTO
    int tier = 0;   // 1, 3, 4 or 5
    int pool = 0;   // pool positions, 1..99
    int keys = 0;   // key positions, 0 = none

    bool operator==(const Request &) const = default;
};

// "639", "649K1": the key part of the names of a request's files.
QString patternKey(const Request &request);
// "*639.txt": the mask of a request's files as the user sees it.
QString patternMask(const Request &request);

struct Name
{
    int serial = 0;
    Request request;
    QString key;  // as written in the name ("649K1")
};
// Reads a file name (letter case ignored); nothing when it does not follow the scheme.
std::optional<Name> parseName(const QString &fileName);
QString fileName(int serial, const Request &request);

// Names of the request's files in the folder, in ascending serial order. The key must match
// whole: a LOTO6 5th-tier file over 39 numbers (…-6539.txt) is not a miniLOTO 3rd-tier file
// over 9 (…539.txt) although a plain wildcard would take it for one.
QStringList matchingFiles(const QString &folder, const Request &request);
// Every pattern file name of the folder (of the game `picks`, 6 or 5; 0 every game), by kind
// (pick count, tier, pool size, key count) and then serial, each as a number: 1-639.txt,
// 2-639.txt, 10-639.txt, 1-6310.txt.
QStringList allFiles(const QString &folder, int picks = 0);

// The serial a new file of the request gets: one more than the files that have its key, or,
// when that name is taken (a lower serial was deleted), the next free serial above it.
int nextSerial(const QString &folder, const Request &request);

// Copies the pattern files of `library` (default: the shipped PatternFile folder) into folder,
// leaving out every file whose serial and key the folder already has: nothing is overwritten.
// Returns the count copied; *failed (when given) receives the name of the first file that could
// not be copied, and the copy goes on without it.
int installLibrary(const QString &folder, const QString &library = {}, QString *failed = nullptr);
// Makes `folder` (missing) holding every file of `library` as ensure() does. Returns the message
// to show when it could not; empty on success.
QString createWithLibrary(const QString &folder, const QString &library = {});

} // namespace PatternFolder
