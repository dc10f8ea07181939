#pragma once

#include "horlogix/horlogix_global.h"

#include <QByteArrayView>

#include <optional>

namespace horlogix {

// A reply must reach the end of the transmit seconds (bytes 40 to 43).
constexpr int kMinimumReplySize = 44;

// The server time a reply datagram carries: the integer seconds of its transmit timestamp as a
// date-time value in JST (see datetime.h). Every other field is ignored, so any datagram of at
// least kMinimumReplySize bytes gives a time; a shorter one gives none.
HORLOGIX_EXPORT std::optional<double> replyServerTime(QByteArrayView datagram);

} // namespace horlogix
