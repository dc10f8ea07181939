#include "graphs/graphtext.h"

QString shortestNumber(double value)
{
    return QString::number(value, 'g', 15);
}

QString trimLeadingBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i).toString();
}
