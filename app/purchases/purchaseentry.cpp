#include "purchases/purchaseentry.h"

#include "core/fields.h"
#include "core/gamerules.h"

#include <vector>

using namespace Qt::StringLiterals;

QString PurchaseEntry::cellText(int column) const
{
    const int p = picks();
    if (column == PurchaseColumn::Kai)
        return kai;
    if (column == PurchaseColumn::Date)
        return outcome.date;
    if (column >= PurchaseColumn::FirstNumber && column < PurchaseColumn::FirstNumber + p)
        return numbers[column - PurchaseColumn::FirstNumber];
    if (column == PurchaseColumn::buy(p))
        return buy;
    if (column == PurchaseColumn::hit(p))
        return outcome.inTable ? QString::number(outcome.hits()) : QString();
    if (column == PurchaseColumn::tou(p))
        return GameRules::tierLabel(outcome.tier);
    if (column == PurchaseColumn::money(p))
        return wins() ? padCell(QString::number(outcome.winnings), GameRules::of(p).amountWidth()) : QString();
    return {};
}

QStringList PurchaseEntry::cells() const
{
    QStringList out;
    const int count = PurchaseColumn::count(picks());
    out.reserve(count);
    for (int c = 0; c < count; ++c)
        out.append(cellText(c));
    return out;
}

QString PurchaseEntry::numberSetText() const
{
    QString text;
    text.reserve(numbers.size() * 3);
    for (const QString &cell : numbers) {
        appendPadded(text, cell, kNumberWidth);
        text.append(u' ');
    }
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
    return text;
}

bool PurchaseEntry::sameCells(const PurchaseEntry &other) const
{
    return kai == other.kai && numbers == other.numbers && buy == other.buy && outcome == other.outcome
        && invalidReason == other.invalidReason;
}

namespace {
// The cell of a value: for the numbers and ticket counts one shared text per value, so that a
// long history holds each of them once instead of once per entry.
QString cellOf(qint64 value, int width)
{
    static const auto shared = [](int w) {
        std::vector<QString> cells(size_t(PurchaseEntry::kMaxTickets + 1));
        for (size_t v = 0; v < cells.size(); ++v)
            cells[v] = padCell(QString::number(v), w);
        return cells;
    };
    static const std::vector<QString> numberCells = shared(PurchaseEntry::kNumberWidth);
    static const std::vector<QString> ticketCells = shared(PurchaseEntry::kBuyWidth);
    if (value >= 0 && value <= PurchaseEntry::kMaxTickets && (width == PurchaseEntry::kNumberWidth || width == PurchaseEntry::kBuyWidth))
        return (width == PurchaseEntry::kNumberWidth ? numberCells : ticketCells)[size_t(value)];
    return padCell(QString::number(value), width);
}
} // namespace

PurchaseEntry makePurchaseEntry(qint64 drawNo, const QList<int> &numbers, qint64 tickets)
{
    PurchaseEntry entry;
    entry.kai = cellOf(drawNo, PurchaseEntry::kKaiWidth);
    entry.drawNo = drawNo;
    entry.numbers.reserve(numbers.size());
    for (qsizetype i = 0; i < numbers.size() && i < PurchaseEntry::kMaxNumbers; ++i) {
        entry.numbers.append(cellOf(numbers[i], PurchaseEntry::kNumberWidth));
        entry.values[size_t(i)] = numbers[i];
    }
    entry.buy = cellOf(tickets, PurchaseEntry::kBuyWidth);
    entry.tickets = tickets;
    return entry;
}

const QList<ColumnLayout> &purchaseColumns(int runMode)
{
    auto build = [](int picks) {
        QList<ColumnLayout> columns{{QString(), QString(), -1, 0},
                                  {u"Kai"_s, u"回"_s, 0, PurchaseEntry::kKaiWidth},
                                  {u"Date"_s, u"抽選日"_s, -1, 0}};
        for (int i = 1; i <= picks; ++i)
            columns.append({u"No"_s + QString::number(i), QString::number(i), i, PurchaseEntry::kNumberWidth});
        columns.append({u"Buy"_s, u"口数"_s, picks + 1, PurchaseEntry::kBuyWidth});
        columns.append({u"Hit"_s, u"ヒット数"_s, -1, 0});
        columns.append({u"Tou"_s, u"当選"_s, -1, 0});
        columns.append({u"Money"_s, u"当選金額"_s, -1, GameRules::of(picks).amountWidth()});
        return columns;
    };
    static const QList<ColumnLayout> loto6 = build(Game::Loto6);
    static const QList<ColumnLayout> miniLoto = build(Game::MiniLoto);
    static const QList<ColumnLayout> none;
    return runMode == Game::Loto6 ? loto6 : runMode == Game::MiniLoto ? miniLoto : none;
}
