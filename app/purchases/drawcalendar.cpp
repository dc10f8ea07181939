#include "purchases/drawcalendar.h"

#include "core/drawtable.h"
#include "core/game.h"
#include "purchases/purchaseentry.h"

#include <algorithm>
#include <bit>

using namespace Qt::StringLiterals;

namespace {
constexpr quint8 dayBit(int dayOfWeek)
{
    return quint8(1u << dayOfWeek);
}
} // namespace

DrawCalendar::DrawCalendar(int runMode, const DrawTable *table)
{
    constexpr qint64 open = PurchaseEntry::kMaxDrawNo;
    if (runMode == Game::Loto6) {
        m_eras.push_back({1, 542, 286, QDate(2006, 4, 13), dayBit(Qt::Thursday)});
        m_eras.push_back({543, open, 543, QDate(2011, 4, 4), quint8(dayBit(Qt::Monday) | dayBit(Qt::Thursday))});
    } else if (runMode == Game::MiniLoto) {
        m_eras.push_back({1, open, 350, QDate(2006, 4, 11), dayBit(Qt::Tuesday)});
    }
    if (!table)
        return;
    m_draws.reserve(table->rowCount());
    m_known.reserve(size_t(table->rowCount()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const DrawRecord *record = table->record(r);
        // A row that is no valid draw (a number out of range or repeated, a draw number seen
        // before, a line cut short) is no date and no result either.
        if (!record || !record->valid || !record->drawNo || m_draws.contains(*record->drawNo))
            continue;
        m_draws.insert(*record->drawNo, {r, record->dateText});
        if (record->date.isValid())
            m_known.emplace_back(*record->drawNo, record->date);
    }
    std::sort(m_known.begin(), m_known.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
}

std::optional<int> DrawCalendar::rowOf(qint64 drawNo) const
{
    const auto it = m_draws.constFind(drawNo);
    return it == m_draws.cend() ? std::nullopt : std::optional<int>(it->row);
}

const DrawCalendar::Era *DrawCalendar::eraOf(qint64 drawNo) const
{
    for (const Era &era : m_eras) {
        if (drawNo >= era.first && drawNo <= era.last)
            return &era;
    }
    return nullptr;
}

QDate DrawCalendar::step(QDate from, qint64 steps, quint8 weekdays)
{
    if (steps == 0)
        return from;
    const int direction = steps > 0 ? 1 : -1;
    qint64 left = steps > 0 ? steps : -steps;
    // The first step lands on the nearest scheduled day; from there every further week holds
    // as many draws as the schedule has weekdays.
    QDate date = from;
    do {
        date = date.addDays(direction);
    } while (!(weekdays & dayBit(date.dayOfWeek())));
    --left;
    const int perWeek = std::popcount(weekdays);
    date = date.addDays(direction * 7 * (left / perWeek));
    for (left %= perWeek; left > 0; --left) {
        do {
            date = date.addDays(direction);
        } while (!(weekdays & dayBit(date.dayOfWeek())));
    }
    return date;
}

QDate DrawCalendar::scheduledDate(qint64 drawNo) const
{
    const Era *era = eraOf(drawNo);
    if (!era)
        return {};
    // The nearest draw below this one that the table dates, within the era.
    auto below = std::lower_bound(m_known.begin(), m_known.end(), drawNo,
                                  [](const auto &known, qint64 n) { return known.first < n; });
    if (below != m_known.begin()) {
        --below;
        if (below->first >= era->first)
            return step(below->second, drawNo - below->first, era->weekdays);
    }
    return step(era->anchorDate, drawNo - era->anchorDraw, era->weekdays);
}

QString DrawCalendar::dateText(qint64 drawNo) const
{
    if (const auto it = m_draws.constFind(drawNo); it != m_draws.cend())
        return it->dateText;
    return format(scheduledDate(drawNo));
}

QString DrawCalendar::format(QDate date)
{
    return date.isValid() ? date.toString(u"yyyy/MM/dd"_s) : QString();
}
