#include "cli.h"

#include "core/appfiles.h"
#include "core/userdata.h"
#include "updates/sitebuilder.h"
#include "updates/sitesignature.h"
#include "updates/updater.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace cli {

namespace {
// The bytes of a one-line base64 key file of `size` bytes; throws Refused.
QByteArray keyFile(const QString &path, int size)
{
    const std::optional<QByteArray> key = SiteSignature::readKeyFile(path, size);
    if (!key)
        throw Refused{u"鍵ファイル %1 を読めません（base64 の 1 行で %2 バイトの鍵）"_s.arg(QDir::toNativeSeparators(path)).arg(size)};
    return *key;
}

int runKeygen(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--out"_s}, {});
    args.expectPositionalCount(0, 0);
    const QString path = args.required(u"--out"_s);
    if (QFile::exists(path))
        throw Refused{u"%1 は既にあります。鍵は上書きしません"_s.arg(QDir::toNativeSeparators(path))};
    const SiteSignature::KeyPair pair = SiteSignature::generate();
    const QString publicPath = path + u".pub"_s;
    // The secret key is for its owner's eyes only, from the moment its file exists.
    const mode_t umask = ::umask(077);
    const bool written = AppFiles::writeFile(path, SiteSignature::encodeLine(pair.secretKey));
    ::umask(umask);
    if (!written || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)) {
        QFile::remove(path);
        throw Refused{AppFiles::writeFailedText(path)};
    }
    if (!AppFiles::writeFile(publicPath, SiteSignature::encodeLine(pair.publicKey)))
        throw Refused{AppFiles::writeFailedText(publicPath)};
    out.line(QString::fromLatin1(pair.publicKey.toBase64()));
    return 0;
}

int runBuild(const QStringList &arguments, Output &out)
{
    const Args args(arguments,
                    {u"--draws"_s, u"--patterns"_s, u"--help"_s, u"--program"_s, u"--version"_s, u"--notes"_s,
                     u"--message"_s, u"--key"_s, u"--out"_s, u"--platform"_s, u"--published"_s},
                    {});
    args.expectPositionalCount(0, 0);
    SiteBuilder::Input input;
    input.drawsFolder = args.value(u"--draws"_s);
    input.patternsFolder = args.value(u"--patterns"_s);
    input.helpFolder = args.value(u"--help"_s);
    input.programFile = args.value(u"--program"_s);
    input.version = args.value(u"--version"_s);
    input.notes = args.value(u"--notes"_s);
    input.message = args.value(u"--message"_s);
    input.platform = args.value(u"--platform"_s);
    if (!input.programFile.isEmpty() && input.version.isEmpty())
        throw UsageError{u"--program needs --version"_s};
    if (args.has(u"--published"_s)) {
        input.published = QDateTime::fromString(args.value(u"--published"_s), Qt::ISODate);
        if (!input.published.isValid())
            throw UsageError{u"--published takes a date and time such as 2026-12-08T09:00:00Z"_s};
    }
    input.secretKey = keyFile(args.required(u"--key"_s), SiteSignature::kSecretKeyBytes);
    const QString site = args.required(u"--out"_s);
    if (const QString failure = SiteBuilder::build(input, site); !failure.isEmpty())
        throw Refused{failure};
    out.line(QDir::toNativeSeparators(QDir(site).filePath(u"manifest.json"_s)));
    return 0;
}
} // namespace

int runUpdate(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--site"_s, u"--data-dir"_s, u"--trust-key"_s, u"--download-dir"_s, u"--stall-ms"_s},
                    {u"--download"_s});
    args.expectPositionalCount(0, 0);
    Updater::Options options;
    options.site = args.required(u"--site"_s);
    options.dataFolder = args.required(u"--data-dir"_s);
    options.downloadFolder = args.value(u"--download-dir"_s);
    options.download = args.has(u"--download"_s);
    options.trustedKeys = SiteSignature::trustedKeys();
    if (args.has(u"--trust-key"_s))
        options.trustedKeys.append(keyFile(args.value(u"--trust-key"_s), SiteSignature::kPublicKeyBytes));
    if (args.has(u"--stall-ms"_s)) {
        bool ok = false;
        options.limits.stallMs = args.value(u"--stall-ms"_s).toInt(&ok);
        if (!ok || options.limits.stallMs < 1)
            throw UsageError{u"--stall-ms takes a positive number of milliseconds"_s};
    }
    options.programVersion = QStringLiteral(ZEMVARA_VERSION);
    options.bundledHelpVersion = UserData::helpVersion(AppFiles::bundledDir(u"help"_s));
    // In step order, as the window lists them.
    const Updater::Report report = Updater::run(options, {}, nullptr);
    for (const UpdateEntry &entry : report.entries)
        out.line(entry.line());
    return report.failed ? 1 : 0;
}

int runSite(const QStringList &arguments, Output &out)
{
    if (arguments.isEmpty())
        throw UsageError{u"missing keygen or build"_s};
    const QString action = arguments.first();
    if (action == u"keygen")
        return runKeygen(arguments.mid(1), out);
    if (action == u"build")
        return runBuild(arguments.mid(1), out);
    throw UsageError{u"unknown site command "_s + action};
}

} // namespace cli
