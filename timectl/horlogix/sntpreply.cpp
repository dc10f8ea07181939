#include "horlogix/sntpreply.h"

#include "horlogix/datetime.h"

namespace horlogix {

namespace {
constexpr qsizetype kTransmitSecondsOffset = 40;
} // namespace

std::optional<double> replyServerTime(QByteArrayView datagram)
{
    if (datagram.size() < kMinimumReplySize)
        return std::nullopt;
    const auto *b = reinterpret_cast<const uchar *>(datagram.data()) + kTransmitSecondsOffset;
    const quint32 seconds = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
    return transmitSecondsToDate(seconds);
}

} // namespace horlogix
