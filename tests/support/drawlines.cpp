#include "support/drawlines.h"

#include <QFile>

namespace drawlines {

QList<int> Draw::mains(int picks) const
{
    QList<int> out;
    for (int i = 0; i < picks; ++i)
        out.append(fields.value(2 + i).toInt());
    return out;
}

QString Draw::prize(int picks, int tier) const
{
    // LOTO6: 5 winner counts then 5 prizes after the bonus; miniLOTO: 4 and 4.
    const int tiers = picks == 6 ? 5 : 4;
    return fields.value(3 + picks + tiers + tier - 1);
}

QList<Draw> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().split('\n');
    QList<Draw> draws;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        Draw d;
        for (const QByteArray &f : line.split(','))
            d.fields.append(QString::fromLatin1(f));
        draws.append(d);
    }
    return draws;
}

int expectedTier(int picks, const QList<int> &numbers, const Draw &draw)
{
    const QList<int> mains = draw.mains(picks);
    int hits = 0;
    bool bonus = false;
    for (const int n : numbers) {
        hits += mains.count(n);
        bonus = bonus || n == draw.bonus(picks);
    }
    if (picks == 6) {
        switch (hits) {
        case 6: return 1;
        case 5: return bonus ? 2 : 3;
        case 4: return 4;
        case 3: return 5;
        default: return 0;
        }
    }
    switch (hits) {
    case 5: return 1;
    case 4: return bonus ? 2 : 3;
    case 3: return 4;
    default: return 0;
    }
}

} // namespace drawlines

namespace {
QString drawLine(int draw, const QList<int> &numbers, int bonus, int prizeFields)
{
    QStringList fields{QString::number(draw), QStringLiteral("2020/01/%1").arg(draw % 28 + 1, 2, 10, QLatin1Char('0'))};
    for (int n : numbers)
        fields.append(QString::number(n));
    fields.append(QString::number(bonus));
    for (int i = 0; i < prizeFields; ++i)
        fields.append(QStringLiteral("0"));
    return fields.join(QLatin1Char(','));
}
} // namespace

QString loto6Line(int draw, const QList<int> &numbers, int bonus)
{
    return drawLine(draw, numbers, bonus, 11);
}

QString miniLotoLine(int draw, const QList<int> &numbers, int bonus)
{
    return drawLine(draw, numbers, bonus, 8);
}

DrawTable drawTable(int runMode, const QStringList &lines)
{
    DrawTable table;
    table.reset(runMode);
    for (const QString &line : lines)
        table.appendDataLine(line);
    table.setAllSelected(true);
    return table;
}

QStringList fourDraws()
{
    return {loto6Line(101, {7, 10, 20, 30, 40, 41}, 2), loto6Line(102, {1, 10, 21, 31, 40, 42}, 3),
            loto6Line(103, {2, 7, 22, 30, 40, 43}, 4), loto6Line(104, {1, 11, 20, 33, 39, 42}, 2)};
}
