#include "graphs/graphtext.h"

#include <cmath>

QString shortestNumber(double value)
{
    return QString::number(value, 'g', 15);
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

QString trimLeadingBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i).toString();
}
