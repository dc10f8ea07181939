#pragma once

#include "core/featureregistry.h"

// Every feature the program is built with, registered in one place.
FeatureRegistry allFeatures();
