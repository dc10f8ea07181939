#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <vector>

// Reading a guarantee pattern file into ticket rows: one row per line, character j of a line
// ("0" or "1") standing for pool position j. Every other character (the CR of CR LF, blanks)
// is skipped.
namespace PatternFile {

// Masks hold up to this many positions.
constexpr int kMaxPositions = 64;

struct Ticket
{
    quint64 mask = 0;      // position j marked = bit j-1
    bool surplus = false;  // the line had more 0/1 characters than the grid has positions
    int columns = 0;       // the 0/1 characters of the line
    // Not a usable ticket: cut short by the grid, or not exactly `picks` marks.
    bool isIncomplete(int picks) const;
    QList<int> positions() const;
};

struct Content
{
    QList<Ticket> tickets;
    int firstLineLength = 0;  // 0/1 characters of the first line: the pool the file was made for
};

// The rows of a file's bytes for a grid of `positions` columns (at most kMaxPositions). A last
// line without a line feed still counts when it holds any 0/1 character.
Content parse(QByteArrayView bytes, int positions);

struct Loaded
{
    Content content;
    QString error;  // the warning to show when the file cannot be read; empty on success
    bool ok() const { return error.isEmpty(); }
};

// A pattern taken as a whole: every line a ticket, every line as long as the first, which gives
// the pool.
struct Wheel
{
    std::vector<quint64> tickets;  // position j marked = bit j-1
    int pool = 0;
    QString error;                 // why the bytes are no pattern; empty when they are one
    bool ok() const { return error.isEmpty(); }
};
// The wheel of a file's bytes; fileName is what the message names.
Wheel readWheel(QByteArrayView bytes, const QString &fileName);

// Reads the file at `path` (its name is what the warning names).
Loaded LoadPatternFile(const QString &path, int positions);

// The warning for a pattern file that cannot be opened: "1-639.txtを開けません。".
QString cannotOpenMessage(const QString &fileName);

} // namespace PatternFile
