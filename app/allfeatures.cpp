#include "allfeatures.h"

#include "about/aboutfeature.h"
#include "combinations/combinationsfeature.h"
#include "graphs/graphsfeature.h"
#include "lookups/lookupsfeature.h"
#include "purchases/purchasesfeature.h"

FeatureRegistry allFeatures(const UpdateSetup &updates)
{
    FeatureRegistry features;
    registerGraphs(features);
    registerLookups(features);
    registerCombinations(features);
    registerPurchases(features);
    registerAbout(features);
    registerUpdates(features, updates);
    return features;
}
