#include "core/numbers.h"

#include <limits>

std::optional<qint64> parseNumber(QStringView text)
{
    const QStringView digits = text.trimmed();
    if (!isDigits(digits))
        return std::nullopt;
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (const QChar c : digits) {
        const int digit = c.unicode() - u'0';
        if (value > (top - digit) / 10)
            return top;
        value = value * 10 + digit;
    }
    return value;
}

bool isDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}
