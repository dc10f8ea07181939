#pragma once

class FeatureRegistry;

// The purchase history.
void registerPurchases(FeatureRegistry &features);
