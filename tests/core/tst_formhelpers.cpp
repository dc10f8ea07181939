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
    void fitFormToScreen_data();
    void fitFormToScreen();
    void placeWindowCascades();
    void autoSize();
    void optionIndex();
    void translucency();
    void columnClickSort();
};

void TestFormHelpers::fitFormToScreen_data()
{
    QTest::addColumn<QPoint>("offset");  // from the work area's top left
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("expected");  // relative to the work area; empty: computed below
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int w = area.width();
    const int h = area.height();
    QTest::newRow("inside stays") << QPoint(10, 20) << QSize(200, 100) << QRect(10, 20, 200, 100);
    QTest::newRow("past the right edge") << QPoint(w + 500, 40) << QSize(200, 100) << QRect(w - 200, 40, 200, 100);
    QTest::newRow("past the bottom") << QPoint(10, h + 10) << QSize(200, 100) << QRect(10, h - 100, 200, 100);
    QTest::newRow("above and left") << QPoint(-300, -50) << QSize(200, 100) << QRect(0, 0, 200, 100);
    QTest::newRow("larger than the area") << QPoint(30, 30) << QSize(w + 100, h + 100) << QRect(0, 0, w, h);
}

void TestFormHelpers::fitFormToScreen()
{
    QFETCH(QPoint, offset);
    QFETCH(QSize, size);
    QFETCH(QRect, expected);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget w;
    w.resize(size);
    w.move(area.topLeft() + offset);
    FitFormToScreen(&w);
    QCOMPARE(w.geometry(), expected.translated(area.topLeft()));
}

void TestFormHelpers::placeWindowCascades()
{
    // Windows that do not fit beside their opener step past each other instead of piling up.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget opener;
    opener.resize(200, 100);
    opener.move(area.topLeft());
    opener.show();
    QWidget first;
    QWidget second;
    for (QWidget *w : {&first, &second}) {
        w->resize(300, 200);
        placeWindow(w, area.bottomRight());
        w->show();
        QVERIFY2(area.contains(w->frameGeometry()), qPrintable(QDebug::toString(w->frameGeometry())));
    }
    // Both were pushed into the bottom right corner: the second steps up and left.
    QCOMPARE(first.frameGeometry().bottomRight(), area.bottomRight());
    QCOMPARE(second.pos(), first.pos() - QPoint(24, 24));
    // Where it fits, the side relation holds exactly.
    QWidget third;
    third.resize(100, 80);
    placeWindow(&third, area.topLeft() + QPoint(40, 50));
    QCOMPARE(third.pos(), area.topLeft() + QPoint(40, 50));
}

void TestFormHelpers::autoSize()
{
    QTreeWidget list;
    list.setColumnCount(4);
    list.setHeaderLabels({QString(), u"a very long header text"_s, u"x"_s, u"hidden header"_s});
    for (const QStringList &cells : {QStringList{QString(), u"1"_s, u"12345678901234567890"_s, QString()},
                                     QStringList{QString(), u"22"_s, u"5"_s, QString()}})
        new QTreeWidgetItem(&list, cells);

    LvwAutoSize(&list, false, 0);
    QVERIFY(list.columnWidth(0) > 0);  // only sized: nothing hidden
    // A column in sight shows its whole header; a wide content column its whole content.
    QVERIFY(list.columnWidth(1) > list.header()->fontMetrics().horizontalAdvance(u"a very long header text"_s));
    QVERIFY(list.columnWidth(2) >= list.fontMetrics().horizontalAdvance(u"12345678901234567890"_s));

    LvwAutoSize(&list, true, 0);
    QCOMPARE(list.columnWidth(0), 0);
    // Empty content hides a column whatever its header says.
    QCOMPARE(list.columnWidth(3), 0);
    QVERIFY(list.columnWidth(1) > list.header()->fontMetrics().horizontalAdvance(u"a very long header text"_s));
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

void TestFormHelpers::columnClickSort()
{
    QTreeWidget list;
    list.setColumnCount(2);
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const char16_t *n : {u" 7", u"12", u" 3"})
        new QTreeWidgetItem(&list, {QString(), QString::fromUtf16(n)});
    list.topLevelItem(1)->setSelected(true);
    enableColumnClickSort(&list);

    Q_EMIT list.header()->sectionClicked(1);
    QCOMPARE(list.topLevelItem(0)->text(1), u" 3"_s);
    QCOMPARE(list.topLevelItem(2)->text(1), u"12"_s);
    QVERIFY(list.topLevelItem(2)->isSelected());
    Q_EMIT list.header()->sectionClicked(1);
    QCOMPARE(list.topLevelItem(0)->text(1), u"12"_s);
    Q_EMIT list.header()->sectionClicked(0);  // the toggle carries over to another column
    QCOMPARE(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
}

QTEST_MAIN(TestFormHelpers)
#include "tst_formhelpers.moc"
