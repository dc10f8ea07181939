#include "lookups/tallymodel.h"

#include "core/sorttoggle.h"

#include <algorithm>
#include <numeric>

TallyModel::TallyModel(int runMode, QObject *parent)
    : QAbstractTableModel(parent), m_runMode(runMode), m_headers(Tally::headers(runMode)),
      m_keys(Tally::columnKeys(runMode))
{
}

void TallyModel::setResult(std::shared_ptr<const Tally::Result> result)
{
    beginResetModel();
    m_result = std::move(result);
    const size_t n = m_result ? m_result->rows.size() : 0;
    m_order.resize(n);
    std::iota(m_order.begin(), m_order.end(), 0);
    m_selected.assign(n, 0);
    applySort();
    endResetModel();
}

void TallyModel::clear()
{
    setResult(nullptr);
}

QString TallyModel::text(int row, int column) const
{
    return Tally::cellText(*m_result, resultRow(row), column);
}

int TallyModel::number(int row, int column) const
{
    return Tally::numberAt(*m_result, resultRow(row), column);
}

void TallyModel::sortByText(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_headers.size())
        return;
    beginResetModel();
    m_sortColumn = column;
    m_sortOrder = order;
    applySort();
    endResetModel();
}

void TallyModel::applySort()
{
    if (m_sortColumn < 0 || !m_result || m_order.empty())
        return;
    sortRowsByText(m_order, m_sortOrder, [this](int row) { return Tally::cellText(*m_result, row, m_sortColumn); });
}

void TallyModel::setRangeSelected(int first, int last, bool selected)
{
    first = std::max(first, 0);
    last = std::min(last, rows() - 1);
    for (int row = first; row <= last; ++row)
        m_selected[size_t(m_order[size_t(row)])] = selected ? 1 : 0;
}

void TallyModel::setAllSelected(bool selected)
{
    std::fill(m_selected.begin(), m_selected.end(), selected ? 1 : 0);
}

int TallyModel::widestText(int column, const std::function<int(QStringView)> &measure) const
{
    if (!m_result || m_order.empty() || column <= 0 || column >= m_headers.size())
        return 0;
    const Tally::Result &result = *m_result;
    auto advance = [&](char16_t c) { return measure(QStringView(&c, 1)); };
    std::array<int, 10> digit{};
    for (int d = 0; d < 10; ++d)
        digit[size_t(d)] = advance(char16_t(u'0' + d));
    const int blank = advance(u' ');
    // A whole number right-aligned in at least minWidth characters.
    auto numberWidth = [&](qint64 value, int minWidth) {
        int width = 0;
        int length = 0;
        do {
            width += digit[size_t(value % 10)];
            value /= 10;
            ++length;
        } while (value > 0);
        return width + std::max(0, minWidth - length) * blank;
    };

    int widest = 0;
    const int picks = m_runMode;
    if (column <= picks) {
        std::array<bool, 64> reached{};
        for (size_t r = 0; r < result.rows.size(); ++r)
            reached[size_t(Tally::numberAt(result, int(r), column))] = true;
        for (int n = 1; n < 64; ++n) {
            if (reached[size_t(n)])
                widest = std::max(widest, numberWidth(n, 2));
        }
        return widest;
    }
    const int firstCount = Tally::firstCountColumn(m_runMode);
    const int money = Tally::moneyColumn(m_runMode);
    if (column < money) {
        for (const Tally::Combination &c : result.rows) {
            const qint64 v = column == money - 1 ? c.countAll() : c.counts[size_t(column - firstCount)];
            widest = std::max(widest, numberWidth(v, 3));
        }
        return widest;
    }
    if (column == money) {
        for (const Tally::Combination &c : result.rows)
            widest = std::max(widest, numberWidth(std::max<qint64>(c.money, 0), 9));
        return widest;
    }
    // The draws: each draw's text measured once, a row's width the sum over its draws.
    std::vector<int> kaiWidth(result.kai.size());
    for (size_t d = 0; d < result.kai.size(); ++d)
        kaiWidth[d] = measure(result.kai[d]);
    for (const Tally::Combination &c : result.rows) {
        int width = 0;
        for (int l = c.firstLink; l >= 0; l = result.links[size_t(l)].next)
            width += kaiWidth[size_t(result.links[size_t(l)].draw)];
        widest = std::max(widest, width);
    }
    return widest;
}

int TallyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows();
}

int TallyModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant TallyModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    // The draws column may be narrower than its list.
    if (role == Qt::ToolTipRole && index.column() == columnCount() - 1)
        return text(index.row(), index.column()).trimmed();
    // The draws column is as wide as its longest list: the lists read from their first draw on.
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TallyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_headers[section];
    if (role == Qt::UserRole)
        return m_keys[section];
    if (role == Qt::TextAlignmentRole && section > 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}
