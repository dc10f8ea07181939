#pragma once

#include <QLatin1String>

class FeatureRegistry;

// The statistics graphs: three frequency graphs, each with its trend grid.
namespace GraphTools {
inline constexpr QLatin1String GraphWithBonus{"graphWithBonus"};
inline constexpr QLatin1String TrendWithBonus{"trendWithBonus"};
inline constexpr QLatin1String GraphWithoutBonus{"graphWithoutBonus"};
inline constexpr QLatin1String TrendWithoutBonus{"trendWithoutBonus"};
inline constexpr QLatin1String GraphBonusOnly{"graphBonusOnly"};
inline constexpr QLatin1String TrendBonusOnly{"trendBonusOnly"};
} // namespace GraphTools

void registerGraphs(FeatureRegistry &features);
