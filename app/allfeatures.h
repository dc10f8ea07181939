#pragma once

#include "core/featureregistry.h"
#include "updates/updatesfeature.h"

// Every feature the program is built with, registered in one place. The updater checks at
// start-up only when `updates` names a site.
FeatureRegistry allFeatures(const UpdateSetup &updates = {});
