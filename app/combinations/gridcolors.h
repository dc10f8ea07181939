#pragma once

#include "core/gridsource.h"

namespace GridColors {
// A chosen cell, and the row header of a ticket that does not hold a full set of numbers.
inline constexpr GridColor kMarked = gridRgb(255, 0, 0);
} // namespace GridColors
