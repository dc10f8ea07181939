#include "updates/sitebuilder.h"

#include "combinations/patternfolder.h"
#include "core/appfiles.h"
#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/game.h"
#include "updates/sitemanifest.h"
#include "updates/sitesignature.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using namespace Qt::StringLiterals;

namespace SiteBuilder {

namespace {
struct Failure
{
    QString what;
};

// Copies `source` to SITE/sitePath and returns its manifest entry (path, size, sha256).
QJsonObject publish(const QString &source, const QString &outFolder, const QString &sitePath, QByteArray *content = nullptr)
{
    const AppFiles::ReadResult read = AppFiles::readFile(source, SiteManifest::kMaxFileBytes);
    if (!read.ok())
        throw Failure{u"%1 を読めません"_s.arg(QDir::toNativeSeparators(source))};
    const QString target = QDir(outFolder).filePath(sitePath);
    if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !AppFiles::writeFile(target, read.bytes))
        throw Failure{AppFiles::writeFailedText(target)};
    if (content)
        *content = read.bytes;
    return {{u"path"_s, sitePath},
            {u"size"_s, double(read.bytes.size())},
            {u"sha256"_s, QString::fromLatin1(QCryptographicHash::hash(read.bytes, QCryptographicHash::Sha256).toHex())}};
}

QJsonArray draws(const QString &folder, const QString &outFolder)
{
    QJsonArray entries;
    if (folder.isEmpty())
        return entries;
    QSet<int> games;
    const QStringList names = QDir(folder).entryList({u"*.csv"_s}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QByteArray bytes;
        QJsonObject entry = publish(QDir(folder).filePath(name), outFolder, u"draws/"_s + name, &bytes);
        DrawTable table;
        const DrawFile::Result parsed = DrawFile::parse(bytes, table);
        if (!parsed.ok())
            throw Failure{u"%1 は抽選結果ファイルではありません"_s.arg(name)};
        // The program keeps one file per game: a second would be merged against the same one.
        if (games.contains(parsed.runMode))
            throw Failure{u"%1 と同じゲームのファイルがもう一つあります"_s.arg(name)};
        games.insert(parsed.runMode);
        entry.insert(u"game"_s, parsed.runMode == Game::Loto6 ? u"loto6"_s : u"miniloto"_s);
        if (table.rowCount() > 0)
            entry.insert(u"last_draw"_s, double(table.record(table.rowCount() - 1)->drawNo.value_or(0)));
        entries.append(entry);
    }
    return entries;
}

QJsonArray patterns(const QString &folder, const QString &outFolder)
{
    QJsonArray entries;
    if (folder.isEmpty())
        return entries;
    for (const QString &name : PatternFolder::allFiles(folder)) {
        QJsonObject entry = publish(QDir(folder).filePath(name), outFolder, u"patterns/"_s + name);
        entry.insert(u"name"_s, name);
        entries.append(entry);
    }
    return entries;
}

QJsonObject help(const QString &given, const QString &outFolder)
{
    const QString folder = QDir(given).absolutePath();  // names are taken relative to it
    QJsonArray files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    QStringList names;
    while (it.hasNext())
        names.append(QDir(folder).relativeFilePath(it.next()));
    names.sort();
    QString version;
    for (const QString &name : std::as_const(names)) {
        if (name == u"version.txt") {
            const AppFiles::ReadResult read = AppFiles::readFile(QDir(folder).filePath(name), 256);
            version = read.ok() ? QString::fromUtf8(read.bytes).trimmed() : QString();
            continue;
        }
        if (!SiteManifest::isHelpName(name))
            continue;
        QJsonObject entry = publish(QDir(folder).filePath(name), outFolder, u"help/"_s + name);
        entry.insert(u"name"_s, name);
        files.append(entry);
    }
    if (version.isEmpty())
        throw Failure{u"ヘルプのフォルダーに version.txt（ヘルプの版）がありません"_s};
    return {{u"version"_s, version}, {u"files"_s, files}};
}
} // namespace

QString build(const Input &input, const QString &outFolder)
{
    if (input.secretKey.size() != SiteSignature::kSecretKeyBytes)
        return u"署名の鍵が正しくありません"_s;
    if (!QDir().mkpath(outFolder))
        return AppFiles::writeFailedText(outFolder);
    const QDateTime published = (input.published.isValid() ? input.published : QDateTime::currentDateTimeUtc()).toUTC();
    QJsonObject root{{u"format"_s, SiteManifest::kFormat},
                     {u"published"_s, published.toString(Qt::ISODate)},
                     {u"expires"_s, published.addDays(input.validDays).toString(Qt::ISODate)}};
    try {
        if (!input.message.isEmpty())
            root.insert(u"message"_s, input.message);
        root.insert(u"draws"_s, draws(input.drawsFolder, outFolder));
        root.insert(u"patterns"_s, patterns(input.patternsFolder, outFolder));
        if (!input.helpFolder.isEmpty())
            root.insert(u"help"_s, help(input.helpFolder, outFolder));
        if (!input.version.isEmpty()) {
            QJsonObject program{{u"version"_s, input.version}, {u"notes"_s, input.notes}};
            QJsonArray files;
            if (!input.programFile.isEmpty()) {
                QJsonObject file = publish(input.programFile, outFolder, u"program/"_s + QFileInfo(input.programFile).fileName());
                file.insert(u"platform"_s, input.platform.isEmpty() ? SiteManifest::currentPlatform() : input.platform);
                files.append(file);
            }
            program.insert(u"files"_s, files);
            root.insert(u"program"_s, program);
        }
    } catch (const Failure &failure) {
        return failure.what;
    }
    const QByteArray manifest = QJsonDocument(root).toJson(QJsonDocument::Indented);
    const QByteArray signature = SiteSignature::sign(manifest, input.secretKey);
    const QString manifestPath = QDir(outFolder).filePath(u"manifest.json"_s);
    if (!AppFiles::writeFile(manifestPath, manifest))
        return AppFiles::writeFailedText(manifestPath);
    const QString signaturePath = manifestPath + u".sig"_s;
    if (!AppFiles::writeFile(signaturePath, SiteSignature::encodeLine(signature)))
        return AppFiles::writeFailedText(signaturePath);
    return {};
}

} // namespace SiteBuilder
