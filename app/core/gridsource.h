#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>

// Cell colours as 0xAARRGGBB; 0 (no alpha) means none was set and the view's own colour shows.
using GridColor = quint32;
constexpr GridColor kNoGridColor = 0;
constexpr GridColor gridRgb(int red, int green, int blue)
{
    return 0xFF000000u | (quint32(red & 0xFF) << 16) | (quint32(green & 0xFF) << 8) | quint32(blue & 0xFF);
}

// Perceived brightness below half: text on such a cell (pure red or blue) is written in white.
bool isDarkGridColor(GridColor color);

// What a grid view paints: rows x columns of cells, each a text with a fore and a back colour.
// Row 0 and column 0 are ordinary cells here; the view decides how label cells look. A source
// may store its cells or compute each one from its row and column when it is asked.
class GridSource
{
public:
    virtual ~GridSource() = default;

    virtual int rows() const = 0;
    virtual int columns() const = 0;
    // Cells outside the grid are empty.
    virtual QString text(int row, int column) const = 0;
    virtual GridColor foreColor(int row, int column) const;
    virtual GridColor backColor(int row, int column) const;

    // The grid as it is now, for another thread to read while this one is changed, replaced or
    // read by its owner (a source may keep what it last read, for one thread). This copies every
    // cell; a source that computes its cells gives one that shares the unchanging data it
    // computes them from, so even a grid of millions of rows costs next to nothing.
    virtual std::shared_ptr<const GridSource> snapshot() const;

    // Sources whose body rows are lottery tickets: the numbers of a row, ascending (none for a
    // row without any). Other sources have no ticket rows.
    virtual bool rowsAreTickets() const;
    virtual QList<int> ticketNumbers(int row) const;

    bool contains(int row, int column) const
    {
        return row >= 0 && column >= 0 && row < rows() && column < columns();
    }
};
