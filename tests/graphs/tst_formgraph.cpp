#include "windowfixture.h"

#include "core/controlarray.h"
#include "core/fields.h"
#include "core/formhelpers.h"
#include "core/griddata.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "graphs/graphsfeature.h"
#include "graphs/formgraph2.h"
#include "graphs/trend.h"
#include "graphs/formgraph3.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <map>

using namespace Qt::StringLiterals;

namespace {
struct Entry
{
    QString action;
    QString graph;
    QString trend;
    QString caption;
};

const QList<Entry> &entries()
{
    static const QList<Entry> list{
        {u"menuEasyNumberB"_s, GraphTools::GraphWithBonus, GraphTools::TrendWithBonus, u"出易い番号のグラフ化（ボーナスあり）"_s},
        {u"menuEasyNumber"_s, GraphTools::GraphWithoutBonus, GraphTools::TrendWithoutBonus, u"出易い番号のグラフ化（ボーナスなし）"_s},
        {u"menuBonus"_s, GraphTools::GraphBonusOnly, GraphTools::TrendBonusOnly, u"ボーナス数字になりやすい番号"_s},
    };
    return list;
}

void trigger(FormMain &window, const QString &action)
{
    window.findChild<QAction *>(action)->trigger();
}

QStringList column(const QTreeWidget *list, int c)
{
    QStringList out;
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        out.append(list->topLevelItem(r)->text(c));
    return out;
}

// Counts of each number in the given fields of data lines, worked out from the lines' text.
std::map<int, int> countFields(const QStringList &lines, int firstField, int lastField)
{
    std::map<int, int> counts;
    for (const QString &line : lines) {
        const QStringList fields = line.split(u',');
        for (int f = firstField; f <= lastField; ++f)
            ++counts[fields[f].toInt()];
    }
    return counts;
}

void selectFirstRows(FormMain &window, int n)
{
    window.findChild<QLineEdit *>(u"Text1"_s)->setText(QString::number(n));
    controlAt<QPushButton>(&window, u"Command2"_s, 0)->click();
}
} // namespace

namespace {
// The counts' bars (the band of chance stands behind them as a series of its own).
const QBarSet *barsOf(const FormGraph *graph)
{
    for (QAbstractSeries *s : graph->MSChart1()->chart()->series()) {
        if (auto *bars = qobject_cast<QBarSeries *>(s))
            return bars->barSets().first();
    }
    return nullptr;
}
} // namespace

class FormGraphTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryOpensTheGraphBelowTheMainWindowAndTheTrendBelowIt()
    {
        LoadedWindow w;
        QVERIFY(w.load(testsupport::loto6Text(fourDraws())));
        trigger(*w.main, u"menuEasyNumber"_s);

        auto *graph = w.main->tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        auto *trend = w.main->tools().get<FormGraph2>(GraphTools::TrendWithoutBonus);
        QVERIFY(graph && trend);
        QVERIFY(graph->isVisible() && trend->isVisible());
        QCOMPARE(graph->frameGeometry().topLeft(), justBelow(w.main.get()));
        QCOMPARE(trend->frameGeometry().topLeft(), justBelow(graph));
        QCOMPARE(graph->windowTitle(), u"出易い番号のグラフ化（ボーナスなし）"_s);
        QCOMPARE(trend->windowTitle(), graph->windowTitle());
        QCOMPARE(graph->LvwObj(), &w.main->table());
        QCOMPARE(trend->SetFormMain(), w.main.get());

        QCOMPARE(graph->Label1()->text(), u"6/43 = 13.953488372093%"_s);
        QCOMPARE(graph->ListView1()->topLevelItemCount(), 43);
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/4"_s);
        // The trend opens with every number ticked: one mark row per number.
        for (int i = 0; i < 43; ++i)
            QVERIFY(trend->Check1(i)->isChecked());
        QCOMPARE(trend->grid().rows(), 44);
        QCOMPARE(trend->grid().columns(), 5);
        QVERIFY(!trend->graph3()->isVisible());
        // Other entries' windows stay closed.
        QVERIFY(!w.main->tools().get<FormGraph>(GraphTools::GraphWithBonus)->isVisible());
    }

    void columnRangesAndCaptionsPerGame_data()
    {
        QTest::addColumn<bool>("loto6");
        QTest::newRow("LOTO6") << true;
        QTest::newRow("miniLOTO") << false;
    }

    void columnRangesAndCaptionsPerGame()
    {
        QFETCH(bool, loto6);
        LoadedWindow w;
        const QStringList lines = loto6 ? fourDraws()
                                        : QStringList{miniLotoLine(1, {3, 9, 15, 22, 31}, 7), miniLotoLine(2, {1, 2, 3, 4, 5}, 31)};
        QVERIFY(w.load(loto6 ? testsupport::loto6Text(lines) : testsupport::miniLotoText(lines)));
        const int bonus = loto6 ? 9 : 8;
        const int maxNo = loto6 ? 43 : 31;
        const QList<std::pair<int, int>> ranges{{3, bonus}, {3, bonus - 1}, {bonus, bonus}};
        for (qsizetype i = 0; i < entries().size(); ++i) {
            const Entry &entry = entries()[i];
            trigger(*w.main, entry.action);
            auto *graph = w.main->tools().get<FormGraph>(entry.graph);
            auto *trend = w.main->tools().get<FormGraph2>(entry.trend);
            QCOMPARE(graph->NoTop(), ranges[i].first);
            QCOMPARE(graph->NoEnd(), ranges[i].second);
            QCOMPARE(trend->NoTop(), ranges[i].first);
            QCOMPARE(trend->NoEnd(), ranges[i].second);
            QCOMPARE(graph->windowTitle(), entry.caption);
            QCOMPARE(trend->windowTitle(), entry.caption);
            QCOMPARE(graph->ListView1()->topLevelItemCount(), maxNo);
            QVERIFY(trend->Check1(maxNo - 1) && !trend->Check1(maxNo));

            // What the chart shows is the count of the entry's columns, from the file's text.
            const std::map<int, int> counts = countFields(lines, ranges[i].first - 1, ranges[i].second - 1);
            const QBarSet *bars = barsOf(graph);
            QCOMPARE(bars->count(), maxNo);
            for (int n = 1; n <= maxNo; ++n)
                QCOMPARE(bars->at(n - 1), qreal(counts.count(n) ? counts.at(n) : 0));
        }
        QCOMPARE(w.main->tools().get<FormGraph>(GraphTools::GraphBonusOnly)->Label1()->text(),
                 maxNo == 43 ? u"1/43 = 2.32558139534884%"_s : u"1/31 = 3.2258064516129%"_s);
    }

    void emptyListOpensNothing()
    {
        LoadedWindow w;
        QVERIFY(w.load(testsupport::loto6Text({})));
        for (const Entry &entry : entries()) {
            trigger(*w.main, entry.action);
            QVERIFY(!w.main->tools().window(entry.graph)->isVisible());
            QVERIFY(!w.main->tools().window(entry.trend)->isVisible());
        }
    }

    void secondUseRecomputesAndKeepsThePlaces()
    {
        LoadedWindow w;
        QVERIFY(w.load(testsupport::loto6Text(fourDraws())));
        trigger(*w.main, u"menuEasyNumberB"_s);
        auto *graph = w.main->tools().get<FormGraph>(GraphTools::GraphWithBonus);
        auto *trend = w.main->tools().get<FormGraph2>(GraphTools::TrendWithBonus);
        graph->move(200, 90);
        trend->move(150, 300);
        trend->Command1_Click(BoxesClear);
        QCOMPARE(trend->grid().rows(), 1);

        selectFirstRows(*w.main, 2);
        trigger(*w.main, u"menuEasyNumberB"_s);
        QCOMPARE(graph->pos(), QPoint(200, 90));
        QCOMPARE(trend->pos(), QPoint(150, 300));
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/2"_s);
        QCOMPARE(trend->grid().columns(), 3);
        QCOMPARE(trend->grid().rows(), 44);  // every number ticked again

        // Closed windows are the same instances; hidden, they are placed anew.
        graph->close();
        trend->close();
        QVERIFY(!graph->isVisible() && !trend->isVisible());
        w.main->Command1_Click(FormMain::SelectAll);
        trigger(*w.main, u"menuEasyNumberB"_s);
        QCOMPARE(w.main->tools().get<FormGraph>(GraphTools::GraphWithBonus), graph);
        QVERIFY(graph->isVisible());
        QCOMPARE(graph->frameGeometry().topLeft(), justBelow(w.main.get()));
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/4"_s);
    }

    void newLoadReplacesTheWindows()
    {
        LoadedWindow w;
        QVERIFY(w.load(testsupport::loto6Text(fourDraws())));
        trigger(*w.main, u"menuBonus"_s);
        QPointer<FormGraph> old = w.main->tools().get<FormGraph>(GraphTools::GraphBonusOnly);
        QVERIFY(old->isVisible());
        QVERIFY(w.load(testsupport::miniLotoText({miniLotoLine(1, {3, 9, 15, 22, 31}, 7)}), u"mini_Download.csv"_s));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        auto *fresh = w.main->tools().get<FormGraph2>(GraphTools::TrendBonusOnly);
        QVERIFY(!fresh->isVisible());
        trigger(*w.main, u"menuBonus"_s);
        QVERIFY(fresh->Check1(30) && !fresh->Check1(31));
        QCOMPARE(w.main->tools().get<FormGraph>(GraphTools::GraphBonusOnly)->NoTop(), 8);
    }

    void copyAnalysesItsOwnRows()
    {
        LoadedWindow w;
        const QStringList lines = fourDraws();
        QVERIFY(w.load(testsupport::loto6Text(lines)));
        FormMain copy(testsupport::program(), FormMain::CopyOf{Game::Loto6});
        copy.MakeLvw6();
        copy.addRowFrom(w.main->table(), 0);
        copy.addRowFrom(w.main->table(), 2);
        copy.Command1_Click(FormMain::SelectAll);
        copy.resize(500, 120);
        copy.move(0, 0);
        for (QWidget *tool : copy.tools().windows())
            tool->resize(500, 150);
        trigger(copy, u"menuEasyNumber"_s);

        auto *graph = copy.tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        QVERIFY(graph->isVisible());
        QVERIFY(!w.main->tools().get<FormGraph>(GraphTools::GraphWithoutBonus)->isVisible());
        QCOMPARE(graph->LvwObj(), &copy.table());
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/2"_s);
        const std::map<int, int> counts = countFields({lines[0], lines[2]}, 2, 7);
        const QTreeWidget *list = graph->ListView1();
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            const int n = list->topLevelItem(r)->text(1).trimmed().toInt();
            QCOMPARE(list->topLevelItem(r)->text(2).trimmed().toInt(), counts.count(n) ? counts.at(n) : 0);
        }
        auto *trend = copy.tools().get<FormGraph2>(GraphTools::TrendWithoutBonus);
        QCOMPARE(trend->grid().columns(), 3);
        QCOMPARE(trend->grid().text(0, 2), u"103"_s);
    }

    void tableRedSharesSortingAndOddEven()
    {
        LoadedWindow w;
        const QStringList lines = fourDraws();
        QVERIFY(w.load(testsupport::loto6Text(lines)));
        trigger(*w.main, u"menuEasyNumber"_s);
        auto *graph = w.main->tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        QTreeWidget *list = graph->ListView1();
        QCOMPARE(list->selectedItems().size(), 43);

        // Red exactly where the share is below 6/43.
        const std::map<int, int> counts = countFields(lines, 2, 7);
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            const QTreeWidgetItem *item = list->topLevelItem(r);
            const int n = item->text(1).trimmed().toInt();
            const int count = counts.count(n) ? counts.at(n) : 0;
            const bool red = item->foreground(3).color() == QColor(255, 0, 0);
            QCOMPARE(red, double(count) / 4 < 6.0 / 43.0);
        }

        // Header clicks: the table comes sorted by count descending; each click flips the order.
        QHeaderView *header = list->header();
        auto clickHeader = [&](int section) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, 5));
        };
        QStringList ascending;
        for (int n = 1; n <= 43; ++n)
            ascending.append(padCell(QString::number(n), 2));
        clickHeader(1);
        QCOMPARE(column(list, 1), ascending);
        clickHeader(1);
        QStringList descending(ascending.rbegin(), ascending.rend());
        QCOMPARE(column(list, 1), descending);
        clickHeader(2);
        const QStringList byCount = column(list, 2);
        QVERIFY(std::is_sorted(byCount.begin(), byCount.end()));

        // Only the odd numbers selected, then "偶奇数".
        list->clearSelection();
        int odd = 0;
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QTreeWidgetItem *item = list->topLevelItem(r);
            const int n = item->text(1).trimmed().toInt();
            if (n % 2 == 1) {
                item->setSelected(true);
                odd += counts.count(n) ? counts.at(n) : 0;
            }
        }
        graph->findChild<QPushButton *>(u"Command2"_s)->click();
        QCOMPARE(graph->Label2()->text(), u" 偶数 0回 0.000%    奇数 "_s + QString::number(odd) + u"回 100.000% "_s);

        // "更新" follows a changed selection and selects every row again.
        selectFirstRows(*w.main, 1);
        graph->findChild<QPushButton *>(u"Command1"_s)->click();
        QCOMPARE(list->headerItem()->text(3), u"n/1"_s);
        QCOMPARE(list->selectedItems().size(), 43);
        QCOMPARE(list->topLevelItem(0)->text(4), u" 1"_s);
        QCOMPARE(list->topLevelItem(0)->text(3), u"100.000%"_s);
    }

    void nothingSelectedKeepsTheOldTable()
    {
        LoadedWindow w;
        QVERIFY(w.load(testsupport::loto6Text(fourDraws())));
        trigger(*w.main, u"menuEasyNumber"_s);
        auto *graph = w.main->tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        const QString oddEven = graph->Label2()->text();

        w.main->Command1_Click(FormMain::SelectClear);
        graph->Command1_Click();
        QCOMPARE(graph->ListView1()->topLevelItemCount(), 0);
        QCOMPARE(graph->ListView1()->headerItem()->text(3), u"n/4"_s);
        QCOMPARE(graph->Label2()->text(), oddEven);
        QCOMPARE(graph->Label1()->text(), u"6/43 = 13.953488372093%"_s);
        const QBarSet *bars = barsOf(graph);
        QCOMPARE(bars->sum(), 0.0);
    }

    void closingHidesTheWindow()
    {
        LoadedWindow w;
        QVERIFY(w.load(testsupport::loto6Text(fourDraws())));
        trigger(*w.main, u"menuEasyNumber"_s);
        QPointer<FormGraph> graph = w.main->tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
        QVERIFY(!graph->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(graph);
        QVERIFY(!graph->isVisible());
        QCOMPARE(graph->ListView1()->topLevelItemCount(), 43);
    }
};

QTEST_MAIN(FormGraphTest)
#include "tst_formgraph.moc"
