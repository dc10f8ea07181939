// The online updater against a real web server on loopback and a site folder: a fresh data
// folder brought up to date, a second run that fetches nothing, every kind of bad site refused
// with every local file left as it was, and the window and the command line over the same steps.
#include "siteserver.h"

#include "core/appfiles.h"
#include "core/backgroundtask.h"
#include "core/formmain.h"
#include "core/program.h"
#include "support/drawlines.h"
#include "support/testsupport.h"
#include "updates/formupdate.h"
#include "updates/sitebuilder.h"
#include "updates/sitesignature.h"
#include "updates/updater.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Outcome = UpdateEntry::Outcome;

namespace {
QByteArray readAll(const QString &path)
{
    return AppFiles::readFile(path).bytes;
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(AppFiles::writeFile(path, bytes));
}

// Every file under a folder with its content: what "nothing changed, nothing left behind" means.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), readAll(path));
    }
    return files;
}

// The first `count` data lines of a draw file, cut at CR LF by hand.
QByteArray firstDraws(const QByteArray &file, int count)
{
    QList<QByteArray> lines = file.split('\n');
    return lines.mid(0, 2 + count).join('\n') + '\n';
}

int drawCount(const QByteArray &file)
{
    return int(file.count('\n')) - 2;
}

QStringList texts(const Updater::Report &report, Outcome outcome)
{
    QStringList lines;
    for (const UpdateEntry &entry : report.entries) {
        if (entry.outcome == outcome)
            lines.append(entry.line());
    }
    return lines;
}
} // namespace

class TestUpdates : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    SiteSignature::KeyPair m_key;
    QString m_sources;  // draws/, patterns/, help/, program file
    QByteArray m_loto6;
    QByteArray m_mini;

    // A site of the given parts, built by the site builder and signed with the test key.
    QString buildSite(const QString &name, bool withPatterns, bool withHelp, bool withProgram, const QString &message = {})
    {
        SiteBuilder::Input input;
        input.drawsFolder = m_sources + u"/draws"_s;
        input.patternsFolder = withPatterns ? m_sources + u"/patterns"_s : QString();
        input.helpFolder = withHelp ? m_sources + u"/help"_s : QString();
        if (withProgram) {
            input.programFile = m_sources + u"/zemvara_9.0.0_amd64.deb"_s;
            input.version = u"9.0.0"_s;
            input.notes = u"速くなりました"_s;
        }
        input.message = message;
        input.secretKey = m_key.secretKey;
        const QString site = m_root.filePath(name);
        const QString failure = SiteBuilder::build(input, site);
        if (!failure.isEmpty())
            qWarning() << failure;
        return site;
    }

    // Rewrites a site's manifest and signs it again (or not, or with another key).
    void editManifest(const QString &site, const std::function<void(QJsonObject &)> &edit, const QByteArray &secretKey = {})
    {
        QJsonObject root = QJsonDocument::fromJson(readAll(site + u"/manifest.json"_s)).object();
        edit(root);
        resign(site, QJsonDocument(root).toJson(), secretKey.isEmpty() ? m_key.secretKey : secretKey);
    }
    void resign(const QString &site, const QByteArray &manifest, const QByteArray &secretKey)
    {
        write(site + u"/manifest.json"_s, manifest);
        write(site + u"/manifest.json.sig"_s, SiteSignature::encodeLine(SiteSignature::sign(manifest, secretKey)));
    }

    Updater::Options options(const QString &site, const QString &data)
    {
        Updater::Options o;
        o.site = site;
        o.dataFolder = data;
        o.patternLibrary = m_root.filePath(u"nolibrary"_s);
        o.downloadFolder = data + u"/../downloads"_s;
        o.trustedKeys = {m_key.publicKey};
        o.programVersion = u"1.0.0"_s;
        o.bundledHelpVersion = u"2026.12.08"_s;
        o.limits.stallMs = 400;
        return o;
    }

    // Runs the update on a thread of its own, as the window does, while this thread serves.
    Updater::Report update(const Updater::Options &o, qint64 cancelAtStep = -1)
    {
        auto cancel = std::make_shared<std::atomic<bool>>(false);
        std::optional<Updater::Report> report;
        BackgroundTask task;
        task.start(
            [o, cancel, cancelAtStep](BackgroundTask::Run &) {
                Updater::Listener listener;
                listener.progress = [&](qint64 done, qint64, const QString &) {
                    if (cancelAtStep >= 0 && done >= cancelAtStep)
                        cancel->store(true);
                };
                return Updater::run(o, listener, cancel.get());
            },
            [&report](Updater::Report r) { report = std::move(r); });
        QDeadlineTimer deadline(60'000);
        while (!report && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return report.value_or(Updater::Report{});
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_key = SiteSignature::generate();
        m_sources = m_root.filePath(u"sources"_s);
        m_loto6 = readAll(testsupport::loto6File());
        m_mini = readAll(testsupport::miniLotoFile());
        write(m_sources + u"/draws/LOTO6_Download.csv"_s, m_loto6);
        write(m_sources + u"/draws/miniLOTO_Download.csv"_s, m_mini);
        // Two wheels the shipped library does not have under these names.
        for (const QString &name : {u"1-546.txt"_s, u"1-657.txt"_s})
            write(m_sources + u"/patterns/9"_s + name, readAll(AppFiles::bundledDir(u"PatternFile"_s) + u'/' + name));
        write(m_sources + u"/help/contents.html"_s, "<html>new</html>");
        write(m_sources + u"/help/images/logo.png"_s, "png");
        write(m_sources + u"/help/version.txt"_s, "2099.1.1\n");
        write(m_sources + u"/zemvara_9.0.0_amd64.deb"_s, QByteArray(5000, 'p'));
    }

    void freshFolderThenNothingNew()
    {
        const QString site = buildSite(u"full"_s, true, true, true, u"今週のお知らせ"_s);
        SiteServer server(site);
        const QString data = m_root.filePath(u"fresh/data"_s);
        Updater::Options o = options(server.url(), data);
        o.download = true;
        const Updater::Report first = update(o);
        QVERIFY2(!first.failed, qPrintable(texts(first, Outcome::Failed).join(u'\n')));
        QCOMPARE(readAll(data + u"/LOTO6_Download.csv"_s), m_loto6);
        QCOMPARE(readAll(data + u"/miniLOTO_Download.csv"_s), m_mini);
        QCOMPARE(QDir(data + u"/PatternFile"_s).entryList(QDir::Files), QStringList({u"91-546.txt"_s, u"91-657.txt"_s}));
        QCOMPARE(readAll(data + u"/help/images/logo.png"_s), QByteArray("png"));
        QCOMPARE(readAll(data + u"/help/version.txt"_s), QByteArray("2099.1.1\n"));
        QCOMPARE(readAll(o.downloadFolder + u"/zemvara_9.0.0_amd64.deb"_s), QByteArray(5000, 'p'));
        QCOMPARE(texts(first, Outcome::News),
                 QStringList({u"プログラム：新しい版 9.0.0 があります（お使いの版 1.0.0）。速くなりました"_s, u"お知らせ：今週のお知らせ"_s}));
        QCOMPARE(texts(first, Outcome::Done).size(), 2 + 2 + 1 + 1);

        // Up to date: only the manifest and its signature are fetched, and nothing is written.
        const QMap<QString, QByteArray> before = snapshot(m_root.filePath(u"fresh"_s));
        const int requests = server.requestCount();
        const Updater::Report second = update(o);
        QCOMPARE(server.requestCount() - requests, 2);
        QVERIFY(!second.failed);
        QVERIFY(texts(second, Outcome::Done).isEmpty());
        QCOMPARE(snapshot(m_root.filePath(u"fresh"_s)), before);
    }

    void newDrawsAppendedBehindTheOldOnes()
    {
        const QString site = buildSite(u"draws"_s, false, false, false);
        const QString data = m_root.filePath(u"append"_s);
        const QByteArray old = firstDraws(m_loto6, drawCount(m_loto6) - 5);
        write(data + u"/LOTO6_Download.csv"_s, old);
        write(data + u"/miniLOTO_Download.csv"_s, m_mini);
        const Updater::Report report = update(options(site, data));
        QCOMPARE(report.updatedGames, QList<int>{6});
        QCOMPARE(readAll(data + u"/LOTO6_Download.csv"_s), m_loto6);
        QCOMPARE(readAll(data + u"/LOTO6_Download.csv.bak"_s), old);
        QVERIFY(!QFileInfo::exists(data + u"/miniLOTO_Download.csv.bak"_s));
    }

    // A draw file the user emptied is filled from the site; a game listed twice is taken once.
    void emptyFileAndAGameListedTwice()
    {
        const QString site = buildSite(u"twice"_s, false, false, false);
        editManifest(site, [](QJsonObject &m) {
            QJsonArray draws = m.value(u"draws"_s).toArray();
            draws.append(draws.first());
            m.insert(u"draws"_s, draws);
        });
        const QString data = m_root.filePath(u"emptied"_s);
        write(data + u"/LOTO6_Download.csv"_s, {});
        const Updater::Report report = update(options(site, data));
        QCOMPARE(readAll(data + u"/LOTO6_Download.csv"_s), m_loto6);
        QVERIFY(QFileInfo::exists(data + u"/LOTO6_Download.csv.bak"_s));
        QCOMPARE(texts(report, Outcome::Failed).size(), 1);
        QVERIFY(texts(report, Outcome::Failed).first().contains(u"二つあります"_s));
    }

    void badSiteChangesNothing_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(badSites().size()); ++i)
            QTest::newRow(qPrintable(badSites()[size_t(i)].name)) << i;
    }

    void badSiteChangesNothing()
    {
        QFETCH(int, row);
        const BadSite &bad = badSites()[size_t(row)];
        const QString site = buildSite(u"bad%1"_s.arg(row), true, false, false);
        // Each row spoils what would change: the LOTO6 draws, or the one new wheel.
        const bool aboutPatterns = bad.name.startsWith(u"pattern");
        editManifest(site, [aboutPatterns](QJsonObject &m) {
            QJsonArray patterns;
            patterns.append(m.value(u"patterns"_s).toArray().first());
            m.insert(u"patterns"_s, aboutPatterns ? patterns : QJsonArray());
            m.insert(u"draws"_s, aboutPatterns ? QJsonArray() : QJsonArray{m.value(u"draws"_s).toArray().first()});
        });
        SiteServer server(site);
        const QString data = m_root.filePath(u"bad%1/data"_s.arg(row));
        write(data + u"/LOTO6_Download.csv"_s, firstDraws(m_loto6, 1000));
        QDir().mkpath(data + u"/PatternFile"_s);
        Updater::Options o = options(server.url(), data);
        Context context{this, site, &server, &o};
        bad.spoil(context);
        const QMap<QString, QByteArray> before = snapshot(data);
        const Updater::Report report = update(o, bad.cancelAtStep);
        if (bad.cancelAtStep >= 0) {
            QVERIFY(report.cancelled);
        } else {
            QVERIFY(report.failed);
            const QString failures = texts(report, Outcome::Failed).join(u'\n');
            QVERIFY2(failures.contains(bad.expected), qPrintable(failures));
        }
        AppFiles::simulateWriteFailure(AppFiles::WriteFailure::None);
        QCOMPARE(snapshot(data), before);
    }

    void windowLogsAndOffersTheReload()
    {
        const QString site = buildSite(u"window"_s, false, false, false);
        QTemporaryDir data;
        const QString file = data.filePath(u"LOTO6_Download.csv"_s);
        write(file, firstDraws(m_loto6, 2000));
        auto main = testsupport::shownMainWindow(file, {900, 600});
        QCOMPARE(testsupport::program().firstWindow(), main.get());
        QVERIFY(testsupport::ownAction(main.get(), u"menuDataUpdate"_s)->isEnabled());

        UpdateSetup setup;
        setup.extraKeys = {m_key.publicKey};
        setup.dataFolder = data.path();
        FormUpdate window(setup, testsupport::program());
        window.startUpdate(site, true);
        QTRY_VERIFY_WITH_TIMEOUT(window.lastReport().has_value(), 30'000);
        QVERIFY(window.isVisible());  // news: shown although quiet
        QVERIFY(window.logLines().join(u'\n').contains(u"LOTO6 抽選結果：%1 回分を追加しました"_s.arg(drawCount(m_loto6) - 2000)));
        auto *reload = window.findChild<QPushButton *>(u"Command4"_s);
        QVERIFY(reload->isVisible());
        reload->click();
        QCOMPARE(main->table().rowCount(), drawCount(m_loto6));

        // Nothing new: a quiet run keeps the window out of sight.
        window.hide();
        window.startUpdate(site, true);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isRunning() && window.lastReport().has_value(), 30'000);
        QVERIFY(!window.lastReport()->news);
        QVERIFY(!window.isVisible());
    }

    void commandLineBuildsAndUpdates()
    {
        const QString key = m_root.filePath(u"cli.key"_s);
        const testsupport::CliRun keygen = testsupport::runCli({u"site"_s, u"keygen"_s, u"--out"_s, key});
        QCOMPARE(keygen.status, 0);
        QCOMPARE(keygen.lines.value(0).toLatin1() + '\n', readAll(key + u".pub"_s));
        const QString site = m_root.filePath(u"clisite"_s);
        QCOMPARE(testsupport::runCli({u"site"_s, u"build"_s, u"--draws"_s, m_sources + u"/draws"_s, u"--key"_s, key,
                                      u"--out"_s, site})
                     .status,
                 0);
        const QString data = m_root.filePath(u"clidata"_s);
        const QStringList update{u"update"_s, u"--site"_s, site, u"--data-dir"_s, data, u"--trust-key"_s, key + u".pub"_s};
        const testsupport::CliRun first = testsupport::runCli(update);
        QCOMPARE(first.status, 0);
        QCOMPARE(first.lines.size(), 3);
        QCOMPARE(readAll(data + u"/miniLOTO_Download.csv"_s), m_mini);
        const testsupport::CliRun second = testsupport::runCli(update);
        QCOMPARE(second.status, 0);
        QVERIFY(second.lines.value(1).endsWith(u"新しい抽選はありません（第%1回まで）"_s.arg(drawlines::read(testsupport::loto6File()).last().kai())));
        // Without the site's key, the manifest is refused and the exit status says so.
        const testsupport::CliRun untrusted = testsupport::runCli(update.mid(0, 5));
        QCOMPARE(untrusted.status, 1);
        QVERIFY(untrusted.out.contains(u"署名が正しくありません"_s));
    }

private:
    struct Context
    {
        TestUpdates *test;
        QString site;
        SiteServer *server;
        Updater::Options *options;
        void edit(const std::function<void(QJsonObject &)> &change) { test->editManifest(site, change); }
        void editEntry(const std::function<void(QJsonObject &)> &change)
        {
            edit([&change](QJsonObject &m) {
                const QString list = m.value(u"draws"_s).toArray().isEmpty() ? u"patterns"_s : u"draws"_s;
                QJsonObject entry = m.value(list).toArray().first().toObject();
                change(entry);
                m.insert(list, QJsonArray{entry});
            });
        }
        QString entryPath() const
        {
            const QJsonObject m = QJsonDocument::fromJson(readAll(site + u"/manifest.json"_s)).object();
            const QJsonArray draws = m.value(u"draws"_s).toArray();
            return (draws.isEmpty() ? m.value(u"patterns"_s).toArray() : draws).first().toObject().value(u"path"_s).toString();
        }
        // Replaces the entry's file and lists it with its new size and hash, signed.
        void replaceFile(const QByteArray &bytes)
        {
            const QString path = entryPath();
            write(site + u'/' + path, bytes);
            editEntry([&bytes](QJsonObject &e) {
                e.insert(u"size"_s, double(bytes.size()));
                e.insert(u"sha256"_s, QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
                e.remove(u"last_draw"_s);
            });
        }
    };
    struct BadSite
    {
        QString name;
        std::function<void(Context &)> spoil;
        QString expected;
        qint64 cancelAtStep = -1;
    };

    static const std::vector<BadSite> &badSites()
    {
        static const auto path = [](const QString &p) { return [p](Context &c) { c.editEntry([p](QJsonObject &e) { e.insert(u"path"_s, p); }); }; };
        static const std::vector<BadSite> rows{
            {u"unsigned"_s, [](Context &c) { QFile::remove(c.site + u"/manifest.json.sig"_s); }, u"署名がありません"_s},
            {u"signed by another key"_s, [](Context &c) { c.test->editManifest(c.site, [](QJsonObject &) {}, SiteSignature::generate().secretKey); }, u"署名が正しくありません"_s},
            {u"changed after signing"_s, [](Context &c) { write(c.site + u"/manifest.json"_s, readAll(c.site + u"/manifest.json"_s) + ' '); }, u"署名が正しくありません"_s},
            {u"expired"_s, [](Context &c) { c.edit([](QJsonObject &m) { m.insert(u"expires"_s, u"2020-01-01T00:00:00Z"_s); }); }, u"有効期限"_s},
            {u"not JSON"_s, [](Context &c) { c.test->resign(c.site, "{\"format\": 1,", c.test->m_key.secretKey); }, u"JSON"_s},
            {u"no expiry"_s, [](Context &c) { c.edit([](QJsonObject &m) { m.remove(u"expires"_s); }); }, u"形式が正しくありません"_s},
            {u"newer format"_s, [](Context &c) { c.edit([](QJsonObject &m) { m.insert(u"format"_s, 2); }); }, u"形式 2 はこのプログラムより新しい"_s},
            {u"path with .."_s, path(u"draws/../../x.csv"_s), u"パス「draws/../../x.csv」は使えません"_s},
            {u"path from the root"_s, path(u"/etc/passwd"_s), u"は使えません"_s},
            {u"path with backslash"_s, path(u"draws\\x.csv"_s), u"は使えません"_s},
            {u"path with colon"_s, path(u"C:x.csv"_s), u"は使えません"_s},
            {u"pattern name off the scheme"_s, [](Context &c) { c.editEntry([](QJsonObject &e) { e.insert(u"name"_s, u"wheel.txt"_s); }); }, u"保証パターンの名前"_s},
            {u"size mismatch"_s, [](Context &c) { c.editEntry([](QJsonObject &e) { e.insert(u"size"_s, e.value(u"size"_s).toDouble() + 1); }); }, u"大きさが違います"_s},
            {u"hash mismatch"_s, [](Context &c) { c.editEntry([](QJsonObject &e) { e.insert(u"sha256"_s, QString(64, u'0')); }); }, u"SHA-256 が一覧と違います"_s},
            {u"over 64 MiB"_s, [](Context &c) { c.editEntry([](QJsonObject &e) { e.insert(u"size"_s, 64.0 * 1024 * 1024 + 1); }); }, u"大きすぎます"_s},
            {u"404"_s, [](Context &c) { c.server->setBehaviour(c.entryPath(), SiteServer::Behaviour::NotFound); }, u"HTTP 404"_s},
            {u"connection refused"_s, [](Context &c) {
                 QTcpServer closed;
                 closed.listen(QHostAddress::LocalHost);
                 c.options->site = u"http://127.0.0.1:%1/"_s.arg(closed.serverPort());
             }, u"接続を拒否されました"_s},
            {u"stalled server"_s, [](Context &c) { c.server->setBehaviour(c.entryPath(), SiteServer::Behaviour::Stall); }, u"止まりました"_s},
            {u"redirect to plain HTTP"_s, [](Context &c) { c.server->setBehaviour(c.entryPath(), SiteServer::Behaviour::RedirectToHttp); }, u"HTTPS でない転送先"_s},
            {u"plain HTTP elsewhere"_s, [](Context &c) { c.options->site = u"http://example.com/"_s; }, u"HTTP のサイトは使えません"_s},
            {u"fewer draws"_s, [](Context &c) { c.replaceFile(firstDraws(readAll(testsupport::loto6File()), 900)); }, u"手元より少ない 900 回分です（第901回がありません）"_s},
            {u"a draw rewritten"_s, [](Context &c) {
                 QByteArray site = readAll(testsupport::loto6File());
                 const qsizetype at = site.indexOf("\r\n777,");
                 site[at + 8] = site[at + 8] == '1' ? '2' : '1';  // a digit of the date of draw 777
                 c.replaceFile(site);
             }, u"第777回が手元のデータと違います"_s},
            // One ticket of five over six numbers cannot promise five of every draw's numbers.
            {u"pattern that does not verify"_s, [](Context &c) {
                 c.replaceFile("111110\n");
                 c.editEntry([](QJsonObject &e) { e.insert(u"name"_s, u"91-516.txt"_s); });
             }, u"このパターンは１等を保証しません"_s},
            {u"unwritable folder"_s, [](Context &) { AppFiles::simulateWriteFailure(AppFiles::WriteFailure::Commit); }, u"書き込めません"_s},
            {u"cancel midway"_s, [](Context &) {}, {}, 2},
        };
        return rows;
    }
};

QTEST_MAIN(TestUpdates)
#include "tst_updates.moc"
