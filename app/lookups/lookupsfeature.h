#pragma once

#include <QLatin1String>

class FeatureRegistry;

// The result lookups: the search by numbers, the past-result check and the combination tally.
namespace LookupTools {
inline constexpr QLatin1String Search{"search"};
inline constexpr QLatin1String OldHit{"oldHit"};
inline constexpr QLatin1String Way{"way"};
} // namespace LookupTools

void registerLookups(FeatureRegistry &features);
