#pragma once

#include <QLatin1String>

class FeatureRegistry;

// The purchase history.
namespace PurchaseTools {
inline constexpr QLatin1String BuyHistory{"buyHistory"};
} // namespace PurchaseTools

void registerPurchases(FeatureRegistry &features);
