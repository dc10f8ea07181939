#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The manifest of an update site (manifest.json): what the site offers, read and checked. A
// manifest that is not what the format says is refused whole; an entry that breaks a rule of its
// own (an unsafe path, a pattern name off the scheme, a file too large) is kept with the reason,
// and only that entry is refused.
namespace SiteManifest {

// The highest format this program reads.
constexpr int kFormat = 1;
constexpr qint64 kMaxManifestBytes = 1024 * 1024;
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

struct File
{
    QString name;      // patterns and help: the name it is stored under
    QString path;      // relative to the site
    qint64 size = 0;
    QByteArray sha256;  // 32 bytes
    QString problem;   // why the entry is refused; empty when it may be fetched
};

struct DrawFile
{
    int runMode = 0;       // 6 LOTO6, 5 miniLOTO
    qint64 lastDraw = 0;   // 0 when the site does not say
    File file;
};

struct Program
{
    QString version;
    QString notes;
    std::optional<File> package;  // the package for this platform
};

struct Help
{
    QString version;
    QList<File> files;
};

struct Manifest
{
    int format = 0;
    QDateTime published;
    QDateTime expires;
    QString message;
    std::optional<Program> program;
    QList<DrawFile> draws;
    QList<File> patterns;
    std::optional<Help> help;
};

struct Parsed
{
    std::optional<Manifest> manifest;
    QString error;  // why it was refused, in words
};

// Reads manifest.json's bytes as of `now`; `platform` picks the program package ("linux-x86_64").
Parsed parse(const QByteArray &bytes, const QDateTime &now, const QString &platform);

// A site path: relative, '/'-separated, no "..", no empty or "." part, no '\' and no ':'.
bool isSafePath(const QString &path);
// A help page's name: a safe path whose parts are plain names not starting with '.'.
bool isHelpName(const QString &name);
// This machine's package platform: "linux-x86_64", "windows-x86_64"…
QString currentPlatform();

} // namespace SiteManifest
