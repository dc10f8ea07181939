#include "core/griddata.h"

#include <algorithm>

GridData::GridData(int rows, int columns)
{
    resize(rows, columns);
}

void GridData::resize(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == m_rows && columns == m_columns)
        return;
    if (columns == m_columns) {
        m_cells.resize(size_t(rows) * size_t(columns));
        m_rows = rows;
        return;
    }
    std::vector<Cell> cells(size_t(rows) * size_t(columns));
    const int keepRows = std::min(rows, m_rows);
    const int keepColumns = std::min(columns, m_columns);
    for (int r = 0; r < keepRows; ++r) {
        for (int c = 0; c < keepColumns; ++c)
            cells[size_t(r) * size_t(columns) + size_t(c)] = std::move(m_cells[size_t(r) * size_t(m_columns) + size_t(c)]);
    }
    m_cells = std::move(cells);
    m_rows = rows;
    m_columns = columns;
}

const GridData::Cell *GridData::cell(int row, int column) const
{
    return contains(row, column) ? &m_cells[size_t(row) * size_t(m_columns) + size_t(column)] : nullptr;
}

GridData::Cell *GridData::cell(int row, int column)
{
    return contains(row, column) ? &m_cells[size_t(row) * size_t(m_columns) + size_t(column)] : nullptr;
}

const GridData::Cell &GridData::at(int row, int column) const
{
    static const Cell empty;
    const Cell *c = cell(row, column);
    return c ? *c : empty;
}

QString GridData::text(int row, int column) const { return at(row, column).text; }
GridColor GridData::foreColor(int row, int column) const { return at(row, column).fore; }
GridColor GridData::backColor(int row, int column) const { return at(row, column).back; }

void GridData::setText(int row, int column, const QString &text)
{
    if (Cell *c = cell(row, column))
        c->text = text;
}

void GridData::setForeColor(int row, int column, GridColor color)
{
    if (Cell *c = cell(row, column))
        c->fore = color;
}

void GridData::setBackColor(int row, int column, GridColor color)
{
    if (Cell *c = cell(row, column))
        c->back = color;
}
