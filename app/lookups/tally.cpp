#include "lookups/tally.h"

#include "core/combinatorics.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "core/rowsource.h"

#include <bit>
#include <limits>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace Tally {

namespace {
constexpr qint64 kProgressStep = 8192;

qint64 addSaturated(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

// Folds one combination after another into the result rows.
class Folder
{
public:
    Folder(Result &result, bool merge, qint64 expected) : m_result(result), m_merge(merge)
    {
        if (!merge)
            m_exact.reserve(size_t(expected));
    }

    void add(const Key &key, quint64 mask, int rank, qint64 money, int draw)
    {
        if (m_merge ? creditContaining(mask, rank, money, draw) : creditEqual(key, rank, money, draw))
            return;
        const int row = int(m_result.rows.size());
        Combination &c = m_result.rows.emplace_back();
        c.key = key;
        c.mask = mask;
        credit(c, rank, money, draw);
        if (m_merge) {
            for (quint64 bits = mask; bits; bits &= bits - 1)
                m_byNumber[size_t(std::countr_zero(bits))].push_back({mask, row});
        } else {
            m_exact.emplace(key.packed(), row);
        }
    }

private:
    void credit(Combination &c, int rank, qint64 money, int draw)
    {
        ++c.counts[size_t(rank - 1)];
        c.money = addSaturated(c.money, money);
        const int link = int(m_result.links.size());
        m_result.links.push_back({draw, -1});
        if (c.lastLink >= 0)
            m_result.links[size_t(c.lastLink)].next = link;
        else
            c.firstLink = link;
        c.lastLink = link;
    }

    bool creditEqual(const Key &key, int rank, qint64 money, int draw)
    {
        const auto it = m_exact.find(key.packed());
        if (it == m_exact.end())
            return false;
        credit(m_result.rows[size_t(it->second)], rank, money, draw);
        return true;
    }

    // Every listed combination holding all the numbers gets the win; the rows holding the
    // rarest of those numbers are the only candidates.
    bool creditContaining(quint64 mask, int rank, qint64 money, int draw)
    {
        const std::vector<Posting> *rarest = nullptr;
        for (quint64 bits = mask; bits; bits &= bits - 1) {
            const std::vector<Posting> &rows = m_byNumber[size_t(std::countr_zero(bits))];
            if (!rarest || rows.size() < rarest->size())
                rarest = &rows;
        }
        if (!rarest)
            return false;
        bool matched = false;
        for (const Posting &p : *rarest) {
            if ((p.mask & mask) == mask) {
                credit(m_result.rows[size_t(p.row)], rank, money, draw);
                matched = true;
            }
        }
        return matched;
    }

    // A row holding a number, with the row's mask beside it: the scan reads one array straight
    // through instead of visiting every candidate row.
    struct Posting
    {
        quint64 mask = 0;
        int row = 0;
    };

    Result &m_result;
    bool m_merge;
    std::unordered_map<quint64, int> m_exact;
    std::array<std::vector<Posting>, 64> m_byNumber;
};

struct Layout
{
    int picks = 0;
    int tiers = 0;
    explicit Layout(int runMode) : picks(runMode), tiers(GameRules::of(runMode).tierCount())
    {
        if (tiers == 0)
            picks = 0;
    }
    int firstCount() const { return picks + 1; }
    int countAll() const { return picks + tiers + 1; }
    int money() const { return picks + tiers + 2; }
    int draws() const { return picks + tiers + 3; }
    int columns() const { return tiers == 0 ? 0 : picks + tiers + 4; }
};

QString atLeast(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, u' ');
}
} // namespace

int entriesPerDraw(int runMode, int rank)
{
    const GameRules::Tier *tier = GameRules::of(runMode).tier(rank);
    return tier ? int(Combinatorics::binomial(runMode, tier->mainMatches)) : 0;
}

bool Settings::anyTier() const
{
    const int count = GameRules::of(runMode).tierCount();
    for (int rank = 1; rank <= count; ++rank) {
        if (tiers[size_t(rank - 1)])
            return true;
    }
    return false;
}

QString defaultAmountText(int runMode)
{
    return runMode == Game::MiniLoto ? u"20000000"_s : u"200000000"_s;
}

quint64 Key::packed() const
{
    quint64 value = quint64(size) << (6 * kMaxKey);
    for (int i = 0; i < size; ++i)
        value |= quint64(numbers[size_t(i)] & 0x3F) << (6 * i);
    return value;
}

qint64 Combination::countAll() const
{
    qint64 sum = 0;
    for (const qint64 c : counts)
        sum += c;
    return sum;
}

qint64 Plan::rawEntries() const
{
    qint64 perDraw = 0;
    for (int rank = 1; rank <= kMaxTiers; ++rank) {
        if (settings.tiers[size_t(rank - 1)])
            perDraw += entriesPerDraw(settings.runMode, rank);
    }
    return perDraw * qint64(draws.size());
}

Plan plan(const RowSource &table, const Settings &settings)
{
    Plan p;
    p.settings = settings;
    if (table.rowCount() == 0)
        return p;
    if (!settings.anyTier()) {
        p.outcome = Outcome::NoTier;
        return p;
    }
    bool needAmount = false;
    int selected = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (!table.isSelected(row))
            continue;
        ++selected;
        const DrawRecord *record = table.record(row);
        // No combination is built from a cell that is not a number of the game.
        if (!record || !record->valid || record->picks != settings.runMode) {
            ++p.leftOut;
            continue;
        }
        needAmount = needAmount || record->prize(1) == 0;
        p.draws.push_back({*record, table.cellText(row, 1)});
    }
    if (selected == 0) {
        p.outcome = Outcome::NothingSelected;
        return p;
    }
    if (needAmount && settings.tiers[0]) {
        const std::optional<qint64> amount = parseNumber(settings.amountText);
        if (!amount) {
            p.outcome = Outcome::AmountUnreadable;
            return p;
        }
        p.amount = *amount;
    }
    p.outcome = Outcome::Ready;
    return p;
}

QString Result::drawsText(int row) const
{
    QString out;
    for (int l = rows[size_t(row)].firstLink; l >= 0; l = links[size_t(l)].next)
        out += kai[size_t(links[size_t(l)].draw)];
    return out;
}

Result run(const Plan &plan, const Progress &progress)
{
    Result result;
    result.runMode = plan.settings.runMode;
    result.leftOut = plan.leftOut;
    if (plan.outcome != Outcome::Ready)
        return result;

    const int picks = plan.settings.runMode;
    // Each tier's subsets of the draw's positions, in lexicographic order, listed once.
    using Positions = std::array<quint8, kMaxKey>;
    struct TierRun
    {
        int rank = 0;
        int size = 0;
        bool bonus = false;
        std::vector<Positions> subsets;
    };
    std::vector<TierRun> tiers;
    for (const GameRules::Tier &rule : GameRules::of(picks).tiers()) {
        if (!plan.settings.tiers[size_t(rule.rank - 1)] || rule.mainMatches == 0)
            continue;
        TierRun &tier = tiers.emplace_back(TierRun{rule.rank, rule.mainMatches, rule.needsBonus, {}});
        Combinatorics::forEachSubset(Combinatorics::firstPositions(picks), rule.mainMatches, [&](quint64 chosen) {
            Positions &positions = tier.subsets.emplace_back();
            for (size_t k = 0; chosen != 0; ++k, chosen &= chosen - 1)
                positions[k] = quint8(std::countr_zero(chosen));
        });
    }

    const qint64 total = plan.rawEntries();
    result.rawEntries = total;
    result.kai.reserve(plan.draws.size());
    for (const Draw &d : plan.draws)
        result.kai.push_back(d.kai);
    result.links.reserve(size_t(total));

    Folder folder(result, plan.settings.merge, total);
    qint64 done = 0;
    qint64 nextReport = kProgressStep;
    for (size_t i = 0; i < plan.draws.size(); ++i) {
        const DrawRecord &draw = plan.draws[i].record;
        for (const TierRun &tier : tiers) {
            qint64 money = draw.prize(tier.rank);
            if (tier.rank == 1 && money == 0)
                money = plan.amount;
            for (const Positions &positions : tier.subsets) {
                Key key;
                quint64 mask = 0;
                for (int k = 0; k < tier.size; ++k) {
                    const int n = draw.numbers[positions[size_t(k)]];
                    key.numbers[size_t(k)] = quint8(n);
                    mask |= numberBit(n);
                }
                key.size = tier.size;
                if (tier.bonus) {
                    key.numbers[size_t(key.size++)] = quint8(draw.bonus);
                    mask |= numberBit(draw.bonus);
                }
                folder.add(key, mask, tier.rank, money, int(i));
                ++done;
            }
        }
        if (progress && done >= nextReport) {
            if (!progress(done, total)) {
                result.stopped = true;
                return result;
            }
            nextReport = done + kProgressStep;
        }
    }
    if (progress)
        progress(done, total);
    return result;
}

int columnCount(int runMode)
{
    return Layout(runMode).columns();
}

QStringList headers(int runMode)
{
    const Layout layout(runMode);
    if (layout.columns() == 0)
        return {};
    QStringList out{QString()};
    for (int i = 1; i <= layout.picks; ++i)
        out.append(QString::number(i));
    for (int t = 1; t <= layout.tiers; ++t)
        out.append(GameRules::tierLabel(t) + u"回数"_s);
    out << u"合計回数"_s << u"賞金総額"_s << u"回"_s;
    return out;
}

QStringList columnKeys(int runMode)
{
    const Layout layout(runMode);
    if (layout.columns() == 0)
        return {};
    QStringList out{QString()};
    for (int i = 1; i <= layout.picks; ++i)
        out.append(u"No"_s + QString::number(i));
    for (int t = 1; t <= layout.tiers; ++t)
        out.append(u"Count"_s + QString::number(t));
    out << u"CountAll"_s << u"Money"_s << u"Kai"_s;
    return out;
}

int firstCountColumn(int runMode)
{
    return Layout(runMode).firstCount();
}

int moneyColumn(int runMode)
{
    return Layout(runMode).money();
}

int numberAt(const Result &result, int row, int column)
{
    const Key &key = result.rows[size_t(row)].key;
    return column >= 1 && column <= key.size ? key.numbers[size_t(column - 1)] : 0;
}

QString cellText(const Result &result, int row, int column)
{
    const Layout layout(result.runMode);
    if (row < 0 || size_t(row) >= result.rows.size() || column <= 0 || column >= layout.columns())
        return {};
    const Combination &c = result.rows[size_t(row)];
    if (column <= layout.picks) {
        const int n = numberAt(result, row, column);
        return n > 0 ? atLeast(n, 2) : u"  "_s;
    }
    if (column < layout.countAll())
        return atLeast(c.counts[size_t(column - layout.firstCount())], 3);
    if (column == layout.countAll())
        return atLeast(c.countAll(), 3);
    if (column == layout.money())
        return atLeast(c.money, 9);
    return result.drawsText(row);
}

QString caption()
{
    return u"抽選結果から当選番号の抽出"_s;
}

QString tierCaption(int rank)
{
    return QString::number(rank) + u"等"_s;
}

QString mergeCaption()
{
    return u"重複をまとめる"_s;
}

QString amountHint()
{
    return u"１等賞金が０円のとき、この金額で計算する"_s;
}

QString amountMessage()
{
    return u"１等賞金が０円の回があります。計算に使う金額を数字で入力してください"_s;
}

QString leftOutText(int count)
{
    if (count <= 0)
        return {};
    return u"数字が正しくない抽選結果 %1 回分を除いて集計しました"_s.arg(count);
}

} // namespace Tally
