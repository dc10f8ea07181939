#pragma once

#include "core/gridsource.h"

#include <QString>

#include <vector>

// A grid that stores its cells, each with a text, a fore colour and a back colour, as the
// windows set them (a ticket grid the user marks). Kept free of widgets.
class GridData final : public GridSource
{
public:
    explicit GridData(int rows = 1, int columns = 1);

    int rows() const override { return m_rows; }
    int columns() const override { return m_columns; }
    // Cells inside both the old and the new size keep their contents; new cells are empty.
    void resize(int rows, int columns);
    void setRows(int rows) { resize(rows, m_columns); }
    void setColumns(int columns) { resize(m_rows, columns); }

    // Reads outside the grid give an empty cell; writes outside it are ignored.
    QString text(int row, int column) const override;
    void setText(int row, int column, const QString &text);
    GridColor foreColor(int row, int column) const override;
    void setForeColor(int row, int column, GridColor color);
    GridColor backColor(int row, int column) const override;
    void setBackColor(int row, int column, GridColor color);
    // A cell whose back colour was set (a mark or a shade).
    bool isMarked(int row, int column) const { return backColor(row, column) != kNoGridColor; }

private:
    struct Cell
    {
        QString text;
        GridColor fore = kNoGridColor;
        GridColor back = kNoGridColor;
    };

    const Cell *cell(int row, int column) const;
    const Cell &at(int row, int column) const;  // an empty cell outside the grid
    Cell *cell(int row, int column);

    int m_rows = 0;
    int m_columns = 0;
    std::vector<Cell> m_cells;  // row by row
};
