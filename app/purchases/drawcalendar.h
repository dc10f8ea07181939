#pragma once

#include <QDate>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class DrawTable;

// Dates of draws by number. A valid draw of the table has the table's date; rows that are no
// valid draws are passed over. Any other draw is counted along its game's schedule, one
// scheduled weekday per draw, from the nearest table draw below it in the same era, or from the
// era's anchor when the table has none (backwards for draws below the anchor). LOTO6 was drawn on Thursdays up to draw 542 and on Mondays and
// Thursdays from draw 543; miniLOTO on Tuesdays. Holidays that moved real draws are not
// modelled: the table's date wins wherever there is one.
class DrawCalendar
{
public:
    // The table is read once here (row and date of each draw number); it may be null. Rows
    // are those of the table at that moment.
    explicit DrawCalendar(int runMode, const DrawTable *table = nullptr);

    // Row of the draw in the table (the first valid one in list order), nothing when absent.
    std::optional<int> rowOf(qint64 drawNo) const;
    // The date the schedule gives (never the draw's own table date). Invalid for draw numbers
    // outside 1..99999 or a game without a schedule.
    QDate scheduledDate(qint64 drawNo) const;
    // The table's date text when the draw is in the table, else the scheduled date written
    // yyyy/MM/dd; empty when there is neither.
    QString dateText(qint64 drawNo) const;

    static QString format(QDate date);

private:
    struct Era
    {
        qint64 first = 1;
        qint64 last = 0;
        qint64 anchorDraw = 0;
        QDate anchorDate;
        quint8 weekdays = 0;  // bit d set for each Qt day of week d (1 = Monday)
    };
    const Era *eraOf(qint64 drawNo) const;
    static QDate step(QDate from, qint64 steps, quint8 weekdays);

    struct TableDraw
    {
        int row = 0;
        QString dateText;
    };
    std::vector<Era> m_eras;
    QHash<qint64, TableDraw> m_draws;
    // Draws of the table with a readable date, ascending by number.
    std::vector<std::pair<qint64, QDate>> m_known;
};
