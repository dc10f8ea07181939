#pragma once

#include <QString>

// The one way analyses read a table of draws: the rows of a main window's list (or of any
// other report list), whether each is part of the analysis set, and the text of each cell.
// Column 0 is the row's own (hidden) text; sub-items start at column 1.
class RowSource
{
public:
    virtual ~RowSource() = default;

    virtual int rowCount() const = 0;
    virtual bool isSelected(int row) const = 0;
    virtual QString cellText(int row, int column) const = 0;
};
