#pragma once

#include <QString>

struct DrawRecord;

// The one way analyses read a table of rows: the rows of a main window's list (or of any other
// report list), whether each is part of the analysis set, the text of each cell as shown, and
// the typed values behind the cells. Column 0 is the row's own (hidden) text; sub-items start at
// column 1.
class RowSource
{
public:
    virtual ~RowSource() = default;

    virtual int rowCount() const = 0;
    virtual bool isSelected(int row) const = 0;
    virtual QString cellText(int row, int column) const = 0;
    // The number a number column holds: a main number or the bonus of a draw, a number of a
    // combination. Anything outside 1..maxNo (a blank, a stray value, a column of other values)
    // is no number of the game, for the analysis to leave out.
    virtual int number(int row, int column) const = 0;
    // The typed draw of a row, for tables of draws; null elsewhere.
    virtual const DrawRecord *record(int row) const;
    // Whether an analysis takes the row: it is selected and, in a table of draws, a valid draw
    // (a row whose numbers are not numbers of the game is shown as it is but not analysed).
    bool inAnalysisSet(int row) const;
};
