// The online update over loopback from a site of both real draw files, the 83 shipped wheels and
// the help pages: the first update of an empty data folder, the check that finds nothing new, and
// the time to the main window shown with and without a site to check at start-up.
#include "benchsupport.h"

#include "allfeatures.h"
#include "core/appfiles.h"
#include "core/formmain.h"
#include "core/program.h"
#include "updates/sitebuilder.h"
#include "updates/sitesignature.h"
#include "updates/updater.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
// Python's own web server on a free loopback port, serving `folder`.
struct PythonServer
{
    QProcess process;
    quint16 port = 0;

    bool start(const QString &folder)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
        probe.close();
        process.start(u"python3"_s, {u"-m"_s, u"http.server"_s, QString::number(port), u"--bind"_s, u"127.0.0.1"_s,
                                     u"--directory"_s, folder});
        for (int i = 0; i < 100; ++i) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            if (socket.waitForConnected(100))
                return true;
            QThread::msleep(50);
        }
        return false;
    }
    ~PythonServer()
    {
        process.terminate();
        process.waitForFinished(2000);
    }
};

// Time from the program's start (its features registered) to the main window shown and its
// first events handled, as main() does it.
double startupMs(const UpdateSetup &setup)
{
    return bench::medianMs(9, [&setup] {
        Program program(allFeatures(setup));
        FormMain window(program);
        window.show();
        for (const FeatureRegistry::MenuHandler &action : program.features().startupActions())
            action(window);
        QCoreApplication::processEvents();
    });
}
} // namespace

int main(int argc, char *argv[])
{
    bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    QTemporaryDir root;
    const SiteSignature::KeyPair key = SiteSignature::generate();
    SiteBuilder::Input input;
    input.drawsFolder = AppFiles::bundledDir(u"data"_s);
    input.patternsFolder = AppFiles::bundledDir(u"PatternFile"_s);
    input.helpFolder = AppFiles::bundledDir(u"help"_s);
    input.secretKey = key.secretKey;
    const QString site = root.filePath(u"site"_s);
    if (const QString failure = SiteBuilder::build(input, site); !failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 1;
    }
    PythonServer server;
    if (!server.start(site)) {
        std::fprintf(stderr, "python3 -m http.server did not start\n");
        return 1;
    }

    Updater::Options options;
    options.site = u"http://127.0.0.1:%1/"_s.arg(server.port);
    options.dataFolder = root.filePath(u"data"_s);
    options.patternLibrary = root.filePath(u"empty"_s);  // every wheel comes from the site
    options.trustedKeys = {key.publicKey};
    options.programVersion = u"1.0.0"_s;
    options.bundledHelpVersion = u"2000.1.1"_s;
    QElapsedTimer timer;
    timer.start();
    const Updater::Report first = Updater::run(options, {}, nullptr);
    bench::report(u"first update (2 draw files, 83 wheels fetched and verified, help)"_s, double(timer.nsecsElapsed()) / 1e6,
                  u"ms"_s, u"<= 2000 ms"_s);
    if (first.failed || QDir(options.dataFolder + u"/PatternFile"_s).entryList(QDir::Files).size() != 83) {
        for (const UpdateEntry &entry : first.entries)
            std::fprintf(stderr, "%s\n", qPrintable(entry.line()));
        return 1;
    }
    bench::report(u"up-to-date check"_s, bench::medianMs(9, [&options] { Updater::run(options, {}, nullptr); }), u"ms"_s,
                  u"<= 200 ms"_s);

    bench::report(u"start to main window shown, no site"_s, startupMs({}), u"ms"_s);
    UpdateSetup setup;
    setup.site = options.site;
    setup.extraKeys = {key.publicKey};
    setup.dataFolder = root.filePath(u"startup"_s);
    bench::report(u"start to main window shown, site set"_s, startupMs(setup), u"ms"_s, u"the same within noise"_s);
    return 0;
}
