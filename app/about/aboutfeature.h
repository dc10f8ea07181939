#pragma once

class FeatureRegistry;

// About the program: its help and its version box.
void registerAbout(FeatureRegistry &features);
