#pragma once

#include <QByteArray>
#include <QString>

class DrawTable;

// Reading of draw-result files ("... DownloadData" title line, a heading line, one
// comma-separated line per draw, Shift-JIS text).
namespace DrawFile {

enum class Status {
    Ok,
    Unreadable,   // missing, a directory, no permission, read error, or empty
    NotDrawFile,  // the title line carries neither marker
};

// Why a file was refused, for the detail under the message.
enum class Reason { None, Missing, NotRegular, TooLarge, Unreadable, Empty, NoMarker };

struct Result
{
    Status status = Status::Unreadable;
    int runMode = 0;  // 6 or 5 when Ok
    Reason reason = Reason::None;
    bool ok() const { return status == Status::Ok; }
};

// The message the user sees for any file that is refused.
QString refusedMessage();
// The detail under it: the file's name and the reason.
QString refusedDetail(const QString &path, Reason reason);

// Game of a title line: 6 for LOTO6 (tested first), 5 for miniLOTO, 0 for neither.
int gameOfTitle(QStringView titleLine);

// Builds `table` from the file's bytes. On failure `table` is left as it was.
Result parse(const QByteArray &bytes, DrawTable &table);
Result read(const QString &path, DrawTable &table);

// A draw-result file of the table's game holding the given rows (in that order): the game's title
// line, a heading, and each row's fields as the file had them (the blanks that pad a cell
// dropped), Shift-JIS with CR LF line ends. What the loader reads back to the same rows.
QByteArray encodeRows(const DrawTable &table, const QList<int> &rows);

// Text of the whole file as the loader decodes it, and text as the program writes it (code page
// 932, see core/cp932.h): ASCII bytes stand for themselves, undecodable bytes read as U+FFFD.
QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);

} // namespace DrawFile
