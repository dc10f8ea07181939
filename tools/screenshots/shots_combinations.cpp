#include "shots.h"

#include "combinations/combinationsfeature.h"
#include "combinations/formcomblist.h"
#include "core/formmain.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Covering designs of the bundled wheels, one ticket of pool positions per "|".
constexpr const char *kLoto6Pool9Tier3 =
    "2 3 4 6 8 9|3 4 5 6 7 9|1 2 4 5 7 9|1 4 5 6 7 8|1 2 3 5 6 9|1 3 4 7 8 9|1 2 3 4 6 7|1 2 3 4 5 8|"
    "2 5 6 7 8 9|1 4 5 6 8 9|2 3 5 7 8 9|1 2 3 6 7 8|2 4 5 7 8 9|1 2 3 5 6 7|1 2 3 6 7 9|1 2 4 5 6 8|"
    "1 2 5 7 8 9|1 3 4 5 6 8|2 4 5 6 7 9|3 5 6 7 8 9|1 2 3 4 6 9|1 4 6 7 8 9|1 3 4 5 8 9|1 3 4 5 7 8|"
    "1 2 3 6 8 9|2 3 4 5 7 9|2 3 4 6 7 8|1 3 5 6 7 9|1 2 4 7 8 9|2 3 4 5 6 8";
constexpr const char *kMiniPool7Tier3 = "1 2 3 4 5|1 2 3 4 6|1 2 3 4 7|1 2 5 6 7|1 3 5 6 7|1 4 5 6 7|2 3 5 6 7|2 4 5 6 7|3 4 5 6 7";
constexpr const char *kMiniPool7Tier4 = "1 2 3 4 5|1 2 3 6 7|1 4 5 6 7|2 4 5 6 7|3 4 5 6 7";

void writePattern(const QDir &dir, const QString &name, const char *tickets, int pool)
{
    QByteArray text;
    for (const QByteArray &ticket : QByteArray(tickets).split('|')) {
        QByteArray line(pool, '0');
        for (const QByteArray &position : ticket.split(' '))
            line[position.toInt() - 1] = '1';
        text += line + "\r\n";
    }
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

void hover(VirtualGridView *grid, int row, int column)
{
    const QPoint at = grid->cellRect(row, column).center();
    QMouseEvent move(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
}
} // namespace

void shootCombinations(FormMain &main, const QString &dir)
{
    // The shots read their own pattern folder, never the user's.
    static QTemporaryDir patterns;
    const QDir folder(patterns.path());
    qputenv("ZEMVARA_PATTERN_DIR", QFile::encodeName(folder.path()));
    writePattern(folder, u"1-639.txt"_s, kLoto6Pool9Tier3, 9);
    writePattern(folder, u"1-537.txt"_s, kMiniPool7Tier3, 7);
    writePattern(folder, u"1-547.txt"_s, kMiniPool7Tier4, 7);

    const bool loto6 = main.RunMode() == 6;
    main.findChild<QAction *>(u"menuCombList"_s)->trigger();
    auto *list = main.tools().get<FormCombList>(CombinationTools::CombList);
    const QList<int> pool = loto6 ? QList<int>{3, 7, 12, 18, 21, 26, 33, 38, 41} : QList<int>{2, 9, 13, 17, 22, 26, 30};
    for (const int number : pool)
        list->Check1(number - 1)->setChecked(true);

    list->Command3(0)->click();
    list->Command5()->click();
    if (!QTest::qWaitFor([list] { return !list->isCalculating(); }, 10000))
        return;
    list->show();
    QTest::qWait(50);
    hover(list->MSFlexGrid2(), 5, 3);
    saveShot(list, dir, u"combinations-guarantee"_s);

    list->Check2()->setChecked(false);
    list->ListView1()->item(0)->setCheckState(Qt::Checked);
    list->show();
    QTest::qWait(50);
    hover(list->MSFlexGrid1(), 5, 4);
    saveShot(list, dir, u"combinations"_s);

    // Every number of the game, scrolled to the last combination.
    list->Command1(BoxesAll)->click();
    list->ListView1()->item(0)->setCheckState(Qt::Unchecked);
    list->MSFlexGrid1()->verticalScrollBar()->setValue(list->MSFlexGrid1()->verticalScrollBar()->maximum());
    QTest::qWait(50);
    hover(list->MSFlexGrid1(), list->MSFlexGrid1()->firstVisibleRow() + 2, list->MSFlexGrid1()->firstVisibleColumn() + 1);
    saveShot(list, dir, u"combinations-all-numbers"_s);
    list->close();
}
