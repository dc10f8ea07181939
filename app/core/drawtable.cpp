#include "core/drawtable.h"

#include "core/fields.h"
#include "core/sorttoggle.h"

#include <algorithm>
#include <numeric>

void DrawTable::reset(int runMode)
{
    m_runMode = runMode;
    m_columns = GameRules::of(runMode).drawColumns();
    clearRows();
}

void DrawTable::clearRows()
{
    m_rows.clear();
    m_records.clear();
    m_selected.clear();
    m_selectedCount = 0;
    m_drawNumbers.clear();
}

void DrawTable::reserve(int rows)
{
    m_rows.reserve(size_t(rows));
    m_records.reserve(size_t(rows));
    m_selected.reserve(size_t(rows));
}

void DrawTable::push(Row row, const DrawRecord *record)
{
    if (record) {
        m_records.push_back(*record);
    } else {
        m_cells.clear();
        for (size_t c = 0; c + 1 < row.bounds.size(); ++c)
            m_cells.append(QStringView(row.text).mid(row.bounds[c], row.bounds[c + 1] - row.bounds[c]));
        DrawRecord made = makeDrawRecord(m_columns, maxNo(), m_cells);
        // A later row of a draw number already read is a copy or a mistake: the first counts.
        if (made.drawNo && m_drawNumbers.contains(*made.drawNo))
            made.valid = false;
        m_records.push_back(std::move(made));
    }
    if (m_records.back().drawNo)
        m_drawNumbers.insert(*m_records.back().drawNo);
    m_rows.push_back(std::move(row));
    m_selected.push_back(0);
}

int DrawTable::number(int row, int column) const
{
    if (column < 0 || column >= m_columns.size())
        return 0;
    const DrawRecord &r = m_records[size_t(row)];
    const ColumnLayout &layout = m_columns[column];
    if (layout.role == ColumnLayout::Role::Number)
        return r.numbers[size_t(layout.index)];
    return layout.role == ColumnLayout::Role::Bonus ? r.bonus : 0;
}

int DrawTable::invalidRowCount() const
{
    return int(std::count_if(m_records.begin(), m_records.end(), [](const DrawRecord &r) { return !r.valid; }));
}

int DrawTable::invalidSelectedCount() const
{
    int count = 0;
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_selected[r] && !m_records[r].valid)
            ++count;
    }
    return count;
}

QStringList DrawTable::headers() const
{
    QStringList out;
    out.reserve(m_columns.size());
    for (const ColumnLayout &c : m_columns)
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
    push(std::move(row), nullptr);
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
    QList<QStringView> &fields = m_fields;
    fields.clear();
    for (QStringView f : line.tokenize(u',', Qt::KeepEmptyParts))
        fields.append(f);

    Row row;
    row.text.reserve(line.size() + 64);
    row.bounds.reserve(size_t(m_columns.size()) + 1);
    row.bounds.push_back(0);
    for (const ColumnLayout &layout : m_columns) {
        if (layout.field >= 0) {
            const QStringView value = layout.field < fields.size() ? fields[layout.field] : QStringView();
            if (layout.width > 0)
                appendPadded(row.text, value, layout.width);
            else
                row.text.append(value);
        }
        row.bounds.push_back(int(row.text.size()));
    }
    push(std::move(row), nullptr);
}

void DrawTable::appendRowFrom(const RowSource &source, int row)
{
    Row copy;
    copy.bounds.reserve(size_t(m_columns.size()) + 1);
    copy.bounds.push_back(0);
    for (int c = 0; c < m_columns.size(); ++c) {
        copy.text.append(source.cellText(row, c));
        copy.bounds.push_back(int(copy.text.size()));
    }
    // A row of a table of the same game keeps its record; any other is read from its cells.
    const DrawRecord *record = source.record(row);
    const auto *table = dynamic_cast<const DrawTable *>(&source);
    push(std::move(copy), record && table && table->runMode() == m_runMode ? record : nullptr);
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
    sortRowsByText(order_, order, [&](int row) { return cell(row, column).toString(); },
                   column >= 0 && column < m_columns.size() && m_columns[column].width > 0);
    std::vector<Row> rows;
    std::vector<DrawRecord> records;
    std::vector<char> selected;
    rows.reserve(m_rows.size());
    records.reserve(m_rows.size());
    selected.reserve(m_rows.size());
    for (int i : order_) {
        rows.push_back(std::move(m_rows[size_t(i)]));
        records.push_back(std::move(m_records[size_t(i)]));
        selected.push_back(m_selected[size_t(i)]);
    }
    m_rows = std::move(rows);
    m_records = std::move(records);
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
