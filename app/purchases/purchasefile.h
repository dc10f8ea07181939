#pragma once

#include "purchases/purchaseentry.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The purchase-history file: a title line naming the game, a heading line, then one line per
// purchase (draw number, the numbers, the ticket count; a comment after them is dropped).
// Shift-JIS text, CR LF line ends, every field right-aligned to its cell width.
namespace PurchaseFile {

enum class Status {
    Ok,
    NotHistory,  // the title line does not name this game's history (or there is none)
    Unreadable,  // missing, not a regular file, too large, or a read error
    Unwritable,  // could not be written or put in place
};

// Outcome of a read or a write; `message` is what the user is told when it is not Ok.
struct Result
{
    Status status = Status::Ok;
    QString message;
    bool ok() const { return status == Status::Ok; }
};

struct ReadResult : Result
{
    std::vector<PurchaseEntry> entries;  // file order, not yet checked against the draws
};

QString title(int runMode);
QString heading(int runMode);

ReadResult parse(const QByteArray &bytes, int runMode);
ReadResult read(const QString &path, int runMode);

// The whole file for these entries in this order.
QByteArray serialize(const std::vector<PurchaseEntry> &entries, int runMode);
// Replaces the file at once: a failed write leaves the old file as it was.
Result write(const QString &path, const std::vector<PurchaseEntry> &entries, int runMode);

} // namespace PurchaseFile
