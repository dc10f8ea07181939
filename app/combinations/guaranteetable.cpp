#include "combinations/guaranteetable.h"

#include "core/fields.h"
#include "core/gamerules.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace GuaranteeTable {

namespace {
// The tiers a ticket reaches by its main numbers: the bonus number plays no part here.
QList<GameRules::Tier> mainTiers(int picks)
{
    QList<GameRules::Tier> out;
    for (const GameRules::Tier &t : GameRules::of(picks).tiers()) {
        if (!t.needsBonus)
            out.append(t);
    }
    return out;
}
} // namespace

QStringList headers(int picks)
{
    QStringList names;
    for (const GameRules::Tier &t : mainTiers(picks))
        names.append(GameRules::tierLabel(t.rank));
    names.append(u"外れ"_s);
    QStringList out{QString(), u"パターン"_s};
    for (const QString &name : names)
        out.append(name + u"回数"_s);
    for (const QString &name : names)
        out.append(name + u"確率"_s);
    return out;
}

QList<Row> rows(const Guarantee::Result &result)
{
    const int k = result.picks;
    const QList<GameRules::Tier> tiers = mainTiers(k);
    QList<Row> out;
    if (tiers.isEmpty())
        return out;
    // The count column of each best match count; counts no tier takes go to the miss column.
    std::vector<int> columnOf(size_t(k) + 1, int(tiers.size()));
    for (int c = 0; c < tiers.size(); ++c)
        columnOf[size_t(tiers[c].mainMatches)] = c;
    const int columns = int(tiers.size()) + 1;
    Row total{u"合計"_s, QList<qint64>(columns, 0)};
    for (int t = 0; t < result.ticketCount(); ++t) {
        Row row{QString::number(t + 1), QList<qint64>(columns, 0)};
        for (int m = 0; m <= k; ++m) {
            const qint64 v = result.count(t, m);
            row.counts[columnOf[size_t(m)]] += v;
            total.counts[columnOf[size_t(m)]] += v;
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
