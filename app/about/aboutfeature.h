#pragma once

#include <QLatin1String>

class FeatureRegistry;

// The program-wide windows of the help and the version box.
namespace AboutTools {
inline constexpr QLatin1String Help{"help"};
inline constexpr QLatin1String Version{"version"};
} // namespace AboutTools

// About the program: its help, its online pages and its version box. Also makes F1 open the help
// at the page of the active window, in every window of the program.
void registerAbout(FeatureRegistry &features);
