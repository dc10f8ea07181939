#pragma once

#include <QLatin1String>

class FeatureRegistry;

// The combination list with its guarantee calculation, and the pattern file manager.
namespace CombinationTools {
// Tool window of every main window.
inline constexpr QLatin1String CombList{"combList"};
// The one pattern file manager of the program (a program-wide window).
inline constexpr QLatin1String PatternManager{"patternManager"};
} // namespace CombinationTools

void registerCombinations(FeatureRegistry &features);
