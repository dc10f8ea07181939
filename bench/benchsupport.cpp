#include "benchsupport.h"

#include "allfeatures.h"
#include "core/formmain.h"
#include "core/messages.h"
#include "core/program.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace bench {

Program &program()
{
    static Program instance(allFeatures());
    return instance;
}

QString dataFile(const QString &name)
{
    return QDir(QStringLiteral(ZEMVARA_DATA_DIR)).filePath(name);
}

void useOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void printMessages()
{
    Messages::setResponder([](const Messages::Request &r) {
        std::fprintf(stderr, "message: %s\n", qPrintable(r.text));
        return QMessageBox::Ok;
    });
}

std::unique_ptr<FormMain> shownMainWindow(const QString &dataFileName)
{
    auto window = std::make_unique<FormMain>(program());
    window->resize(1100, 640);
    window->show();
    if (!window->loadFile(dataFile(dataFileName)))
        return nullptr;
    return window;
}

int runOnLoadedWindow(int argc, char *argv[], const QString &dataFileName, const std::function<int(FormMain &main)> &body)
{
    useOffscreenUnlessSet();
    QApplication app(argc, argv);
    printMessages();
    const std::unique_ptr<FormMain> loaded = shownMainWindow(dataFileName);
    if (!loaded)
        return 1;
    return body(*loaded);
}

void reportWindowStep(const QString &what, int runs, const std::function<void()> &logic,
                      const std::function<void()> &fill, const QString &target)
{
    const double logicMs = medianMs(runs, logic);
    const double fillMs = medianMs(runs, fill);
    const double paintedMs = medianMs(runs, [&] {
        fill();
        QCoreApplication::processEvents();
    });
    report(what + u" logic"_s, logicMs, u"ms"_s);
    report(what + u", window filled"_s, fillMs, u"ms"_s, target);
    report(u"  the same and painted"_s, paintedMs, u"ms"_s);
}

double medianMs(int runs, const std::function<void()> &step)
{
    step();
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

namespace {
double statusField(const char *key)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}
} // namespace

double peakRssMiB()
{
    return statusField("VmHWM");
}

double currentRssMiB()
{
    return statusField("VmRSS");
}

void report(const QString &name, double value, const QString &unit, const QString &target)
{
    std::printf("%s: %.2f %s%s\n", qPrintable(name), value, qPrintable(unit),
                target.isEmpty() ? "" : qPrintable(QStringLiteral(" (target %1)").arg(target)));
    std::fflush(stdout);
}

} // namespace bench
