#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// Cell colours as 0xAARRGGBB; 0 (no alpha) means none was set and the view's own colour shows.
using GridColor = quint32;
constexpr GridColor kNoGridColor = 0;
constexpr GridColor gridRgb(int red, int green, int blue)
{
    return 0xFF000000u | (quint32(red & 0xFF) << 16) | (quint32(green & 0xFF) << 8) | quint32(blue & 0xFF);
}
constexpr GridColor kGridRed = gridRgb(255, 0, 0);

// The contents of a grid control: rows x columns of cells, each with a text, a fore colour and
// a back colour. Row 0 and column 0 are ordinary cells here; the view decides how fixed cells
// look. Kept free of widgets so analyses and the command-line tool can fill and read it.
class GridData
{
public:
    explicit GridData(int rows = 1, int columns = 1);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    // Cells inside both the old and the new size keep their contents; new cells are empty.
    void resize(int rows, int columns);
    void setRows(int rows) { resize(rows, m_columns); }
    void setColumns(int columns) { resize(m_rows, columns); }

    bool contains(int row, int column) const
    {
        return row >= 0 && column >= 0 && row < m_rows && column < m_columns;
    }

    // Reads outside the grid give an empty cell; writes outside it are ignored.
    const QString &text(int row, int column) const;
    void setText(int row, int column, const QString &text);
    GridColor foreColor(int row, int column) const;
    void setForeColor(int row, int column, GridColor color);
    GridColor backColor(int row, int column) const;
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
    Cell *cell(int row, int column);

    int m_rows = 0;
    int m_columns = 0;
    std::vector<Cell> m_cells;  // row by row
};
