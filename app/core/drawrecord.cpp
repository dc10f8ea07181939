#include "core/drawrecord.h"

#include "core/numbers.h"

#include <bit>

using Role = ColumnLayout::Role;

namespace {
// Digits of text[from..] up to the first non-digit, at most maxDigits of them; -1 when there
// are none or more.
int readField(QStringView text, qsizetype &at, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        if (++digits > maxDigits)
            return -1;
        value = value * 10 + (text[at].unicode() - u'0');
        ++at;
    }
    return digits == 0 ? -1 : value;
}
} // namespace

QDate parseDrawDate(QStringView text)
{
    // Four-digit year, one- or two-digit month and day, "/" or "-" between them. Read by hand:
    // the general date parser was most of the time of a whole load.
    const QStringView t = text.trimmed();
    qsizetype at = 0;
    const qsizetype yearStart = at;
    const int year = readField(t, at, 4);
    if (year < 0 || at - yearStart != 4 || at >= t.size())
        return {};
    const QChar separator = t[at];
    if (separator != u'/' && separator != u'-')
        return {};
    ++at;
    const int month = readField(t, at, 2);
    if (month < 0 || at >= t.size() || t[at] != separator)
        return {};
    ++at;
    const int day = readField(t, at, 2);
    if (day < 0 || at != t.size())
        return {};
    return QDate(year, month, day);  // invalid for a day the month does not have
}

DrawRecord makeDrawRecord(const QList<ColumnLayout> &columns, int maxNo, const QList<QStringView> &cells)
{
    DrawRecord record;
    int numberCells = 0;
    int goodNumbers = 0;
    bool bonusGood = false;
    auto inGame = [maxNo](std::optional<qint64> v) { return v && *v >= 1 && *v <= maxNo; };
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const ColumnLayout &column = columns[c];
        const QStringView cell = c < cells.size() ? cells[c] : QStringView();
        switch (column.role) {
        case Role::None:
            break;
        case Role::DrawNo:
            record.drawNo = parseNumber(cell);
            break;
        case Role::Date:
            record.dateText = cell.toString();
            record.date = parseDrawDate(cell);
            break;
        case Role::Number: {
            ++numberCells;
            const std::optional<qint64> v = parseNumber(cell);
            // Anything above two digits is no number of a game.
            if (v && *v <= 99)
                record.numbers[size_t(column.index)] = int(*v);
            if (inGame(v)) {
                ++goodNumbers;
                record.mask |= numberBit(int(*v));
            }
            break;
        }
        case Role::Bonus: {
            const std::optional<qint64> v = parseNumber(cell);
            if (v && *v <= 99)
                record.bonus = int(*v);
            bonusGood = inGame(v);
            break;
        }
        case Role::Winners:
            record.winners[size_t(column.index)] = parseNumber(cell).value_or(0);
            break;
        case Role::Prize:
            record.prizes[size_t(column.index)] = parseNumber(cell).value_or(0);
            break;
        case Role::Carry:
            record.carry = parseNumber(cell).value_or(0);
            break;
        }
    }
    record.picks = numberCells;
    // A number drawn twice (the bonus among the main numbers too) is no draw.
    const bool distinct = std::popcount(record.mask) == numberCells && !record.hasMain(record.bonus);
    record.valid = numberCells > 0 && goodNumbers == numberCells && bonusGood && distinct;
    return record;
}
