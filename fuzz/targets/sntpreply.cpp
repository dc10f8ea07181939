// The SNTP control's reply handling: a datagram read into the server time, and the time as the
// host gets it (a date-time value, which a handler of GotServerTime may also change to anything,
// converted and printed). The time read must be the transmit seconds plus nine hours.
#include "horlogix/datetime.h"
#include "horlogix/sntpreply.h"

#include "fuzzinput.h"

#include <QDateTime>
#include <QTimeZone>

#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace {
void convert(double date)
{
    const QDateTime shown = horlogix::dateToDateTime(date);
    shown.toString(u"yyyy/MM/dd HH:mm:ss"_s);
    horlogix::dateTimeToDate(shown);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram = fuzz::bytes(data, size);
    const std::optional<double> date = horlogix::replyServerTime(datagram);
    fuzz::check(date.has_value() == (size >= size_t(horlogix::kMinimumReplySize)), "reply length rule");
    if (date) {
        const quint32 seconds = (quint32(data[40]) << 24) | (quint32(data[41]) << 16) | (quint32(data[42]) << 8) | data[43];
        const QDateTime expected = QDateTime(QDate(1900, 1, 1), QTime(0, 0), QTimeZone::utc()).addSecs(seconds);
        const QDateTime shown = horlogix::dateToDateTime(*date);
        fuzz::check(shown == expected, "server time is not the transmit seconds");
        fuzz::check(shown.offsetFromUtc() == 9 * 3600, "server time not in JST");
        fuzz::check(horlogix::dateTimeToDate(shown) == *date, "date value does not round-trip");
    }
    // What a handler may have made of the value: any double, read from the input.
    for (size_t i = 0; i + sizeof(double) <= size && i < 4 * sizeof(double); i += sizeof(double)) {
        double any;
        std::memcpy(&any, data + i, sizeof any);
        convert(any);
    }
    return 0;
}
