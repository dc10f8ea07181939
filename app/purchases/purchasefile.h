#pragma once

#include "purchases/purchaseentry.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

// The purchase-history file: a title line naming the game, a heading line, then one line per
// purchase (draw number, the numbers, the ticket count, then anything as a comment). Shift-JIS
// text; CR LF, LF or CR alone end a line. A save writes CR LF, every field of a valid line
// right-aligned to its cell width and its comment as read, and every invalid line as read.
namespace PurchaseFile {

enum class Status {
    Ok,
    NotHistory,  // the title line does not name this game's history (or there is none)
    Unreadable,  // missing, not a regular file, too large, or a read error
    Unwritable,  // could not be written or put in place
};

// What a file was when it was read or written, to notice another writer's change since.
struct Stamp
{
    qint64 size = -1;  // -1: no file
    QDateTime modified;
    QByteArray digest;  // of the content
};

// Outcome of a read or a write; `message` (and the smaller `detail` under it) is what the user
// is told: why it failed, or after a read that went through, the warning about invalid lines.
struct Result
{
    Status status = Status::Ok;
    QString message;
    QString detail;
    bool ok() const { return status == Status::Ok; }
};

struct InvalidLine
{
    int lineNumber = 0;  // 1-based, in the file
    QString reason;
};

struct ReadResult : Result
{
    std::vector<PurchaseEntry> entries;  // file order, not yet checked against the draws
    int invalidCount = 0;
    std::vector<InvalidLine> firstInvalid;  // the first few, for the warning
    Stamp stamp;
};

struct WriteResult : Result
{
    Stamp stamp;
};

QString title(int runMode);
QString heading(int runMode);

ReadResult parse(const QByteArray &bytes, int runMode);
ReadResult read(const QString &path, int runMode);

// The whole file for these entries in this order.
QByteArray serialize(const std::vector<PurchaseEntry> &entries, int runMode);
// Replaces the file at once: a failed write leaves the old file as it was.
WriteResult write(const QString &path, const std::vector<PurchaseEntry> &entries, int runMode);

// Whether the file is no longer what the stamp saw (size, time or content). A file that is gone
// holds nothing a write would destroy, and counts as unchanged.
bool changedSince(const QString &path, const Stamp &stamp);

// The name a save-as writes to: a chosen name without an extension gets "購入履歴.csv" (only
// ".csv" when it ends in "購入履歴" already), so the open dialog's first filter shows the file.
QString savePath(const QString &chosen);

} // namespace PurchaseFile
