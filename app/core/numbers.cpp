#include "core/numbers.h"

#include <limits>

std::optional<qint64> parseNumber(QStringView text)
{
    // One pass over the digits between the blanks: every cell of every draw goes through here.
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].isSpace())
        ++begin;
    while (end > begin && text[end - 1].isSpace())
        --end;
    if (begin == end)
        return std::nullopt;
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    bool saturated = false;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (saturated)
            continue;
        const int digit = c - u'0';
        if (value > (top - digit) / 10) {
            saturated = true;
            value = top;
            continue;
        }
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

QString typedDigits(QStringView typed, QStringView extra)
{
    QString out;
    for (const QChar c : typed) {
        if ((c >= u'0' && c <= u'9') || extra.contains(c))
            out.append(c);
    }
    return out;
}
