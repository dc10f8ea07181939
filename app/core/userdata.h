#pragma once

#include <QString>

// The user's data folder: the draw-result files the user works on (copies of the bundled ones at
// first, then kept up to date by the online updater), the pattern folder and newer help pages.
namespace UserData {

// $ZEMVARA_USER_DATA when set, else the application data folder of the platform
// (~/.local/share/Zemvara on Linux). Not created here.
QString folder();

// "LOTO6_Download.csv" / "miniLOTO_Download.csv": the file of a game (RunMode 6 or 5) in a data
// folder and on the update site.
QString drawFileName(int runMode);
QString drawFile(const QString &dataFolder, int runMode);
QString patternFolder(const QString &dataFolder);
QString helpFolder(const QString &dataFolder);

// The version of the help pages of a folder (its version.txt); empty when it has none.
QString helpVersion(const QString &helpFolder);

// Whether version text `a` is newer than `b` ("1.10.0" > "1.9.2", "2026.12.08" > "2026.1.1"); a
// text that is no version is never newer.
bool isNewerVersion(const QString &a, const QString &b);

// Copies each bundled draw file that the folder does not hold yet into it (making the folder);
// a file already there is never touched. Returns the message for a copy that failed; empty when
// every file is there.
QString provideDrawFiles(const QString &dataFolder);

} // namespace UserData
