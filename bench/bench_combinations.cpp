// The combination grid of big pools read as a scrolled window would read it, and the
// win-guarantee calculation of a 154-ticket set over every LOTO6 number; then the same in the
// combination list window: grids shown and scrolled to their end, the pool-43 grid copied and
// saved from its context menu, the result list filled.
#include "benchsupport.h"

#include "combinations/combinationtable.h"
#include "combinations/combinationsfeature.h"
#include "combinations/formcomblist.h"
#include "combinations/guarantee.h"
#include "core/combinatorics.h"
#include "core/filedialogs.h"
#include "core/formmain.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

#include <bit>
#include <cstdio>
#include <ctime>
#include <random>

using namespace Qt::StringLiterals;

namespace {
QList<int> firstNumbers(int n)
{
    QList<int> pool;
    for (int i = 1; i <= n; ++i)
        pool.append(i);
    return pool;
}

// What a grid view asks for one screen: every cell of `visible` rows from `first` on.
qsizetype readPage(const CombinationTable &table, qint64 first, int visible)
{
    qsizetype chars = 0;
    for (qint64 r = first; r < first + visible && r < table.gridRows(); ++r) {
        for (int c = 0; c < table.gridColumns(); ++c)
            chars += table.cellText(r, c).size() + (table.isMarked(r, c) ? 1 : 0);
    }
    return chars;
}

std::vector<quint64> randomTickets(int count, int pool, int picks, unsigned seed)
{
    std::mt19937_64 random(seed);
    std::vector<quint64> tickets;
    while (int(tickets.size()) < count) {
        quint64 mask = 0;
        while (std::popcount(mask) < picks)
            mask |= quint64(1) << (random() % unsigned(pool));
        tickets.push_back(mask);
    }
    return tickets;
}

// The straightforward way, for comparison: every draw mask against every ticket.
__attribute__((target("popcnt"))) qint64 plainLoop(const Guarantee::Input &input)
{
    const int n = input.pool;
    const int k = input.picks;
    std::vector<quint64> draws;
    draws.reserve(size_t(Combinatorics::binomial(n, k)));
    for (quint64 d = (quint64(1) << k) - 1; d < (quint64(1) << n);) {
        draws.push_back(d);
        const quint64 low = d & (~d + 1);
        const quint64 ripple = d + low;
        d = ripple | (((d ^ ripple) >> 2) / low);
    }
    qint64 checksum = 0;
    for (const quint64 d : draws) {
        int best = 0;
        int chosen = 0;
        for (size_t t = 0; t < input.tickets.size(); ++t) {
            const int m = __builtin_popcountll(d & input.tickets[t]);
            if (m > best) {
                best = m;
                chosen = int(t);
            }
        }
        checksum += best * 1000 + chosen;
    }
    return checksum;
}

double medianOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The user completes a pool of n numbers (the n-th box clicked) and presses End: the window
// rebuilds the grid, scrolls to the last combination and paints it.
void measurePool(FormCombList *list, int n)
{
    VirtualGridView *grid = list->MSFlexGrid1();
    const double before = bench::currentRssMiB();
    std::vector<double> times;
    for (int run = 0; run < 15; ++run) {
        list->Command1(BoxesClear)->click();
        for (int i = 0; i < n - 1; ++i)
            list->Check1(i)->setChecked(true);
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        list->Check1(n - 1)->setChecked(true);
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &end);
        grid->viewport()->repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("window pool %d: %d grid rows, last row shown %d, resident +%.2f MiB\n", n, grid->source().rows(),
                grid->firstVisibleRow() + grid->visibleRowCount() - 1, bench::currentRssMiB() - before);
    bench::report(u"combination list, pool %1: box clicked, End, painted"_s.arg(n), medianOf(times), u"ms"_s,
                  u"<= 50 ms"_s);
}

// The grid of the pool shown saved from its context menu (entry `action`) to a file: the time
// until the file is written, the longest the window's event loop waited meanwhile, and the
// memory taken above the window's before.
void measureSave(VirtualGridView *grid, int action, const QString &what)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"grid.txt"_s);
    FileDialogs::setResponder([path](const FileDialogs::Request &) { return path; });
    // The peak so far (the window's biggest moments) is forgotten: only the save's counts.
    if (QFile clear(u"/proc/self/clear_refs"_s); clear.open(QIODevice::WriteOnly))
        clear.write("5");
    const double before = bench::currentRssMiB();
    QElapsedTimer timer;
    QElapsedTimer sinceTick;
    qint64 longestWait = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] { longestWait = std::max(longestWait, sinceTick.restart()); });
    QEventLoop loop;
    bool saved = false;
    QObject::connect(grid, &VirtualGridView::saveFinished, &loop, [&](bool ok) {
        saved = ok;
        loop.quit();
    });
    const std::clock_t cpu = std::clock();
    timer.start();
    sinceTick.start();
    ticks.start();
    grid->actions().value(action)->trigger();
    longestWait = std::max(longestWait, sinceTick.restart());
    loop.exec();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const double cpuMs = double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC;
    FileDialogs::setResponder({});
    std::printf("window save (%s): %s, %.1f MiB written\n", qPrintable(what), saved ? "saved" : "NOT SAVED",
                double(QFileInfo(path).size()) / (1024.0 * 1024.0));
    bench::report(u"combination list, pool 43 saved as "_s + what, ms, u"ms"_s);
    bench::report(u"  processor time of every thread"_s, cpuMs, u"ms"_s);
    bench::report(u"  longest wait of the window meanwhile"_s, double(longestWait), u"ms"_s, u"<= 100 ms"_s);
    bench::report(u"  peak resident above the window's"_s, bench::peakRssMiB() - before, u"MiB"_s, u"<= 100 MiB"_s);
}

void writeTickets(const QString &path, const std::vector<quint64> &tickets, int pool)
{
    QByteArray text;
    for (const quint64 t : tickets) {
        QByteArray line(pool, '0');
        for (int p = 0; p < pool; ++p) {
            if ((t >> p) & 1)
                line[p] = '1';
        }
        text += line + "\r\n";
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

int measureWindow(const Guarantee::Input &wheel)
{
    QTemporaryDir patterns;
    qputenv("ZEMVARA_PATTERN_DIR", QFile::encodeName(patterns.path()));
    writeTickets(QDir(patterns.path()).filePath(u"1-6343.txt"_s), wheel.tickets, 43);

    const std::unique_ptr<FormMain> main = bench::shownMainWindow(u"LOTO6_Download.csv"_s);
    if (!main)
        return 1;
    main->findChild<QAction *>(u"menuCombList"_s)->trigger();
    auto *list = main->tools().get<FormCombList>(CombinationTools::CombList);
    const double rssBefore = bench::currentRssMiB();
    measurePool(list, 19);
    const double rss19 = bench::currentRssMiB();
    measurePool(list, 43);
    bench::report(u"  resident growth from pool 19 to pool 43"_s, bench::currentRssMiB() - rss19, u"MiB"_s);
    bench::report(u"  resident growth of both"_s, bench::currentRssMiB() - rssBefore, u"MiB"_s);

    // Ctrl+C of the 6,096,454 rows is refused at once; saving them goes on beside the window.
    QElapsedTimer copy;
    copy.start();
    list->MSFlexGrid1()->actions().value(0)->trigger();
    bench::report(u"combination list, pool 43 copied (refused)"_s, double(copy.nsecsElapsed()) / 1e6, u"ms"_s);
    measureSave(list->MSFlexGrid1(), 1, u"CSV"_s);
    measureSave(list->MSFlexGrid1(), 2, u"tickets"_s);

    // The wheel loaded by its tier button, calculated and shown in the result list.
    list->Command1(BoxesAll)->click();
    list->Command3(0)->click();
    std::vector<double> times;
    for (int run = 0; run < 11; ++run) {
        QEventLoop loop;
        QObject::connect(list, &FormCombList::guaranteeFinished, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        list->Command5()->click();
        loop.exec();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("window guarantee: %d tickets, %d result rows\n", list->tickets().rowCount(),
                list->ListView2()->topLevelItemCount());
    bench::report(u"combination list, 154 tickets over 43 numbers: calculated, list filled"_s, medianOf(times), u"ms"_s,
                  u"<= 250 ms"_s);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    bench::printMessages();
    std::printf("cores: %d\n", QThread::idealThreadCount());

    for (const int n : {19, 43}) {
        const double rssBefore = bench::currentRssMiB();
        const CombinationTable table(firstNumbers(n), 6, 0);
        const qint64 rows = table.rowCount();
        const double shown = bench::medianMs(21, [&] {
            const CombinationTable fresh(firstNumbers(n), 6, 0);
            readPage(fresh, 0, 40);
            readPage(fresh, fresh.gridRows() - 40, 40);
        });
        std::printf("pool %d: %lld rows, table object %zu bytes, resident +%.2f MiB\n", n, rows,
                    sizeof(CombinationTable), bench::currentRssMiB() - rssBefore);
        bench::report(u"combination grid, pool %1: built, first and last screen (40 rows) read"_s.arg(n), shown,
                      u"ms"_s, u"<= 50 ms"_s);

        std::mt19937_64 random(7);
        constexpr int lookups = 1'000'000;
        std::vector<qint64> picks(lookups);
        for (qint64 &r : picks)
            r = qint64(random() % quint64(rows));
        quint64 sink = 0;
        const double access = bench::medianMs(5, [&] {
            for (const qint64 r : picks)
                sink += table.rowMask(r);
        });
        std::printf("  (checksum %llu)\n", static_cast<unsigned long long>(sink));
        bench::report(u"  random row of pool %1"_s.arg(n), access * 1e6 / lookups, u"ns"_s);
    }

    Guarantee::Input wheel;
    wheel.picks = 6;
    wheel.pool = 43;
    wheel.tickets = randomTickets(154, 43, 6, 154);
    const double pairs = double(Combinatorics::binomial(43, 6)) * double(wheel.tickets.size());
    std::printf("guarantee: %lld draws x %zu tickets = %.3g pairs\n", Combinatorics::binomial(43, 6),
                wheel.tickets.size(), pairs);
    for (const int threads : {0, 1}) {
        Guarantee::Options options;
        options.threads = threads;
        const double ms = bench::medianMs(11, [&] { Guarantee::CalcGuarantee(wheel, options); });
        const QString label = threads == 0 ? u"all cores"_s : u"one core"_s;
        bench::report(u"guarantee, 154 tickets over 43 numbers, "_s + label, ms, u"ms"_s,
                      threads == 0 ? u"<= 250 ms"_s : QString());
        bench::report(u"  pairs per second, "_s + label, pairs / (ms / 1000.0), u"pairs/s"_s);
    }
    QElapsedTimer plain;
    plain.start();
    const qint64 checksum = plainLoop(wheel);
    const double plainMs = double(plain.nsecsElapsed()) / 1e6;
    std::printf("  (plain checksum %lld)\n", checksum);
    bench::report(u"  plain AND + popcount loop, one core"_s, plainMs, u"ms"_s);
    bench::report(u"  plain loop pairs per second"_s, pairs / (plainMs / 1000.0), u"pairs/s"_s);

    // A big wheel: many tickets per draw.
    Guarantee::Input big;
    big.picks = 6;
    big.pool = 31;
    big.tickets = randomTickets(5000, 31, 6, 31);
    const double bigPairs = double(Combinatorics::binomial(31, 6)) * double(big.tickets.size());
    const double bigMs = bench::medianMs(3, [&] { Guarantee::CalcGuarantee(big, {}); });
    bench::report(u"guarantee, 5000 tickets over 31 numbers, all cores"_s, bigMs, u"ms"_s);
    bench::report(u"  pairs per second"_s, bigPairs / (bigMs / 1000.0), u"pairs/s"_s);
    if (const int status = measureWindow(wheel); status != 0)
        return status;
    bench::report(u"peak resident memory"_s, bench::peakRssMiB(), u"MiB"_s);
    return 0;
}
