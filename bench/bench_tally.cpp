// Combination tally over every real draw of both games, all tiers ticked: the exact fold and
// the containment fold, each with the window's table and its sub-graph filled.
#include "benchsupport.h"

#include "core/formmain.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "lookups/formway.h"
#include "lookups/lookupsfeature.h"
#include "lookups/tally.h"
#include "lookups/tallymodel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
void benchGame(FormMain &main, const QString &game)
{
    const int runMode = main.RunMode();
    std::printf("%s: %d draws, %lld combinations from them\n", qPrintable(game), main.table().rowCount(),
                Tally::plan(main.table(), {runMode, {true, true, true, true, true}, false, u"1"_s}).rawEntries());
    auto *way = main.tools().get<FormWay>(LookupTools::Way);
    way->show();
    // The tally runs off the window's thread: a step ends when its result is in the table. Only
    // queued calls are delivered meanwhile, so painting stays in the painted figure.
    const auto rerun = [way] {
        way->Command1_Click();
        while (way->isRunning()) {
            QThread::usleep(100);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        }
    };
    constexpr int runs = 15;
    for (const bool merge : {false, true}) {
        way->Check2()->setChecked(merge);
        Tally::Settings settings{runMode, {true, true, true, true, true}, merge, way->Text1()->text()};
        const QString name = game + (merge ? u" containment"_s : u" exact"_s);
        bench::reportWindowStep(
            name, runs, [&] { Tally::run(Tally::plan(main.table(), settings)); }, rerun,
            merge ? u"<= 500 ms"_s : u"<= 200 ms"_s);
        std::printf("  %d rows, %lld draws credited\n", way->model()->rows(),
                    qint64(way->model()->result()->links.size()));
    }
    way->Graph()->hide();
    way->hide();
}
} // namespace

int main(int argc, char *argv[])
{
    return bench::runOnLoadedWindow(argc, argv, u"LOTO6_Download.csv"_s, [](FormMain &main) {
        benchGame(main, u"LOTO6"_s);
        bench::report(u"peak memory after LOTO6"_s, bench::peakRssMiB(), u"MiB"_s);
        std::unique_ptr<FormMain> mini = bench::shownMainWindow(u"miniLOTO_Download.csv"_s);
        if (!mini)
            return 1;
        benchGame(*mini, u"miniLOTO"_s);
        bench::report(u"peak memory"_s, bench::peakRssMiB(), u"MiB"_s);
        return 0;
    });
}
