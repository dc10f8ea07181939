#include "allfeatures.h"

#include "about/aboutfeature.h"
#include "combinations/combinationsfeature.h"
#include "graphs/graphsfeature.h"
#include "lookups/lookupsfeature.h"
#include "purchases/purchasesfeature.h"

FeatureRegistry allFeatures()
{
    FeatureRegistry features;
    registerGraphs(features);
    registerLookups(features);
    registerCombinations(features);
    registerPurchases(features);
    registerAbout(features);
    return features;
}
