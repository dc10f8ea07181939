#pragma once

class FeatureRegistry;

// The combination list with its guarantee calculation, and the pattern file manager.
void registerCombinations(FeatureRegistry &features);
