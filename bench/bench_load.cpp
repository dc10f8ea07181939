// Load of draw-result files into a shown main window: the real LOTO6 history, and synthetic
// histories of growing size to show the cost stays linear.
#include "benchsupport.h"

#include "core/drawfile.h"
#include "core/formmain.h"
#include "core/messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
QString writeSynthetic(const QTemporaryDir &dir, int draws)
{
    QByteArray bytes("LOTO6 DownloadData\r\nheading\r\n");
    bytes.reserve(qsizetype(draws) * 100);
    for (int d = 1; d <= draws; ++d) {
        const int a = 1 + d % 38;
        bytes += QByteArray::number(d) + ",2020/01/01," + QByteArray::number(a) + ',' + QByteArray::number(a + 1) +
                 ',' + QByteArray::number(a + 2) + ',' + QByteArray::number(a + 3) + ',' +
                 QByteArray::number(a + 4) + ',' + QByteArray::number(a + 5) + ",7,1,5,243,11392,180788," +
                 QByteArray::number(400000000 + d) + ",14016800,311400,7000,1000," + QByteArray::number(d * 1000) +
                 "\r\n";
    }
    const QString path = dir.filePath(u"synthetic%1.csv"_s.arg(draws));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return path;
}

double timeOneLoad(const QString &path)
{
    FormMain window(bench::program());
    window.resize(1100, 640);
    window.show();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    window.loadFile(path);
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    bench::printMessages();

    // Real history into a shown window that ends all-selected, the list laid out and painted.
    FormMain window(bench::program());
    window.resize(1100, 640);
    window.show();
    QCoreApplication::processEvents();
    const QString real = bench::dataFile(u"LOTO6_Download.csv"_s);
    const double realMs = bench::medianMs(21, [&] {
        window.loadFile(real);
        QCoreApplication::processEvents();
    });
    bench::report(u"load real LOTO6 (2,141 draws) into shown FormMain, median"_s, realMs, u"ms"_s, u"<= 50 ms"_s);
    const double parseMs = bench::medianMs(21, [&] {
        DrawTable t;
        DrawFile::read(real, t);
    });
    bench::report(u"  of which reading and padding the file, median"_s, parseMs, u"ms"_s);

    QTemporaryDir dir;
    for (int draws : {10000, 50000, 100000}) {
        const QString path = writeSynthetic(dir, draws);
        const double before = bench::currentRssMiB();
        const double ms = timeOneLoad(path);
        bench::report(u"load synthetic %1 draws"_s.arg(draws), ms, u"ms"_s, draws == 100000 ? u"<= 2000 ms"_s : QString());
        bench::report(u"  peak RSS after it (process, %1 MiB before)"_s.arg(before, 0, 'f', 1), bench::peakRssMiB(),
                      u"MiB"_s);
    }
    return 0;
}
