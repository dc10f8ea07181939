// A 10,000-entry purchase history checked against every real LOTO6 draw: load with the check,
// sort, filter by one number set, totals, and the finish that follows every edit; each as logic
// alone and in the purchase window opened from a loaded main window.
#include "benchsupport.h"

#include "core/drawtable.h"
#include "core/formmain.h"
#include "purchases/formbuyhistory.h"
#include "purchases/purchaselist.h"
#include "purchases/purchasesfeature.h"

#include <QAction>
#include <QHash>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
int measure(FormMain &main)
{
    const DrawTable &table = main.table();
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
    main.findChild<QAction *>(u"menuBuyHistory"_s)->trigger();
    FormBuyHistory *window = main.tools().get<FormBuyHistory>(PurchaseTools::BuyHistory);
    window->resize(800, 600);

    bench::reportWindowStep(
        u"load with check"_s, runs, [&] { list.load(path); }, [&] { window->MakeListView(path); }, u"<= 100 ms"_s);
    std::printf("entries: %d, number sets: %lld\n", list.purchases().count(), qlonglong(list.numberSets().size() - 1));
    std::printf("%s\n", qPrintable(list.totalsText()));

    // Each click re-sorts rows that the other column left in an unrelated order.
    int logicClicks = 0;
    int windowClicks = 0;
    const auto nextColumn = [](int &clicks) {
        return clicks++ % 2 == 0 ? PurchaseColumn::FirstNumber : PurchaseColumn::money(6);
    };
    bench::reportWindowStep(
        u"sort by a column (1 and 当選金額 in turn)"_s, runs, [&] { list.sortByColumn(nextColumn(logicClicks)); },
        [&] { window->ListView1_ColumnClick(nextColumn(windowClicks)); }, u"<= 100 ms"_s);

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
    QListWidget *setList = window->List1();
    // In the window a set is chosen as a user does: pick it, then unpick "全表示" (two filter runs).
    bench::reportWindowStep(
        u"filter by one set"_s, runs,
        [&] {
            list.setNumberSetSelected(0, true);
            list.applyFilter();
            list.setNumberSetSelected(0, false);
            list.setNumberSetSelected(chosen, true);
            list.applyFilter();
        },
        [&] {
            setList->item(0)->setSelected(true);
            setList->item(chosen)->setSelected(true);
            setList->item(0)->setSelected(false);
        },
        u"<= 100 ms"_s);
    std::printf("filtered: %d entries\n", window->purchaseList().visible().count());

    setList->item(0)->setSelected(true);
    list.setNumberSetSelected(0, true);
    list.applyFilter();
    bench::reportWindowStep(
        u"totals of all selected"_s, runs,
        [&] {
            list.selectAllVisible(true);
            list.selectionText();
            list.totalsText();
        },
        [&] { window->Command1_Click(FormMain::SelectAll); }, u"<= 100 ms"_s);

    bench::report(u"check of every entry after an edit (logic)"_s, bench::medianMs(runs, [&] { list.checkAll(); }), u"ms"_s);
    bench::report(u"peak memory"_s, bench::peakRssMiB(), u"MiB"_s);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    return bench::runOnLoadedWindow(argc, argv, u"LOTO6_Download.csv"_s, measure);
}
