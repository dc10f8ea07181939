#include "combinations/patternfile.h"

#include "core/appfiles.h"

#include <QFileInfo>

#include <algorithm>
#include <bit>

using namespace Qt::StringLiterals;

namespace PatternFile {

bool Ticket::isIncomplete(int picks) const
{
    return surplus || std::popcount(mask) != picks;
}

QList<int> Ticket::positions() const
{
    QList<int> out;
    for (quint64 rest = mask; rest != 0; rest &= rest - 1)
        out.append(std::countr_zero(rest) + 1);
    return out;
}

Content parse(QByteArrayView bytes, int positions)
{
    positions = std::clamp(positions, 0, kMaxPositions);
    Content content;
    Ticket current;
    int column = 0;      // 0/1 characters seen on the current line
    bool firstLine = true;
    for (const char c : bytes) {
        if (c == '0' || c == '1') {
            if (column < positions) {
                if (c == '1')
                    current.mask |= quint64(1) << column;
            } else {
                current.surplus = true;
            }
            ++column;
        } else if (c == '\n') {
            content.tickets.append(current);
            if (firstLine)
                content.firstLineLength = column;
            firstLine = false;
            current = Ticket();
            column = 0;
        }
    }
    // Dropping an unterminated last line would silently lose a ticket of the wheel.
    if (column > 0) {
        content.tickets.append(current);
        if (firstLine)
            content.firstLineLength = column;
    }
    return content;
}

Loaded LoadPatternFile(const QString &path, int positions)
{
    Loaded loaded;
    const AppFiles::ReadResult read = AppFiles::readFile(path);
    if (!read.ok()) {
        loaded.error = cannotOpenMessage(QFileInfo(path).fileName());
        return loaded;
    }
    loaded.content = parse(read.bytes, positions);
    return loaded;
}

QString cannotOpenMessage(const QString &fileName)
{
    return fileName + u"を開けません。"_s;
}

} // namespace PatternFile
