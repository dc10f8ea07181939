#include "core/formhelpers.h"
#include "core/widgets.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class TestFormHelpers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitFormToScreen();
    void autoSize();
    void optionIndex();
    void translucency();
    void treeWidgetRowsAndSort();
};

void TestFormHelpers::fitFormToScreen()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget w;
    w.resize(200, 100);
    w.move(area.x() + area.width() + 500, area.y() + 40);
    FitFormToScreen(&w);
    QCOMPARE(w.pos(), QPoint(area.x() + area.width() - 32, area.y() + 40));

    w.move(area.x() + 10, area.y() + area.height() + 10);
    FitFormToScreen(&w);
    QCOMPARE(w.pos(), QPoint(area.x() + 10, area.y() + area.height() - 32));

    // Exactly 32 pixels inside stays, and nothing is done about the left or top edge.
    w.move(area.x() + area.width() - 32, area.y() - 300);
    FitFormToScreen(&w);
    QCOMPARE(w.pos(), QPoint(area.x() + area.width() - 32, area.y() - 300));
}

void TestFormHelpers::autoSize()
{
    QTreeWidget list;
    list.setColumnCount(3);
    list.setHeaderLabels({QString(), u"a very long header text"_s, u"x"_s});
    for (const QStringList &cells : {QStringList{QString(), u"1"_s, u"12345678901234567890"_s},
                                     QStringList{QString(), u"22"_s, u"5"_s}})
        new QTreeWidgetItem(&list, cells);

    LvwAutoSize(&list, false, 0);
    const int empty = list.columnWidth(0);
    QVERIFY(empty > 0);  // only sized: nothing hidden
    // Headers do not count: the narrow column stays narrower than its header.
    QVERIFY(list.columnWidth(1) < list.fontMetrics().horizontalAdvance(u"a very long header text"_s));
    QVERIFY(list.columnWidth(2) >= list.fontMetrics().horizontalAdvance(u"12345678901234567890"_s));

    LvwAutoSize(&list, true, 0);
    QCOMPARE(list.columnWidth(0), 0);
    QVERIFY(list.columnWidth(1) > 12);
    LvwAutoSize(&list, true, 20);
    QCOMPARE(list.columnWidth(0), 20);
}

void TestFormHelpers::optionIndex()
{
    QWidget parent;
    QRadioButton a(&parent), b(&parent), c(&parent);
    QCOMPARE(GetOptionIndex({&a, &b, &c}), -1);
    c.setChecked(true);
    QCOMPARE(GetOptionIndex({&a, &b, &c}), 2);
    QCOMPARE(GetOptionIndex({&a, nullptr, &c}), 2);
}

void TestFormHelpers::translucency()
{
    QWidget w;
    SetTranslucent(&w, 128);
    QCOMPARE(qRound(w.windowOpacity() * 255), 128);
    SetTranslucent(&w, 255);
    QCOMPARE(w.windowOpacity(), 1.0);
    SetTranslucent(&w, 999);
    QCOMPARE(w.windowOpacity(), 1.0);
}

void TestFormHelpers::treeWidgetRowsAndSort()
{
    QTreeWidget list;
    list.setColumnCount(2);
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const char16_t *n : {u" 7", u"12", u" 3"})
        new QTreeWidgetItem(&list, {QString(), QString::fromUtf16(n)});
    list.topLevelItem(1)->setSelected(true);
    enableColumnClickSort(&list);

    TreeWidgetRows rows(&list);
    QCOMPARE(rows.rowCount(), 3);
    QVERIFY(rows.isSelected(1));
    QCOMPARE(rows.cellText(1, 1), u"12"_s);

    Q_EMIT list.header()->sectionClicked(1);
    QCOMPARE(rows.cellText(0, 1), u" 3"_s);
    QCOMPARE(rows.cellText(2, 1), u"12"_s);
    QVERIFY(rows.isSelected(2));
    Q_EMIT list.header()->sectionClicked(1);
    QCOMPARE(rows.cellText(0, 1), u"12"_s);
    Q_EMIT list.header()->sectionClicked(0);  // the toggle carries over to another column
    QCOMPARE(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
}

QTEST_MAIN(TestFormHelpers)
#include "tst_formhelpers.moc"
