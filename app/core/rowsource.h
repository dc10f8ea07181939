#pragma once

#include <QString>

#include <optional>

struct DrawRecord;

// The one way analyses read a table of rows: the rows of a main window's list (or of any other
// report list), whether each is part of the analysis set, the text of each cell as shown, and
// its value where the cell holds a whole number. Column 0 is the row's own (hidden) text;
// sub-items start at column 1.
class RowSource
{
public:
    virtual ~RowSource() = default;

    virtual int rowCount() const = 0;
    virtual bool isSelected(int row) const = 0;
    virtual QString cellText(int row, int column) const = 0;
    // The whole number a cell shows (" 7" is 7); nothing for blanks or any other text.
    virtual std::optional<qint64> cellNumber(int row, int column) const;
    // The typed draw of a row, for tables of draws; null elsewhere.
    virtual const DrawRecord *record(int row) const;
    // Whether an analysis takes the row: it is selected and, in a table of draws, a valid draw
    // (a row whose numbers are not numbers of the game is shown as it is but not analysed).
    bool inAnalysisSet(int row) const;
};
