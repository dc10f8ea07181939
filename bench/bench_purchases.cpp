// A 100,000-line purchase history, one line in ten invalid, checked against every real LOTO6
// draw: load with the check, save (with the overwrite-save's look at the file on disk), sort,
// filter by one number set, totals, and the finish that follows every edit; each as logic alone
// and in the purchase window opened from a loaded main window.
#include "benchsupport.h"

#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/formmain.h"
#include "core/messages.h"
#include "purchases/formbuyhistory.h"
#include "purchases/purchaselist.h"
#include "purchases/purchasesfeature.h"

#include <QAction>
#include <QFile>
#include <QHash>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
constexpr int kLines = 100000;

// Lines that are no purchases, of every kind the reader tells apart.
const QStringList &invalidLines()
{
    static const QStringList lines{u"2141,114,15,22,32,37,41,1"_s, u"2141,14,15,22,32,37,41,1001"_s,
                                   u"102141,14,15,22,32,37,41,1"_s, u"2141,14,14,22,32,37,41,1"_s,
                                   u"2141,14,xx,22,32,37,41,1"_s, u",,,,,,,"_s, u"here"_s,
                                   u"2141,14,15,22,32,37,41,-5"_s, u"2141,14,15"_s, u"# 一口 comment"_s};
    return lines;
}

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
    QString text = u"LOTO6 購入履歴\r\n回 , 購入数字, 購入口数, コメント\r\n"_s;
    for (int i = 0; i < kLines; ++i) {
        if (i % 10 == 9) {
            text += invalidLines()[(i / 10) % invalidLines().size()] + u"\r\n"_s;
            continue;
        }
        QStringList fields{QString::number(random.bounded(1, table.rowCount() + 10))};
        for (const int n : sets[random.bounded(300)])
            fields.append(QString::number(n));
        fields.append(QString::number(random.bounded(1, 6)));
        text += fields.join(u',') + (i % 7 == 0 ? u",kiosk\r\n"_s : u"\r\n"_s);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bench購入履歴.csv"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(DrawFile::encode(text)) < 0)
        return 1;
    file.close();
    text.clear();

    constexpr int runs = 11;
    PurchaseList list(table);
    main.findChild<QAction *>(u"menuBuyHistory"_s)->trigger();
    FormBuyHistory *window = main.tools().get<FormBuyHistory>(PurchaseTools::BuyHistory);
    window->resize(800, 600);

    // The warning about the invalid lines after each load, counted instead of printed.
    int warnings = 0;
    Messages::setResponder([&warnings](const Messages::Request &) {
        ++warnings;
        return QMessageBox::Ok;
    });
    bench::reportWindowStep(
        u"load with check"_s, runs, [&] { list.load(path); }, [&] { window->MakeListView(path); }, u"<= 300 ms"_s);
    bench::printMessages();
    std::printf("entries: %d, invalid: %d, number sets: %lld, warnings: %d\n", list.purchases().count(),
                list.invalidCount(), qlonglong(list.numberSets().size() - 1), warnings);
    std::printf("%s\n", qPrintable(list.totalsText()));

    // The window's overwrite-save first reads the file back to see whether another writer changed it.
    const QString copy = dir.filePath(u"copy購入履歴.csv"_s);
    bench::reportWindowStep(
        u"save"_s, runs, [&] { list.save(copy); }, [&] { window->menuBuyDataSave_Click(); }, u"<= 300 ms"_s);
    QFile original(path);
    QFile saved(copy);
    std::printf("saved: %lld bytes (read: %lld)\n", qlonglong(saved.size()), qlonglong(original.size()));

    // Each click re-sorts rows that the other column left in an unrelated order.
    int logicClicks = 0;
    int windowClicks = 0;
    const auto nextColumn = [](int &clicks) {
        return clicks++ % 2 == 0 ? PurchaseColumn::FirstNumber : PurchaseColumn::money(6);
    };
    bench::reportWindowStep(
        u"sort by a column (1 and 当選金額 in turn)"_s, runs, [&] { list.sortByColumn(nextColumn(logicClicks)); },
        [&] { window->ListView1_ColumnClick(nextColumn(windowClicks)); }, u"<= 100 ms"_s);

    // Invalid lines hold no number set of the list.
    QHash<QString, int> perSet;
    for (const PurchaseEntry &e : list.purchases().entries()) {
        if (e.isValid())
            ++perSet[e.numberSetText()];
    }
    // The set bought most often.
    QString most;
    for (auto it = perSet.cbegin(); it != perSet.cend(); ++it) {
        if (most.isEmpty() || it.value() > perSet.value(most) || (it.value() == perSet.value(most) && it.key() < most))
            most = it.key();
    }
    const int chosen = int(list.numberSets().indexOf(most));
    QListWidget *setList = window->List1();
    // In the window a set is chosen as a user does, after "全表示" (two filter runs); choosing the
    // set turns "全表示" off.
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
