#pragma once

#include "core/rowsource.h"

class TallyModel;

// The tally's table read as rows in the order shown, for the frequency graph it owns. The
// number columns give their numbers without going through text.
class TallyRows final : public RowSource
{
public:
    explicit TallyRows(const TallyModel *model) : m_model(model) {}

    int rowCount() const override;
    bool isSelected(int row) const override;
    QString cellText(int row, int column) const override;
    int number(int row, int column) const override;

private:
    const TallyModel *m_model;
};
