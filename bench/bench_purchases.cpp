// A 10,000-entry purchase history checked against every real LOTO6 draw: load with the check,
// sort, filter by one number set, totals, and the finish that follows every edit.
#include "benchsupport.h"

#include "core/drawfile.h"
#include "core/drawtable.h"
#include "purchases/purchaselist.h"

#include <QCoreApplication>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    DrawTable table;
    if (!DrawFile::read(bench::dataFile(u"LOTO6_Download.csv"_s), table).ok())
        return 1;

    // 300 number sets, some close to real draws, bought over the whole table and a few draws past it.
    QRandomGenerator random(12);
    QList<QList<int>> sets;
    for (int s = 0; s < 300; ++s) {
        QList<int> set;
        if (s % 3 == 0) {
            const DrawRecord *draw = table.record(random.bounded(table.rowCount()));
            for (int i = 0; i < 4; ++i)
                set.append(draw->numbers[size_t(i)]);
        }
        while (set.size() < 6) {
            const int n = random.bounded(1, 44);
            if (!set.contains(n))
                set.append(n);
        }
        sets.append(set);
    }
    std::vector<PurchaseEntry> entries;
    for (int i = 0; i < 10000; ++i)
        entries.push_back(makePurchaseEntry(random.bounded(1, table.rowCount() + 10), sets[random.bounded(300)],
                                            random.bounded(1, 6)));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bench購入履歴.csv"_s);
    if (!PurchaseFile::write(path, entries, 6).ok())
        return 1;

    constexpr int runs = 21;
    PurchaseList list(table);
    const double load = bench::medianMs(runs, [&] { list.load(path); });
    std::printf("entries: %d, number sets: %lld\n", list.purchases().count(), qlonglong(list.numberSets().size() - 1));
    std::printf("%s\n", qPrintable(list.totalsText()));
    bench::report(u"load with check"_s, load, u"ms"_s, u"<= 100 ms"_s);

    // Each click re-sorts rows that the other column left in an unrelated order.
    const double sort = bench::medianMs(runs, [&] {
        list.sortByColumn(PurchaseColumn::FirstNumber);
        list.sortByColumn(PurchaseColumn::money(6));
    }) / 2;
    bench::report(u"sort by a column (header clicks on 1 and 当選金額 in turn)"_s, sort, u"ms"_s, u"<= 100 ms"_s);
    const double sortDate = bench::medianMs(runs, [&] {
        list.sortByColumn(PurchaseColumn::buy(6));
        list.sortByColumn(PurchaseColumn::Date);
    }) / 2;
    bench::report(u"sort by a column (口数 and 抽選日 in turn)"_s, sortDate, u"ms"_s, u"<= 100 ms"_s);

    QHash<QString, int> perSet;
    for (const PurchaseEntry &e : list.purchases().entries())
        ++perSet[e.numberSetText()];
    // The set bought most often.
    QString most;
    for (auto it = perSet.cbegin(); it != perSet.cend(); ++it) {
        if (most.isEmpty() || it.value() > perSet.value(most) || (it.value() == perSet.value(most) && it.key() < most))
            most = it.key();
    }
    const int chosen = int(list.numberSets().indexOf(most));
    const double filter = bench::medianMs(runs, [&] {
        list.setNumberSetSelected(0, true);
        list.applyFilter();
        list.setNumberSetSelected(0, false);
        list.setNumberSetSelected(chosen, true);
        list.applyFilter();
    });
    std::printf("filtered: %d entries\n", list.visible().count());
    bench::report(u"filter by one set"_s, filter, u"ms"_s, u"<= 100 ms"_s);

    list.setNumberSetSelected(0, true);
    list.applyFilter();
    const double totals = bench::medianMs(runs, [&] {
        list.selectAllVisible(true);
        list.selectionText();
        list.totalsText();
    });
    bench::report(u"totals of all selected"_s, totals, u"ms"_s, u"<= 100 ms"_s);

    const double finish = bench::medianMs(runs, [&] { list.checkAll(); });
    bench::report(u"check of every entry after an edit"_s, finish, u"ms"_s);
    bench::report(u"peak memory"_s, bench::peakRssMiB(), u"MiB"_s);
    return 0;
}
