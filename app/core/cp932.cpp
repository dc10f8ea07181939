#include "core/cp932.h"

#include <QHash>
#include <QStringDecoder>
#include <QtDebug>

#include <array>

namespace Cp932 {

namespace {
constexpr char16_t kReplacement = 0xFFFD;
constexpr uchar kFirstTrail = 0x40;
constexpr int kLeadCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
constexpr int kTrailCount = 0xFC - kFirstTrail + 1;

bool isLead(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrail(uchar b)
{
    return b >= kFirstTrail && b <= 0xFC && b != 0x7F;
}

int pairIndex(uchar lead, uchar trail)
{
    const int leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
    return leadIndex * kTrailCount + (trail - kFirstTrail);
}

// Half-width katakana are single bytes 0xA1-0xDF.
bool isHalfWidthKana(uchar b)
{
    return b >= 0xA1 && b <= 0xDF;
}

constexpr char16_t kHalfWidthKanaBase = 0xFF61;

// NEC-selected IBM extensions (lead 0xED, 0xEE) duplicate characters found elsewhere; Windows
// writes the other code.
bool isNecSelectedIbm(quint16 code)
{
    const int lead = code >> 8;
    return lead == 0xED || lead == 0xEE;
}

struct Tables
{
    std::array<char16_t, size_t(kLeadCount) * kTrailCount> toUnicode{};  // 0: no character
    QHash<char16_t, quint16> fromUnicode;
};

// The double-byte table is taken from the system's converter, one pair at a time, so that its
// quirks elsewhere (control bytes swapped, invalid bytes turned into U+001A) stay out.
Tables buildTables()
{
    Tables t;
    QStringDecoder decoder;
    for (const char *name : {"windows-31j", "Shift_JIS"}) {
        decoder = QStringDecoder(name);
        if (decoder.isValid())
            break;
    }
    if (!decoder.isValid()) {
        qWarning("No Shift-JIS converter available: double-byte characters read as U+FFFD");
        return t;
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLead(uchar(lead)))
            continue;
        for (int trail = kFirstTrail; trail <= 0xFC; ++trail) {
            if (!isTrail(uchar(trail)))
                continue;
            const char pair[2] = {char(lead), char(trail)};
            decoder.resetState();
            const QString s = decoder.decode(QByteArrayView(pair, 2));
            if (decoder.hasError() || s.size() != 1)
                continue;
            const char16_t c = s.front().unicode();
            // Nothing but an ASCII byte may stand for an ASCII character.
            if (c < 0x80 || c == kReplacement || QChar::isSurrogate(c))
                continue;
            t.toUnicode[size_t(pairIndex(uchar(lead), uchar(trail)))] = c;
            const quint16 code = quint16((lead << 8) | trail);
            // Codes are visited in ascending order: the lowest wins, except over the
            // NEC-selected IBM duplicates.
            const auto it = t.fromUnicode.constFind(c);
            if (it == t.fromUnicode.cend() || (isNecSelectedIbm(*it) && !isNecSelectedIbm(code)))
                t.fromUnicode.insert(c, code);
        }
    }
    return t;
}

const Tables &tables()
{
    static const Tables t = buildTables();
    return t;
}
} // namespace

QString decode(QByteArrayView bytes)
{
    const Tables &t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *d = begin;
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = p + bytes.size();
    while (p < end) {
        const uchar b = *p++;
        if (b < 0x80) {
            *d++ = b;
        } else if (isHalfWidthKana(b)) {
            *d++ = char16_t(kHalfWidthKanaBase + (b - 0xA1));
        } else if (isLead(b) && p < end && isTrail(*p)) {
            const char16_t c = t.toUnicode[size_t(pairIndex(b, *p))];
            // An unmapped pair is one bad character, but an ASCII second byte is kept.
            if (c != 0 || *p >= 0x80)
                ++p;
            *d++ = c != 0 ? c : kReplacement;
        } else {
            *d++ = kReplacement;
        }
    }
    out.truncate(d - begin);
    return out;
}

QByteArray encode(QStringView text)
{
    const Tables &t = tables();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out.append(char(c));
        } else if (c >= kHalfWidthKanaBase && c <= kHalfWidthKanaBase + (0xDF - 0xA1)) {
            out.append(char(0xA1 + (c - kHalfWidthKanaBase)));
        } else if (const auto it = t.fromUnicode.constFind(c); it != t.fromUnicode.cend()) {
            out.append(char(*it >> 8));
            out.append(char(*it & 0xFF));
        } else {
            out.append('?');
            // One mark for a character outside the basic plane, not one per half.
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
        }
    }
    return out;
}

} // namespace Cp932
