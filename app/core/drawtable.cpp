#include "core/drawtable.h"

#include "core/fields.h"

#include <algorithm>
#include <numeric>

void DrawTable::reset(const QList<ColumnSpec> &columns)
{
    m_columns = columns;
    clearRows();
}

void DrawTable::clearRows()
{
    m_rows.clear();
    m_selected.clear();
    m_selectedCount = 0;
}

QStringList DrawTable::headers() const
{
    QStringList out;
    out.reserve(m_columns.size());
    for (const ColumnSpec &c : m_columns)
        out.append(c.header);
    return out;
}

QStringView DrawTable::cell(int row, int column) const
{
    const Row &r = m_rows[size_t(row)];
    if (column < 0 || size_t(column) + 1 >= r.bounds.size())
        return {};
    const int from = r.bounds[size_t(column)];
    return QStringView(r.text).mid(from, r.bounds[size_t(column) + 1] - from);
}

void DrawTable::appendRow(const QList<QStringView> &cells)
{
    Row row;
    qsizetype total = 0;
    for (QStringView c : cells)
        total += c.size();
    row.text.reserve(total);
    row.bounds.reserve(size_t(m_columns.size()) + 1);
    row.bounds.push_back(0);
    for (int c = 0; c < m_columns.size(); ++c) {
        if (c < cells.size())
            row.text.append(cells[c]);
        row.bounds.push_back(int(row.text.size()));
    }
    m_rows.push_back(std::move(row));
    m_selected.push_back(0);
}

void DrawTable::appendRow(const QStringList &cells)
{
    QList<QStringView> views;
    views.reserve(cells.size());
    for (const QString &c : cells)
        views.append(c);
    appendRow(views);
}

void DrawTable::appendDataLine(QStringView line)
{
    // Split once; equivalent to asking GetField for each field, without rescanning the line.
    QList<QStringView> fields;
    for (QStringView f : line.tokenize(u',', Qt::KeepEmptyParts))
        fields.append(f);

    Row row;
    row.text.reserve(line.size() + 64);
    row.bounds.reserve(size_t(m_columns.size()) + 1);
    row.bounds.push_back(0);
    for (const ColumnSpec &layout : m_columns) {
        if (layout.field >= 0) {
            const QStringView value = layout.field < fields.size() ? fields[layout.field] : QStringView();
            if (layout.width > 0)
                appendPadded(row.text, value, layout.width);
            else
                row.text.append(value);
        }
        row.bounds.push_back(int(row.text.size()));
    }
    m_rows.push_back(std::move(row));
    m_selected.push_back(0);
}

void DrawTable::appendRowFrom(const RowSource &source, int row)
{
    QStringList cells;
    cells.reserve(m_columns.size());
    for (int c = 0; c < m_columns.size(); ++c)
        cells.append(source.cellText(row, c));
    appendRow(cells);
}

void DrawTable::setSelected(int row, bool selected)
{
    char &flag = m_selected[size_t(row)];
    if (bool(flag) == selected)
        return;
    flag = selected;
    m_selectedCount += selected ? 1 : -1;
}

void DrawTable::setRangeSelected(int first, int last, bool selected)
{
    first = std::max(first, 0);
    last = std::min(last, rowCount() - 1);
    for (int r = first; r <= last; ++r)
        setSelected(r, selected);
}

void DrawTable::setAllSelected(bool selected)
{
    std::fill(m_selected.begin(), m_selected.end(), char(selected));
    m_selectedCount = selected ? rowCount() : 0;
}

void DrawTable::sortByColumn(int column, Qt::SortOrder order)
{
    std::vector<int> order_(m_rows.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const int cmp = cell(a, column).compare(cell(b, column));
        return order == Qt::AscendingOrder ? cmp < 0 : cmp > 0;
    });
    std::vector<Row> rows;
    std::vector<char> selected;
    rows.reserve(m_rows.size());
    selected.reserve(m_rows.size());
    for (int i : order_) {
        rows.push_back(std::move(m_rows[size_t(i)]));
        selected.push_back(m_selected[size_t(i)]);
    }
    m_rows = std::move(rows);
    m_selected = std::move(selected);
}

RowRange firstRows(int rowCount, qint64 n)
{
    if (n <= 0 || rowCount <= 0)
        return {};
    return {0, int(std::min<qint64>(n, rowCount)) - 1};
}

RowRange lastRows(int rowCount, qint64 n)
{
    if (n <= 0 || rowCount <= 0)
        return {};
    const int first = rowCount < n ? 0 : int(rowCount - n);
    return {first, rowCount - 1};
}
