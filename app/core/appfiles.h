#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Files the program ships (draw results, pattern files, help pages) and the one safe way to read
// a file whole.
namespace AppFiles {

// The folder of a shipped item ("data", "PatternFile", "help"): beside the executable, in
// ../share/zemvara/ of an installed program, or in the source tree of a build that is not
// installed. Empty when none exists.
QString bundledDir(const QString &name);

// Reading refuses what no real file of the program comes near: anything but a regular file
// (a FIFO would block forever, a device never ends) and anything above this size.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

enum class ReadError { None, Missing, NotRegular, TooLarge, Unreadable };

struct ReadResult
{
    QByteArray bytes;
    ReadError error = ReadError::None;
    bool ok() const { return error == ReadError::None; }
};

// The whole content of a regular file of at most maxBytes.
ReadResult readFile(const QString &path, qint64 maxBytes = kMaxFileBytes);

// Writes a whole file or nothing (through a temporary file renamed over it): when any step
// fails, the file keeps exactly its old content. False on failure.
bool writeFile(const QString &path, const QByteArray &bytes);
// The same for content written a piece at a time by `write`, which returns false when it failed.
bool writeFile(const QString &path, const std::function<bool(QIODevice &file)> &write);
// What the user is told when a write failed: "ファイルに保存できませんでした。" and the path.
QString writeFailedText(const QString &path);

// Test seam: makes every write fail at the given step until reset with None, as a full disk or
// a failing rename would.
enum class WriteFailure { None, Open, Write, Commit };
void simulateWriteFailure(WriteFailure failure);

} // namespace AppFiles
