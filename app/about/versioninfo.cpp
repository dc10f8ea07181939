#include "about/versioninfo.h"

#include "core/formhelpers.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace VersionInfo {

namespace {
constexpr int kTicksPerBounce = 100;
constexpr double kStep = 0.2;
constexpr double kStart = -10.0;
constexpr double kTopOffsetTwips = 8.0;
constexpr int kLeftTwips = 15;
} // namespace

Version build()
{
    return {ZEMVARA_VERSION_MAJOR, ZEMVARA_VERSION_MINOR, ZEMVARA_VERSION_PATCH};
}

QString versionText(const Version &version)
{
    return u"ﾊﾞｰｼﾞｮﾝ %1.%2.%3"_s.arg(version.major)
        .arg(version.minor, 2, 10, QLatin1Char('0'))
        .arg(version.revision, 2, 10, QLatin1Char('0'));
}

QString contactAddress()
{
    return QStringLiteral(ZEMVARA_CONTACT_ADDRESS);
}

double iconTopTwips(qint64 tick)
{
    const qint64 step = tick < 1 ? 0 : (tick - 1) % kTicksPerBounce;
    const double x = kStart + kStep * double(step);
    return x * x + kTopOffsetTwips;
}

QPoint iconPosition(qint64 tick)
{
    return {twipsToPixels(kLeftTwips), int(std::lround(iconTopTwips(tick) / kTwipsPerPixel))};
}

} // namespace VersionInfo
