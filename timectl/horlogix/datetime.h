#pragma once

#include "horlogix/horlogix_global.h"

#include <QDateTime>

// The control hands out date-times as a double: days since 1899-12-30 00:00, the fraction being
// the time of day. 0 means "no time". The values are wall-clock times in Japan Standard Time.
namespace horlogix {

// The control reports server time shifted by a fixed nine hours, whatever the local time zone.
constexpr int kJstOffsetSeconds = 9 * 3600;
constexpr int kSecondsPerDay = 86400;
// Day number of 1900-01-01, the origin of NTP timestamps.
constexpr double kNtpEpochDay = 2.0;

// The integer seconds of an NTP transmit timestamp (seconds since 1900-01-01 00:00 UTC) as a
// date-time value in JST, to the whole second.
HORLOGIX_EXPORT double transmitSecondsToDate(quint32 seconds);

// A date-time value as a QDateTime with the wall-clock fields of the value and an offset of
// +09:00, so that it also names the right instant. Fractions are rounded to the millisecond.
// Negative values follow the usual convention: the whole part counts days back from the
// origin and the fraction, taken as positive, is still the time of day. A value that is not a
// number, or too large for any calendar, gives an invalid QDateTime.
HORLOGIX_EXPORT QDateTime dateToDateTime(double date);

// The inverse: the instant converted to +09:00 and returned as a date-time value. An invalid
// QDateTime gives 0.
HORLOGIX_EXPORT double dateTimeToDate(const QDateTime &dateTime);

} // namespace horlogix
