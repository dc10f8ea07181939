#include "core/fields.h"

#include <cmath>

QStringView GetField(QStringView line, QStringView separator, int n)
{
    if (n < 0)
        return {};
    qsizetype start = 0;
    for (int i = 0; i < n; ++i) {
        if (separator.isEmpty())
            return {};
        const qsizetype hit = line.indexOf(separator, start, Qt::CaseInsensitive);
        if (hit < 0)
            return {};
        start = hit + separator.size();
    }
    const qsizetype end = separator.isEmpty() ? -1 : line.indexOf(separator, start, Qt::CaseInsensitive);
    return end < 0 ? line.mid(start) : line.mid(start, end - start);
}

QString GetField(const QString &line, const QString &separator, int n)
{
    return GetField(QStringView(line), QStringView(separator), n).toString();
}

void appendPadded(QString &out, QStringView value, int width)
{
    // A value wider than its cell is kept whole: a cut one reads as another number.
    if (value.size() < width)
        out.append(QString(width - value.size(), QLatin1Char(' ')));
    out.append(value);
}

QString padCell(QStringView value, int width)
{
    QString out;
    out.reserve(width);
    appendPadded(out, value, width);
    return out;
}

QString NoToChr(int n)
{
    return QString(QChar(char16_t(n + 48)));
}

QString ChrToNo(const QString &text, int position)
{
    if (position < 1 || position > text.size())
        return QStringLiteral("  ");
    const int value = text.at(position - 1).unicode() - 48;
    return padCell(QString::number(value), 2);
}

QString percentFixed3(double fraction)
{
    const double scaled = std::floor(fraction * 100000.0 + 0.5);
    const qint64 thousandths = std::isfinite(scaled) ? qint64(scaled) : 0;
    const qint64 whole = thousandths / 1000;
    const qint64 part = std::abs(thousandths % 1000);
    QString text = thousandths < 0 && whole == 0 ? QStringLiteral("-0") : QString::number(whole);
    text += u'.';
    text += QString::number(part).rightJustified(3, u'0');
    return text;
}

QString percentCell(double fraction)
{
    return padCell(percentFixed3(fraction), 7) + u'%';
}
