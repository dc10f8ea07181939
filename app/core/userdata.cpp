#include "core/userdata.h"

#include "core/appfiles.h"
#include "core/game.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVersionNumber>

using namespace Qt::StringLiterals;

namespace UserData {

QString folder()
{
    const QString fromEnvironment = qEnvironmentVariable("ZEMVARA_USER_DATA");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString drawFileName(int runMode)
{
    return runMode == Game::MiniLoto ? u"miniLOTO_Download.csv"_s : u"LOTO6_Download.csv"_s;
}

QString drawFile(const QString &dataFolder, int runMode)
{
    return QDir(dataFolder).filePath(drawFileName(runMode));
}

QString patternFolder(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(u"PatternFile"_s);
}

QString helpFolder(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(u"help"_s);
}

QString helpVersion(const QString &helpFolder)
{
    if (helpFolder.isEmpty())
        return {};
    const AppFiles::ReadResult read = AppFiles::readFile(QDir(helpFolder).filePath(u"version.txt"_s), 256);
    return read.ok() ? QString::fromUtf8(read.bytes).trimmed() : QString();
}

bool isNewerVersion(const QString &a, const QString &b)
{
    const QVersionNumber first = QVersionNumber::fromString(a);
    return !first.isNull() && QVersionNumber::compare(first, QVersionNumber::fromString(b)) > 0;
}

QString provideDrawFiles(const QString &dataFolder)
{
    const QString bundled = AppFiles::bundledDir(u"data"_s);
    if (bundled.isEmpty())
        return {};
    for (const int runMode : {Game::Loto6, Game::MiniLoto}) {
        const QString target = drawFile(dataFolder, runMode);
        if (QFileInfo::exists(target))
            continue;
        const AppFiles::ReadResult source = AppFiles::readFile(QDir(bundled).filePath(drawFileName(runMode)));
        if (!source.ok())
            continue;
        if (!QDir().mkpath(dataFolder) || !AppFiles::writeFile(target, source.bytes))
            return AppFiles::writeFailedText(target);
    }
    return {};
}

} // namespace UserData
