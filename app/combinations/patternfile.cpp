#include "combinations/patternfile.h"

#include "core/appfiles.h"
#include "core/textlines.h"

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
    for (TextLines<QByteArrayView> lines(bytes); !lines.atEnd();) {
        Ticket ticket;
        int column = 0;  // 0/1 characters seen on the line
        for (const char c : lines.next()) {
            if (c != '0' && c != '1')
                continue;
            if (column < positions) {
                if (c == '1')
                    ticket.mask |= quint64(1) << column;
            } else {
                ticket.surplus = true;
            }
            ++column;
        }
        // Dropping an unterminated last line would silently lose a ticket of the wheel; one
        // without a 0/1 character holds none.
        if (!lines.lineEnded() && column == 0)
            break;
        if (content.tickets.isEmpty())
            content.firstLineLength = column;
        ticket.columns = column;
        content.tickets.append(ticket);
    }
    return content;
}

Wheel readWheel(QByteArrayView bytes, const QString &fileName)
{
    Wheel wheel;
    const Content content = parse(bytes, kMaxPositions);
    const auto hasMarks = [](const Ticket &t) { return t.columns > 0; };
    if (std::none_of(content.tickets.begin(), content.tickets.end(), hasMarks)) {
        wheel.error = u"%1には「0」「1」の行がありません。"_s.arg(fileName);
        return wheel;
    }
    wheel.pool = content.firstLineLength;
    for (qsizetype i = 0; i < content.tickets.size(); ++i) {
        const Ticket &t = content.tickets[i];
        if (t.columns != wheel.pool) {
            wheel.error = u"%1の%2行目の「0」「1」の数（%3個）が1行目（%4個）と違います。"_s.arg(fileName)
                              .arg(i + 1)
                              .arg(t.columns)
                              .arg(wheel.pool);
            return wheel;
        }
        wheel.tickets.push_back(t.mask);
    }
    if (wheel.pool > kMaxPositions)
        wheel.error = u"%1の行が長すぎます（「0」「1」が%2個）。"_s.arg(fileName).arg(wheel.pool);
    return wheel;
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
