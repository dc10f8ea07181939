#include "updates/updater.h"

#include "combinations/patternaudit.h"
#include "combinations/patternfolder.h"
#include "core/appfiles.h"
#include "core/gamerules.h"
#include "core/userdata.h"
#include "updates/drawmerge.h"
#include "updates/sitesignature.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
using Outcome = UpdateEntry::Outcome;

const QString kManifestStep = u"更新情報"_s;
const QString kPatternStep = u"保証パターン"_s;
const QString kHelpStep = u"ヘルプ"_s;
const QString kProgramStep = u"プログラム"_s;
const QString kHelpVersionFile = u"version.txt"_s;
// What one run may hold in memory before it writes: far above a real site (a few MiB), far
// below what would hurt the machine.
constexpr qint64 kMaxRunBytes = 512 * 1024 * 1024;

// A write held back until every fetch of the run is done. Returns the failure in words.
struct Staged
{
    UpdateEntry done;  // the line once it is written
    int game = 0;      // a draw file's game
    std::function<QString()> commit;
};

// Whether bytes are the file the manifest lists: its size and its SHA-256.
bool isListedFile(const QByteArray &bytes, const SiteManifest::File &file)
{
    return bytes.size() == file.size && QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) == file.sha256;
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

QString cannotWrite(const QString &path)
{
    return u"%1 に書き込めません"_s.arg(QDir::toNativeSeparators(path));
}

// Writes `bytes` to `path`, keeping the file's previous content as path.bak. `expected` is the
// content the file had when the run read it (nothing: it did not exist); a file changed meanwhile
// is left alone. Either both files are written or neither changes.
QString replaceKeepingBackup(const QString &path, const QByteArray &bytes, const std::optional<QByteArray> &was)
{
    if (!QDir().mkpath(folderOf(path)))
        return cannotWrite(folderOf(path));
    const bool exists = QFileInfo::exists(path);
    const AppFiles::ReadResult now = AppFiles::readFile(path);
    if (exists != was.has_value() || (exists && (!now.ok() || now.bytes != *was)))
        return u"%1 が更新中に変わりました。もう一度更新してください"_s.arg(QDir::toNativeSeparators(path));
    if (!was)
        return AppFiles::writeFile(path, bytes) ? QString() : cannotWrite(path);
    const QByteArray &expected = *was;

    const QString backup = path + u".bak"_s;
    const AppFiles::ReadResult oldBackup = AppFiles::readFile(backup);
    if (!AppFiles::writeFile(backup, expected))
        return cannotWrite(backup);
    if (AppFiles::writeFile(path, bytes))
        return {};
    // Put the backup back as it was.
    if (oldBackup.ok())
        AppFiles::writeFile(backup, oldBackup.bytes);
    else
        QFile::remove(backup);
    return cannotWrite(path);
}

class UpdateRun
{
public:
    UpdateRun(const Updater::Options &options, const Updater::Listener &listener, const std::atomic<bool> *cancel)
        : m_options(options), m_listener(listener), m_cancel(cancel)
    {
        if (!m_options.now.isValid())
            m_options.now = QDateTime::currentDateTimeUtc();
        if (m_options.platform.isEmpty())
            m_options.platform = SiteManifest::currentPlatform();
        if (m_options.patternFolder.isEmpty())
            m_options.patternFolder = UserData::patternFolder(m_options.dataFolder);
    }

    Updater::Report run()
    {
        QString error;
        m_site = SiteAccess::open(m_options.site, m_options.limits, m_cancel, &error);
        if (!m_site) {
            add(kManifestStep, Outcome::Failed, error);
            return m_report;
        }
        if (!readManifest())
            return finish();
        draws();
        patterns();
        help();
        program();
        if (!m_manifest.message.trimmed().isEmpty())
            add(u"お知らせ"_s, Outcome::News, m_manifest.message.trimmed());
        if (isCancelled())
            return finish();
        // From here the run completes: its writes are short, and a cancel now would leave some
        // done and others not.
        m_writing = true;
        for (const Staged &change : std::as_const(m_staged)) {
            const QString failure = change.commit();
            if (failure.isEmpty()) {
                add(change.done.step, change.done.outcome, change.done.text, change.done.order);
                if (change.game)
                    m_report.updatedGames.append(change.game);
            } else {
                add(change.done.step, Outcome::Failed, failure, change.done.order);
            }
        }
        if (m_options.download && m_report.newerProgram && m_report.newerProgram->package) {
            const UpdateEntry saved = Updater::download(m_options, *m_report.newerProgram->package, m_cancel);
            add(saved.step, saved.outcome, saved.text);
        }
        return finish();
    }

private:
    bool isCancelled() const { return m_cancel && m_cancel->load(); }

    Updater::Report finish()
    {
        if (!m_writing && (isCancelled() || m_report.cancelled)) {
            m_report.cancelled = true;
            add(u"更新"_s, Outcome::Nothing, u"中止しました。手元のファイルは変わっていません"_s);
        }
        std::stable_sort(m_report.entries.begin(), m_report.entries.end(),
                         [](const UpdateEntry &a, const UpdateEntry &b) { return a.order < b.order; });
        return m_report;
    }

    // The place of a line to come.
    int reserve() { return m_nextOrder++; }

    void add(const QString &step, Outcome outcome, const QString &text, int order = -1)
    {
        const UpdateEntry entry{step, outcome, text, order < 0 ? reserve() : order};
        m_report.entries.append(entry);
        if (outcome == Outcome::Failed)
            m_report.failed = true;
        if (outcome == Outcome::News || outcome == Outcome::Done)
            m_report.news = true;
        if (m_listener.entry)
            m_listener.entry(entry);
    }

    void progress(const QString &text)
    {
        if (m_listener.progress)
            m_listener.progress(m_done, std::max(m_total, m_done), text);
    }

    // A file of the manifest, fetched and checked against its size and SHA-256; nothing (the
    // failure logged under `step`) when anything is wrong or the run was cancelled.
    std::optional<QByteArray> fetchFile(const SiteManifest::File &file, const QString &step)
    {
        if (!file.problem.isEmpty()) {
            add(step, Outcome::Failed, file.problem);
            return std::nullopt;
        }
        if (m_fetchedBytes + file.size > kMaxRunBytes) {
            add(step, Outcome::Failed, u"%1 を取り込むと、この更新で取り込む量が多すぎます（%2 MiB まで）"_s.arg(file.path).arg(kMaxRunBytes >> 20));
            return std::nullopt;
        }
        progress(file.path);
        const SiteAccess::Fetched fetched = m_site->fetch(file.path, file.size);
        ++m_done;
        if (fetched.cancelled) {
            m_report.cancelled = true;
            return std::nullopt;
        }
        if (!fetched.ok()) {
            add(step, Outcome::Failed, fetched.error);
            return std::nullopt;
        }
        if (fetched.bytes.size() != file.size) {
            add(step, Outcome::Failed,
                u"%1 の大きさが違います（%2 バイトのはずが %3 バイト）"_s.arg(file.path).arg(file.size).arg(fetched.bytes.size()));
            return std::nullopt;
        }
        if (QCryptographicHash::hash(fetched.bytes, QCryptographicHash::Sha256) != file.sha256) {
            add(step, Outcome::Failed, u"%1 の SHA-256 が一覧と違います（壊れたか書き換えられたファイルです）"_s.arg(file.path));
            return std::nullopt;
        }
        m_fetchedBytes += fetched.bytes.size();
        return fetched.bytes;
    }

    bool readManifest()
    {
        m_total = 2;
        progress(u"manifest.json"_s);
        const SiteAccess::Fetched manifest = m_site->fetch(u"manifest.json"_s, SiteManifest::kMaxManifestBytes);
        const SiteAccess::Fetched signature = manifest.ok() ? m_site->fetch(u"manifest.json.sig"_s, 1024) : SiteAccess::Fetched{};
        m_done = 2;
        if (manifest.cancelled || signature.cancelled) {
            m_report.cancelled = true;
            return false;
        }
        QString failure;
        std::optional<QByteArray> signatureBytes;
        if (!manifest.ok())
            failure = manifest.error;
        else if (!signature.ok())
            failure = u"署名がありません（%1）"_s.arg(signature.error);
        else if (m_options.trustedKeys.isEmpty())
            failure = u"信頼する公開鍵がありません"_s;
        else if (!(signatureBytes = SiteSignature::decodeLine(signature.bytes, SiteSignature::kSignatureBytes)))
            failure = u"署名（manifest.json.sig）の形式が正しくありません"_s;
        else if (!SiteSignature::verify(manifest.bytes, *signatureBytes, m_options.trustedKeys))
            failure = u"manifest.json の署名が正しくありません（信頼する鍵の署名ではないか、内容が書き換えられています）"_s;
        if (failure.isEmpty()) {
            SiteManifest::Parsed parsed = SiteManifest::parse(manifest.bytes, m_options.now, m_options.platform);
            if (parsed.manifest)
                m_manifest = std::move(*parsed.manifest);
            else
                failure = parsed.error;
        }
        if (!failure.isEmpty()) {
            add(kManifestStep, Outcome::Failed, failure + u"。何も更新しません"_s);
            return false;
        }
        add(kManifestStep, Outcome::Nothing,
            u"%1 から取得し、署名を確かめました（%2 公開）"_s.arg(m_site->address(), m_manifest.published.toUTC().toString(u"yyyy-MM-dd hh:mm 'UTC'"_s)));
        m_total += m_manifest.draws.size();
        return true;
    }

    void draws()
    {
        QSet<int> seen;
        for (const SiteManifest::DrawFile &entry : std::as_const(m_manifest.draws)) {
            if (isCancelled())
                return;
            const QString step = GameRules::of(entry.runMode).name() + u" 抽選結果"_s;
            if (seen.contains(entry.runMode)) {
                add(step, Outcome::Failed, u"サイトの一覧に同じゲームの抽選結果ファイルが二つあります。二つ目は使いません"_s);
                continue;
            }
            seen.insert(entry.runMode);
            const QString path = UserData::drawFile(m_options.dataFolder, entry.runMode);
            QByteArray local;
            const bool existed = QFileInfo::exists(path);
            if (existed) {
                const AppFiles::ReadResult read = AppFiles::readFile(path);
                if (!read.ok()) {
                    add(step, Outcome::Failed, u"手元の %1 を読めません"_s.arg(QDir::toNativeSeparators(path)));
                    continue;
                }
                local = read.bytes;
            }
            // The signed list says how far the site goes: a file that far already is not fetched.
            const qint64 localLast = DrawMerge::lastDraw(local, entry.runMode);
            if (!local.isEmpty() && entry.lastDraw > 0 && localLast >= entry.lastDraw && entry.file.problem.isEmpty()) {
                ++m_done;
                add(step, Outcome::Nothing, u"新しい抽選はありません（第%1回まで）"_s.arg(localLast));
                continue;
            }
            const std::optional<QByteArray> site = fetchFile(entry.file, step);
            if (!site)
                continue;
            const DrawMerge::Result merged = DrawMerge::merge(local, *site, entry.runMode);
            switch (merged.outcome) {
            case DrawMerge::Outcome::Refused:
                add(step, Outcome::Failed, merged.reason + u"。手元のファイルはそのままです"_s);
                break;
            case DrawMerge::Outcome::UpToDate:
                add(step, Outcome::Nothing, u"新しい抽選はありません（第%1回まで）"_s.arg(merged.lastDraw));
                break;
            case DrawMerge::Outcome::Appended: {
                const QString text = local.isEmpty()
                                         ? u"サイトから取得しました（%1 回分、第%2回まで）"_s.arg(merged.added).arg(merged.lastDraw)
                                         : u"%1 回分を追加しました（第%2回まで）。前のファイルは %3.bak です"_s.arg(merged.added).arg(merged.lastDraw).arg(UserData::drawFileName(entry.runMode));
                m_staged.append({{step, Outcome::Done, text, reserve()}, entry.runMode,
                                 [path, bytes = merged.merged, was = existed ? std::optional<QByteArray>(local) : std::nullopt] {
                                     return replaceKeepingBackup(path, bytes, was);
                                 }});
                break;
            }
            }
        }
    }

    // The files a pattern folder holds, or, when it is not made yet, those it will get.
    QStringList localPatternNames() const
    {
        if (QFileInfo(m_options.patternFolder).isDir())
            return PatternFolder::allFiles(m_options.patternFolder);
        const QString library = m_options.patternLibrary.isEmpty() ? AppFiles::bundledDir(u"PatternFile"_s) : m_options.patternLibrary;
        return library.isEmpty() ? QStringList() : PatternFolder::allFiles(library);
    }

    void patterns()
    {
        if (m_manifest.patterns.isEmpty() || isCancelled())
            return;
        QSet<QString> have;  // serial and key, letter case ignored, as the folder's names tell them apart
        for (const QString &name : localPatternNames()) {
            if (const std::optional<PatternFolder::Name> parsed = PatternFolder::parseName(name))
                have.insert(QString::number(parsed->serial) + u'-' + parsed->key.toUpper());
        }
        QList<const SiteManifest::File *> missing;
        for (const SiteManifest::File &file : std::as_const(m_manifest.patterns)) {
            const std::optional<PatternFolder::Name> parsed = PatternFolder::parseName(file.name);
            if (!parsed || !have.contains(QString::number(parsed->serial) + u'-' + parsed->key.toUpper()))
                missing.append(&file);
        }
        add(kPatternStep + u"一覧"_s, Outcome::Nothing,
            u"サイトに %1 件、うち手元にないもの %2 件"_s.arg(m_manifest.patterns.size()).arg(missing.size()));
        m_total += missing.size();
        const QString folder = m_options.patternFolder;
        const QString library = m_options.patternLibrary;
        bool folderPrepared = false;
        for (const SiteManifest::File *file : std::as_const(missing)) {
            if (isCancelled())
                return;
            const QString step = kPatternStep + u' ' + file->name;
            const std::optional<QByteArray> bytes = fetchFile(*file, step);
            if (!bytes)
                continue;
            const PatternFolder::Request request = PatternFolder::parseName(file->name)->request;
            PatternVerify::Options verifyOptions;
            verifyOptions.cancel = m_cancel;
            progress(u"%1 を検証しています"_s.arg(file->name));
            const std::optional<PatternVerify::Verdict> verdict = PatternAudit::verifyBytes(*bytes, file->name, request, verifyOptions);
            if (!verdict) {
                m_report.cancelled = true;
                return;
            }
            if (!verdict->holds()) {
                add(step, Outcome::Failed, verdict->shortfall + u"追加しません"_s);
                continue;
            }
            const QString target = QDir(folder).filePath(file->name);
            const bool prepare = !folderPrepared && !QFileInfo(folder).isDir();
            folderPrepared = folderPrepared || prepare;
            m_staged.append({{step, Outcome::Done, u"%1を保証することを確かめて追加しました"_s.arg(PatternVerify::guaranteeLabel(request.tier)), reserve()}, 0,
                             [folder, library, target, bytes = *bytes, prepare] {
                                 if (prepare && !QFileInfo(folder).isDir()) {
                                     if (const QString failure = PatternFolder::createWithLibrary(folder, library); !failure.isEmpty())
                                         return failure;
                                 }
                                 if (QFileInfo::exists(target))
                                     return u"手元に同じ名前のファイルができています。置き換えません"_s;
                                 return AppFiles::writeFile(target, bytes) ? QString() : cannotWrite(target);
                             }});
        }
    }

    void help()
    {
        if (!m_manifest.help || isCancelled())
            return;
        const SiteManifest::Help &site = *m_manifest.help;
        QString have = m_options.bundledHelpVersion;
        if (const QString installed = UserData::helpVersion(UserData::helpFolder(m_options.dataFolder)); UserData::isNewerVersion(installed, have))
            have = installed;
        if (!UserData::isNewerVersion(site.version, have)) {
            add(kHelpStep, Outcome::Nothing, u"お使いのヘルプ（版 %1）が最新です"_s.arg(have.isEmpty() ? u"-"_s : have));
            return;
        }
        m_total += site.files.size();
        QList<std::pair<QString, QByteArray>> pages;
        for (const SiteManifest::File &file : site.files) {
            // The version file is the updater's own, written last.
            if (file.name == kHelpVersionFile)
                continue;
            const std::optional<QByteArray> bytes = fetchFile(file, kHelpStep);
            if (!bytes) {
                if (!m_report.cancelled)
                    add(kHelpStep, Outcome::Failed, u"版 %1 を取り込みません"_s.arg(site.version));
                return;
            }
            pages.append({file.name, *bytes});
        }
        const QString target = UserData::helpFolder(m_options.dataFolder);
        const QString version = site.version;
        m_staged.append({{kHelpStep, Outcome::Done, u"版 %1 のページ %2 件を入れました"_s.arg(version).arg(pages.size()), reserve()}, 0,
                         [target, pages, version] { return replaceHelpFolder(target, pages, version); }});
    }

    // The pages go into a scratch folder beside the help folder, which takes its place once
    // complete; the old folder goes only then.
    static QString replaceHelpFolder(const QString &target, const QList<std::pair<QString, QByteArray>> &pages,
                                     const QString &version)
    {
        const QString parent = folderOf(target);
        if (!QDir().mkpath(parent))
            return cannotWrite(parent);
        QTemporaryDir scratch(QDir(parent).filePath(u"help.new-XXXXXX"_s));
        if (!scratch.isValid())
            return cannotWrite(parent);
        for (const auto &[name, bytes] : pages) {
            const QString path = scratch.filePath(name);
            if (!QDir().mkpath(folderOf(path)) || !AppFiles::writeFile(path, bytes))
                return cannotWrite(QDir(target).filePath(name));
        }
        if (!AppFiles::writeFile(scratch.filePath(kHelpVersionFile), version.toUtf8() + '\n'))
            return cannotWrite(target);
        QString old;
        if (QFileInfo::exists(target)) {
            old = target + u".old-"_s + QFileInfo(scratch.path()).fileName().section(u'-', -1);
            if (!QDir().rename(target, old))
                return cannotWrite(target);
        }
        if (!QDir().rename(scratch.path(), target)) {
            if (!old.isEmpty())
                QDir().rename(old, target);
            return cannotWrite(target);
        }
        scratch.setAutoRemove(false);
        if (!old.isEmpty())
            QDir(old).removeRecursively();
        return {};
    }

    void program()
    {
        if (!m_manifest.program || isCancelled())
            return;
        const SiteManifest::Program &offer = *m_manifest.program;
        if (!UserData::isNewerVersion(offer.version, m_options.programVersion)) {
            add(kProgramStep, Outcome::Nothing, u"お使いの版 %1 が最新です"_s.arg(m_options.programVersion));
            return;
        }
        QString text = m_options.programVersion.isEmpty()
                           ? u"新しい版 %1 があります。"_s.arg(offer.version)
                           : u"新しい版 %1 があります（お使いの版 %2）。"_s.arg(offer.version, m_options.programVersion);
        if (!offer.notes.trimmed().isEmpty())
            text += offer.notes.trimmed();
        if (!offer.package)
            text += u"（%1 用のパッケージはサイトにありません）"_s.arg(m_options.platform);
        m_report.newerProgram = offer;
        add(kProgramStep, Outcome::News, text);
    }

    Updater::Options m_options;
    Updater::Listener m_listener;
    const std::atomic<bool> *m_cancel;
    std::unique_ptr<SiteAccess> m_site;
    SiteManifest::Manifest m_manifest;
    QList<Staged> m_staged;
    Updater::Report m_report;
    qint64 m_done = 0;
    qint64 m_total = 0;
    int m_nextOrder = 0;
    bool m_writing = false;
    qint64 m_fetchedBytes = 0;  // held in memory until the writes
};

QString freeName(const QString &folder, const QString &name)
{
    const QFileInfo info(name);
    const QString stem = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    QString candidate = name;
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(candidate)); ++n)
        candidate = u"%1 (%2)%3"_s.arg(stem).arg(n).arg(suffix);
    return QDir(folder).filePath(candidate);
}
} // namespace

Updater::Report Updater::run(const Options &options, const Listener &listener, const std::atomic<bool> *cancel)
{
    return UpdateRun(options, listener, cancel).run();
}

UpdateEntry Updater::download(const Options &options, const SiteManifest::File &package, const std::atomic<bool> *cancel)
{
    UpdateEntry entry{kProgramStep, Outcome::Failed, {}};
    if (!package.problem.isEmpty()) {
        entry.text = package.problem;
        return entry;
    }
    const QString folder = options.downloadFolder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)
                               : options.downloadFolder;
    const QString name = package.path.section(u'/', -1);
    const AppFiles::ReadResult existing = AppFiles::readFile(QDir(folder).filePath(name), SiteManifest::kMaxFileBytes);
    if (existing.ok() && isListedFile(existing.bytes, package)) {
        entry.outcome = Outcome::Nothing;
        entry.text = u"パッケージは %1 に保存済みです"_s.arg(QDir::toNativeSeparators(QDir(folder).filePath(name)));
        return entry;
    }
    QString error;
    const std::unique_ptr<SiteAccess> site = SiteAccess::open(options.site, options.limits, cancel, &error);
    if (!site) {
        entry.text = error;
        return entry;
    }
    const SiteAccess::Fetched fetched = site->fetch(package.path, package.size);
    if (fetched.cancelled) {
        entry.outcome = Outcome::Nothing;
        entry.text = u"ダウンロードを中止しました"_s;
        return entry;
    }
    if (!fetched.ok()) {
        entry.text = fetched.error;
        return entry;
    }
    if (!isListedFile(fetched.bytes, package)) {
        entry.text = u"%1 が一覧の大きさ・SHA-256 と違います。保存しません"_s.arg(package.path);
        return entry;
    }
    const QString target = freeName(folder, name);
    if (!QDir().mkpath(folder) || !AppFiles::writeFile(target, fetched.bytes)) {
        entry.text = cannotWrite(target);
        return entry;
    }
    entry.outcome = Outcome::Done;
    entry.text = u"パッケージを %1 に保存しました（大きさと SHA-256 は確認済み。プログラムからは開きません）"_s.arg(QDir::toNativeSeparators(target));
    return entry;
}
