#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Makes an update site from local files: the files copied under draws/, patterns/, help/ and
// program/, and manifest.json listing them with sizes and SHA-256, signed. What whoever publishes
// the week's results runs, and what the tests serve.
namespace SiteBuilder {

struct Input
{
    QString drawsFolder;     // its draw-result files (either game, any name)
    QString patternsFolder;  // its pattern files (names of the scheme)
    QString helpFolder;      // its pages, subfolders included; version.txt gives the help version
    QString programFile;     // optional: the package offered for this platform
    QString version;         // of that program
    QString notes;
    QString message;
    QString platform;        // empty: this machine's
    QByteArray secretKey;    // 64-byte Ed25519 secret key
    QDateTime published;     // invalid: now
    int validDays = 35;
};

// Writes the site into `outFolder` (made when missing); the manifest and its signature last.
// Returns the failure in words; empty on success.
QString build(const Input &input, const QString &outFolder);

} // namespace SiteBuilder
