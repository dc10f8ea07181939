// Memory of the heaviest trend over a very long history: 500,000 synthetic draws, all 43
// numbers ticked with rates, grid and rate chart filled. The chart keeps a bounded number of
// points whatever the history, so the peak follows the table, not the chart.
#include "benchsupport.h"

#include "core/formmain.h"
#include "core/widgets.h"
#include "graphs/formgraph2.h"
#include "graphs/formgraph3.h"
#include "graphs/graphsfeature.h"

#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineSeries>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    bench::printMessages();
    const int draws = argc > 1 ? QByteArray(argv[1]).toInt() : 500'000;

    QTemporaryDir dir;
    QByteArray bytes("LOTO6 DownloadData\r\nheading\r\n");
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int d = 1; d <= draws; ++d) {
        bytes += QByteArray::number(d) + ",2020/01/01";
        const int first = 1 + int(next() >> 28);  // six distinct numbers spread over 1..43
        for (int i = 0; i < 7; ++i)
            bytes += ',' + QByteArray::number(1 + (first + i * 6 + int(next() >> 30)) % 43);
        bytes += ",1,5,243,11392,180788,400000000,14016800,311400,7000,1000,0\r\n";
    }
    const QString path = dir.filePath(u"long_Download.csv"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();
    bytes.clear();
    bytes.squeeze();

    FormMain main(bench::program());
    main.show();
    const double beforeLoad = bench::currentRssMiB();
    if (!main.loadFile(path))
        return 1;
    const double afterLoad = bench::currentRssMiB();
    auto *trend = main.tools().get<FormGraph2>(GraphTools::TrendWithBonus);
    trend->setNoTop(3);
    trend->setNoEnd(9);
    trend->show();
    QElapsedTimer timer;
    timer.start();
    trend->Check2()->setChecked(true);  // every number is ticked at start: the heaviest trend
    trend->Command1_Click(BoxesAll);
    QCoreApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const FormGraph3 *chart = trend->graph3();
    const auto *first = qobject_cast<QLineSeries *>(chart->chart()->series().value(0));
    std::printf("draws: %d, series: %d, points per series: %d\n", draws, int(chart->chart()->series().size()),
                first ? int(first->count()) : 0);
    bench::report(u"table of %1 draws loaded, memory"_s.arg(draws), afterLoad - beforeLoad, u"MiB"_s);
    bench::report(u"all 43 numbers with rates, grid and chart filled"_s, ms, u"ms"_s);
    bench::report(u"memory held by the trend and its chart"_s, bench::currentRssMiB() - afterLoad, u"MiB"_s);
    bench::report(u"peak memory of the run"_s, bench::peakRssMiB(), u"MiB"_s);
    return 0;
}
