#include "combinations/guaranteetable.h"

#include "core/fields.h"

using namespace Qt::StringLiterals;

namespace GuaranteeTable {

namespace {
QStringList tierNames(int picks)
{
    if (picks == 6)
        return {u"１等"_s, u"３等"_s, u"４等"_s, u"５等"_s, u"外れ"_s};
    return {u"１等"_s, u"３等"_s, u"４等"_s, u"外れ"_s};
}
} // namespace

QStringList headers(int picks)
{
    QStringList out{QString(), u"パターン"_s};
    const QStringList names = tierNames(picks);
    for (const QString &name : names)
        out.append(name + u"回数"_s);
    for (const QString &name : names)
        out.append(name + u"確率"_s);
    return out;
}

int countColumn(int picks, int matches)
{
    return matches >= 3 ? picks - matches : picks - 2;
}

QList<Row> rows(const Guarantee::Result &result)
{
    const int k = result.picks;
    const int columns = k - 1;
    QList<Row> out;
    if (k < 2)
        return out;
    Row total{u"合計"_s, QList<qint64>(columns, 0)};
    for (int t = 0; t < result.ticketCount(); ++t) {
        Row row{QString::number(t + 1), QList<qint64>(columns, 0)};
        for (int m = 0; m <= k; ++m) {
            const qint64 v = result.count(t, m);
            row.counts[countColumn(k, m)] += v;
            total.counts[countColumn(k, m)] += v;
        }
        out.append(row);
    }
    out.append(total);
    return out;
}

QString percentText(qint64 count, qint64 draws)
{
    if (count == 0 || draws <= 0)
        return u"  0.000%"_s;
    return percentCell(double(count) / double(draws));
}

QList<QStringList> texts(const Guarantee::Result &result)
{
    QList<QStringList> out;
    for (const Row &row : rows(result)) {
        QStringList cells{QString(), row.label};
        for (const qint64 v : row.counts)
            cells.append(QString::number(v));
        for (const qint64 v : row.counts)
            cells.append(percentText(v, result.draws));
        out.append(cells);
    }
    return out;
}

} // namespace GuaranteeTable
