#include "horlogix/datetime.h"

#include <cmath>

namespace horlogix {

namespace {
const QDate kOrigin(1899, 12, 30);
constexpr qint64 kMsecsPerDay = qint64(kSecondsPerDay) * 1000;
constexpr double kMaxDays = 1e15;
} // namespace

double transmitSecondsToDate(quint32 seconds)
{
    // Split into days and a time of day first, as the result is a date plus whole seconds.
    const double t = double(seconds) + kJstOffsetSeconds;
    const double days = std::floor(t / kSecondsPerDay);
    const double rest = t - kSecondsPerDay * days;
    const double hours = std::floor(rest / 3600);
    const double minutes = std::floor((rest - 3600 * hours) / 60);
    const double secs = std::fmod(rest, 60);
    return kNtpEpochDay + days + (hours * 3600 + minutes * 60 + secs) / kSecondsPerDay;
}

QDateTime dateToDateTime(double date)
{
    // Far past any calendar date (a handler of GotServerTime may store any value); the day
    // count would not even fit an integer.
    if (!std::isfinite(date) || std::fabs(date) >= kMaxDays)
        return {};
    double whole = std::trunc(date);
    qint64 msecs = std::llround(std::fabs(date - whole) * kMsecsPerDay);
    if (msecs >= kMsecsPerDay) {
        // Rounding reached the next midnight.
        msecs -= kMsecsPerDay;
        whole += date < 0 ? -1 : 1;
    }
    const QDate day = kOrigin.addDays(qint64(whole));
    return QDateTime(day, QTime::fromMSecsSinceStartOfDay(int(msecs)), Qt::OffsetFromUTC,
                     kJstOffsetSeconds);
}

double dateTimeToDate(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return 0;
    const QDateTime jst = dateTime.toOffsetFromUtc(kJstOffsetSeconds);
    const qint64 days = kOrigin.daysTo(jst.date());
    const double fraction = double(jst.time().msecsSinceStartOfDay()) / kMsecsPerDay;
    // Before the origin the time of day is added as a magnitude, away from zero.
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

} // namespace horlogix
