#include "shots.h"

#include "core/drawtable.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "purchases/formbuyhistory.h"
#include "purchases/purchasefile.h"
#include "purchases/purchasesfeature.h"

#include <QAction>
#include <QGroupBox>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// What a regular player's file looks like: two favourite sets every draw of the last weeks, a
// few quick picks, a lucky ticket that shared numbers with the draw, and the next two draws.
std::vector<PurchaseEntry> realisticHistory(const DrawTable &table)
{
    const int picks = table.runMode();
    const int maxNo = table.maxNo();
    const QList<int> birthdays = picks == 6 ? QList<int>{3, 7, 11, 18, 24, 30} : QList<int>{3, 7, 11, 18, 24};
    const QList<int> favourite = picks == 6 ? QList<int>{5, 12, 19, 27, 33, 41} : QList<int>{2, 9, 15, 22, 28};
    QRandomGenerator random(2024);
    std::vector<PurchaseEntry> entries;
    const int last = table.rowCount() - 1;
    for (int row = last - 19; row <= last; ++row) {
        const DrawRecord *draw = table.record(row);
        const qint64 drawNo = draw->drawNo.value_or(0);
        entries.push_back(makePurchaseEntry(drawNo, birthdays, 1 + (row % 3 == 0)));
        entries.push_back(makePurchaseEntry(drawNo, favourite, 2));
        if (row % 4 == 1) {
            QList<int> quick;
            while (quick.size() < picks) {
                const int n = random.bounded(1, maxNo + 1);
                if (!quick.contains(n))
                    quick.append(n);
            }
            std::sort(quick.begin(), quick.end());
            entries.push_back(makePurchaseEntry(drawNo, quick, 1));
        }
        if (row % 7 == 3) {
            // Shared some of the draw's numbers and its bonus number.
            QList<int> lucky{draw->numbers[0], draw->numbers[2], draw->numbers[4], draw->bonus};
            for (int k = 0; lucky.size() < picks; ++k) {
                const int n = (row * 7 + k * 5) % maxNo + 1;
                if (!draw->hasMain(n) && n != draw->bonus && !lucky.contains(n))
                    lucky.append(n);
            }
            std::sort(lucky.begin(), lucky.end());
            entries.push_back(makePurchaseEntry(drawNo, lucky, 1));
        }
    }
    const qint64 next = table.record(last)->drawNo.value_or(0) + 1;
    for (qint64 drawNo = next; drawNo < next + 2; ++drawNo) {
        entries.push_back(makePurchaseEntry(drawNo, birthdays, 1));
        entries.push_back(makePurchaseEntry(drawNo, favourite, 2));
    }
    return entries;
}
} // namespace

void shootPurchases(FormMain &main, const QString &dir)
{
    main.Command1_Click(FormMain::SelectAll);
    const int picks = main.RunMode();
    QTemporaryDir temp;
    const QString path = temp.filePath(picks == 6 ? u"LOTO6購入履歴.csv"_s : u"miniLOTO購入履歴.csv"_s);
    if (!PurchaseFile::write(path, realisticHistory(main.table()), picks).ok())
        return;

    main.findChild<QAction *>(u"menuBuyHistory"_s)->trigger();
    FormBuyHistory *history = main.tools().get<FormBuyHistory>(PurchaseTools::BuyHistory);
    if (!history->MakeListView(path))
        return;
    history->resize(picks == 6 ? 620 : 580, 520);
    saveShot(history, dir, u"purchases"_s);

    // The panel filled from a clicked entry.
    history->menuEdit_Click();
    history->Frame1()->move(history->Frame1()->x(), 120);
    QTreeView *list = history->ListView1(0);
    list->setCurrentIndex(list->model()->index(3, 1));
    history->ListView1_Click(0, 3);
    saveShot(history, dir, u"purchases-edit"_s);
    history->menuEdit_Click();

    // The favourite set alone ("全表示" unpicked after it), every entry of it selected.
    QListWidget *sets = history->List1();
    sets->item(2)->setSelected(true);
    sets->item(0)->setSelected(false);
    history->Command1_Click(FormMain::SelectAll);
    saveShot(history, dir, u"purchases-filter"_s);
    history->close();
}
