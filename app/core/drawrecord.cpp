#include "core/drawrecord.h"

#include "core/numbers.h"

using Role = ColumnSpec::Role;

QDate parseDrawDate(QStringView text)
{
    const QStringView t = text.trimmed();
    // One- or two-digit month and day, with the separator the files use.
    QDate date = QDate::fromString(t.toString(), QStringLiteral("yyyy/M/d"));
    if (!date.isValid())
        date = QDate::fromString(t.toString(), QStringLiteral("yyyy-M-d"));
    return date;
}

DrawRecord makeDrawRecord(const QList<ColumnSpec> &columns, int maxNo, const QList<QStringView> &cells)
{
    DrawRecord record;
    int numberCells = 0;
    int goodNumbers = 0;
    bool bonusGood = false;
    auto inGame = [maxNo](std::optional<qint64> v) { return v && *v >= 1 && *v <= maxNo; };
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const ColumnSpec &column = columns[c];
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
            // Cells are two characters wide, so any number fits an int.
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
    record.valid = numberCells > 0 && goodNumbers == numberCells && bonusGood;
    return record;
}
