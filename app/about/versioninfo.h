#pragma once

#include <QPoint>
#include <QString>

// What the version box shows about the build, and where its icon is at each tick.
namespace VersionInfo {

struct Version
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version the program was built as.
Version build();
// "ﾊﾞｰｼﾞｮﾝ " then major.minor.revision, minor and revision with at least two digits (1.05.03).
QString versionText(const Version &version);
// The project's contact address, fixed when the program is configured.
QString contactAddress();

// The icon drops and bounces on a parabola: at tick t (1 for the first) the curve's variable is
// x = -10 + 0.2 × ((t - 1) mod 100), its top x² + 8 twips, its left 15 twips; one bounce every
// hundred ticks. Computed from the tick count, so the period never drifts as a running sum of
// 0.2 steps would. Tick 0 (before the first) stands where the first tick puts it.
double iconTopTwips(qint64 tick);
QPoint iconPosition(qint64 tick);

} // namespace VersionInfo
