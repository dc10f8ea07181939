#pragma once

#include "core/rowsource.h"

namespace Tally {
struct Result;
}

// A tally result read as rows in result order, every row selected: the table as a fresh run
// shows it, for counting its numbers without a window.
class TallyResultRows final : public RowSource
{
public:
    explicit TallyResultRows(const Tally::Result &result) : m_result(result) {}

    int rowCount() const override;
    bool isSelected(int) const override { return true; }
    QString cellText(int row, int column) const override;
    int number(int row, int column) const override;

private:
    const Tally::Result &m_result;
};
