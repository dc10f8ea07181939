#include "core/controlarray.h"
#include "core/formmain.h"
#include "core/featureregistry.h"
#include "core/program.h"
#include "core/toolwindows.h"
#include "lookups/lookupsfeature.h"
#include "core/widgets.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;
using namespace testsupport;

namespace {
QString status(const FormMain &w)
{
    return w.findChild<PanelStatusBar *>(u"StatusBar1"_s)->panelText(1);
}

QList<int> selectedDraws(const FormMain &w)
{
    QList<int> draws;
    for (int r = 0; r < w.table().rowCount(); ++r) {
        if (w.table().isSelected(r))
            draws.append(w.table().cellText(r, 1).trimmed().toInt());
    }
    std::sort(draws.begin(), draws.end());
    return draws;
}

// The view shows exactly the rows the table holds as selected.
bool viewMatchesTable(const FormMain &w)
{
    const QItemSelectionModel *sel = w.ListView1()->selectionModel();
    for (int r = 0; r < w.table().rowCount(); ++r) {
        if (sel->isRowSelected(r, {}) != w.table().isSelected(r))
            return false;
    }
    return true;
}

bool menuShown(const FormMain &w, const QString &name)
{
    if (auto *menu = w.findChild<QMenu *>(name))
        return menu->menuAction()->isVisible();
    return w.findChild<QAction *>(name)->isVisible();
}

void clickButton(FormMain &w, const QString &group, int index)
{
    QPushButton *button = controlAt<QPushButton>(&w, group, index);
    QVERIFY(button);
    button->click();
}

void setCount(FormMain &w, const QString &text)
{
    w.findChild<QLineEdit *>(u"Text1"_s)->setText(text);
}

// Selects the last `count` rows (the first with `fromTop`) through the count box and its buttons.
void selectRows(FormMain &w, const QString &count, bool fromTop = false)
{
    setCount(w, count);
    clickButton(w, u"Command2"_s, fromTop ? 0 : 1);
}
} // namespace

class TestFormMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void startState();
    void loadThroughDialog();
    void selectionButtons_data();
    void selectionButtons();
    void countBoxKeys();
    void mouseSelectionUpdatesCount();
    void sortToggling();
    void rejectedFileKeepsTable();
    void reloadReplacesToolWindows();
    void emptyTableFile();
    void copyWindow();
    void closingFirstWindowClosesOthers();
    void dropLoadsFile();

private:
    static int toolKinds();
    QList<FeatureRegistry::ToolFactory> m_saved;
    int m_made = 0;
};

void TestFormMain::initTestCase()
{
    // Count the tool windows made, whatever window class each kind is.
    FeatureRegistry &features = program().features();
    for (const QString &id : features.toolWindowIds()) {
        const FeatureRegistry::ToolFactory original = features.toolFactory(id);
        m_saved.append(original);
        features.setToolFactory(id, [this, original](const ToolContext &context) {
            ++m_made;
            return original(context);
        });
    }
}

void TestFormMain::cleanupTestCase()
{
    FeatureRegistry &features = program().features();
    const QStringList ids = features.toolWindowIds();
    for (qsizetype i = 0; i < ids.size(); ++i)
        features.setToolFactory(ids[i], m_saved[i]);
}

int TestFormMain::toolKinds()
{
    return int(program().features().toolWindowIds().size());
}

void TestFormMain::startState()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    QCOMPARE(testsupport::program().firstWindow(), &w);
    QCOMPARE(w.RunMode(), 0);
    QCOMPARE(w.MaxNo(), 0);
    QCOMPARE(w.table().columnCount(), 0);
    QVERIFY(!w.findChild<QMenu *>(u"menuAnalysis"_s)->isEnabled());
    // Clicking the buttons on an empty table is harmless.
    clickButton(w, u"Command2"_s, 1);
    clickButton(w, u"Command1"_s, 1);
    QCOMPARE(status(w), u"選択数：0/0"_s);
    // Untouched, the count box asks for the last fifty draws.
    QVERIFY(w.loadFile(miniLotoFile()));
    clickButton(w, u"Command2"_s, 1);
    QCOMPARE(selectedDraws(w).size(), 50);
    QCOMPARE(selectedDraws(w).first(), 1402 - 49);
}

void TestFormMain::loadThroughDialog()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    w.show();
    {
        FileDialogAnswer cancel{QString()};
        w.findChild<QAction *>(u"menuDataLoad"_s)->trigger();
        QCOMPARE(cancel.requests().size(), 1);
        QCOMPARE(cancel.requests().first().filter, u"*Download.csv (*Download.csv);;*.csv (*.csv);;*.* (*)"_s);
        QCOMPARE(w.RunMode(), 0);
        QVERIFY(!w.findChild<QMenu *>(u"menuAnalysis"_s)->isEnabled());
    }
    FileDialogAnswer answer(loto6File());
    w.findChild<QAction *>(u"menuDataLoad"_s)->trigger();
    QVERIFY(messages.requests().isEmpty());
    QCOMPARE(w.RunMode(), 6);
    QCOMPARE(w.MaxNo(), 43);
    QCOMPARE(w.table().rowCount(), 2141);
    QCOMPARE(w.ListView1()->model()->rowCount(), 2141);
    QCOMPARE(w.table().selectedCount(), 2141);
    QVERIFY(viewMatchesTable(w));
    QCOMPARE(status(w), u"選択数：2141/2141"_s);
    QVERIFY(w.findChild<QMenu *>(u"menuAnalysis"_s)->isEnabled());
    // Column 0 is hidden by sizing; every other column fits its widest cell.
    QCOMPARE(w.ListView1()->columnWidth(0), 0);
    const QFontMetrics fm = w.ListView1()->fontMetrics();
    for (int c = 1; c < w.table().columnCount(); ++c)
        QVERIFY2(w.ListView1()->columnWidth(c) >= fm.horizontalAdvance(w.table().cellText(0, c)), qPrintable(QString::number(c)));
    QCOMPARE(w.ListView1()->model()->headerData(11, Qt::Horizontal).toString(), u"１等賞金"_s);
    QCOMPARE(w.ListView1()->model()->index(0, 11).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
             Qt::AlignRight);
}

void TestFormMain::selectionButtons_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("firstDraw");  // 0 when nothing is selected
    QTest::addColumn<int>("lastDraw");
    // Every row starts from the last 7 draws selected; the real file has draws 1..2141.
    QTest::newRow("last 50") << u"50"_s << u"Command2"_s << 1 << 2092 << 2141;
    QTest::newRow("first 50") << u"50"_s << u"Command2"_s << 0 << 1 << 50;
    QTest::newRow("last 0") << u"0"_s << u"Command2"_s << 1 << 0 << 0;
    QTest::newRow("more than the rows") << u"3000"_s << u"Command2"_s << 1 << 1 << 2141;
    QTest::newRow("beyond any integer") << u"99999999999999999999"_s << u"Command2"_s << 0 << 1 << 2141;
    QTest::newRow("empty box changes nothing") << QString() << u"Command2"_s << 0 << 2135 << 2141;
    QTest::newRow("Select Clear") << u"50"_s << u"Command1"_s << 0 << 0 << 0;
    QTest::newRow("Select All") << u"50"_s << u"Command1"_s << 1 << 1 << 2141;
}

void TestFormMain::selectionButtons()
{
    QFETCH(QString, count);
    QFETCH(QString, group);
    QFETCH(int, index);
    QFETCH(int, firstDraw);
    QFETCH(int, lastDraw);

    MessageRecorder messages;
    FormMain w(testsupport::program());
    QVERIFY(w.loadFile(loto6File()));
    selectRows(w, u"7"_s);

    setCount(w, count);
    clickButton(w, group, index);
    QList<int> expected;
    for (int d = firstDraw; firstDraw > 0 && d <= lastDraw; ++d)
        expected.append(d);
    QCOMPARE(selectedDraws(w), expected);
    QCOMPARE(status(w), u"選択数："_s + QString::number(expected.size()) + u"/2141"_s);
    QVERIFY(viewMatchesTable(w));
}

void TestFormMain::countBoxKeys()
{
    FormMain w(testsupport::program());
    auto *box = w.findChild<QLineEdit *>(u"Text1"_s);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    box->clear();
    for (const QChar c : u"1a2-3 ４x"_s) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
    QCOMPARE(box->text(), u"123"_s);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), u"12"_s);
    // Delete carries a control code as its text on some platforms: it still edits.
    box->setCursorPosition(0);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, u"\x7f"_s);
    QApplication::sendEvent(box, &del);
    QCOMPARE(box->text(), u"2"_s);
    // Text composed through an input method obeys the same rule.
    box->setCursorPosition(1);
    QInputMethodEvent composed;
    composed.setCommitString(u"７4ア"_s);
    QApplication::sendEvent(box, &composed);
    QCOMPARE(box->text(), u"24"_s);
    box->setText(u"12"_s);
    // The whole text is selected when the box gets the focus.
    box->clearFocus();
    box->deselect();
    box->setFocus();
    QTRY_COMPARE(box->selectedText(), u"12"_s);
}

void TestFormMain::mouseSelectionUpdatesCount()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.loadFile(miniLotoFile()));
    QTreeView *list = w.ListView1();
    const auto rowPoint = [list](int row) { return list->visualRect(list->model()->index(row, 3)).center(); };

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(2));
    QCOMPARE(status(w), u"選択数：1/1402"_s);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(6));
    QCOMPARE(status(w), u"選択数：5/1402"_s);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowPoint(4));
    QCOMPARE(status(w), u"選択数：4/1402"_s);
    QCOMPARE(selectedDraws(w), (QList<int>{3, 4, 6, 7}));
}

void TestFormMain::sortToggling()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    QVERIFY(w.loadFile(loto6File()));
    selectRows(w, u"50"_s);
    const QList<int> chosen = selectedDraws(w);
    const QList<int> widths = [&] {
        QList<int> out;
        for (int c = 0; c < w.table().columnCount(); ++c)
            out.append(w.ListView1()->columnWidth(c));
        return out;
    }();

    QHeaderView *header = w.ListView1()->header();
    const auto clickHeader = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5));
    };
    const auto columnSorted = [&](int column, bool ascending) {
        for (int r = 1; r < w.table().rowCount(); ++r) {
            const int cmp = w.table().cellText(r - 1, column).compare(w.table().cellText(r, column));
            if (ascending ? cmp > 0 : cmp < 0)
                return false;
        }
        return true;
    };

    clickHeader(3);
    QVERIFY(columnSorted(3, true));
    QCOMPARE(w.table().cellText(0, 3), u" 1"_s);
    clickHeader(3);
    QVERIFY(columnSorted(3, false));
    // Another column continues the toggle: ascending after a descending sort...
    clickHeader(1);
    QVERIFY(columnSorted(1, true));
    // ...and descending after that, on yet another column.
    clickHeader(11);
    QVERIFY(columnSorted(11, false));

    // Rows move with their selection; the row buttons now count in display order.
    QCOMPARE(selectedDraws(w), chosen);
    QVERIFY(viewMatchesTable(w));
    QCOMPARE(status(w), u"選択数：50/2141"_s);
    for (int c = 0; c < widths.size(); ++c)
        QCOMPARE(w.ListView1()->columnWidth(c), widths[c]);
    clickHeader(1);  // ascending by draw number again
    QVERIFY(columnSorted(1, true));
    selectRows(w, u"3"_s, true);
    QCOMPARE(selectedDraws(w), (QList<int>{1, 2, 3}));
    clickHeader(1);  // descending: the first rows are now the newest draws
    clickButton(w, u"Command2"_s, 0);
    QCOMPARE(selectedDraws(w), (QList<int>{2139, 2140, 2141}));
}

void TestFormMain::rejectedFileKeepsTable()
{
    MessageRecorder messages;
    QTemporaryDir dir;
    FormMain w(testsupport::program());
    QVERIFY(w.loadFile(loto6File()));
    selectRows(w, u"10"_s);
    QWidget *tool = w.tools().window(LookupTools::OldHit);

    const QString wrong = writeTextFile(dir, u"x.csv"_s, u"something else\r\n"_s);
    const QString garbage = writeBytesFile(dir, u"g.csv"_s, QByteArray("\x00\xff\x81\n\x00", 5));
    FileDialogAnswer answer(wrong);
    for (const QString &path : {wrong, garbage, dir.path(), dir.filePath(u"none.csv"_s)}) {
        answer.setPath(path);
        messages.clear();
        w.findChild<QAction *>(u"menuDataLoad"_s)->trigger();
        QCOMPARE(messages.texts(), QStringList{u"データファイルが異常です"_s});
        QCOMPARE(messages.requests().first().caption, u"Zemvara"_s);
        QCOMPARE(messages.requests().first().icon, Messages::Icon::Exclamation);
        QCOMPARE(messages.requests().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(w.RunMode(), 6);
        QCOMPARE(w.table().rowCount(), 2141);
        QCOMPARE(status(w), u"選択数：10/2141"_s);
        QCOMPARE(w.tools().window(LookupTools::OldHit), tool);
    }
}

void TestFormMain::reloadReplacesToolWindows()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    QVERIFY(w.tools().isEmpty());
    m_made = 0;
    QVERIFY(w.loadFile(loto6File()));
    // A load makes no window; each kind is made hidden when first asked for, and only once.
    QCOMPARE(m_made, 0);
    QList<QPointer<QWidget>> before;
    const QStringList ids = program().features().toolWindowIds();
    for (const QString &id : ids) {
        QWidget *tool = w.tools().window(id);
        QVERIFY(tool);
        QVERIFY(!tool->isVisible());
        QCOMPARE(w.tools().window(id), tool);
        before.append(tool);
    }
    QCOMPARE(m_made, toolKinds());
    before.first()->show();

    QVERIFY(w.loadFile(miniLotoFile()));
    QCOMPARE(m_made, toolKinds());
    QCOMPARE(w.RunMode(), 5);
    QCOMPARE(w.MaxNo(), 31);
    QCOMPARE(w.table().columnCount(), 17);
    QCOMPARE(w.ListView1()->model()->columnCount(), 17);
    QCOMPARE(w.table().column(16).key, u"Money4"_s);
    QCOMPARE(status(w), u"選択数：1402/1402"_s);
    QVERIFY(!before.first()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (qsizetype i = 0; i < ids.size(); ++i) {
        QVERIFY(before[i].isNull());
        QVERIFY(w.tools().window(ids[i]));
    }
    QCOMPARE(m_made, 2 * toolKinds());
}

void TestFormMain::emptyTableFile()
{
    MessageRecorder messages;
    QTemporaryDir dir;
    FormMain w(testsupport::program());
    QVERIFY(w.loadFile(writeTextFile(dir, u"e.csv"_s, miniLotoText({}))));
    QCOMPARE(w.RunMode(), 5);
    QCOMPARE(w.table().rowCount(), 0);
    QVERIFY(w.findChild<QMenu *>(u"menuAnalysis"_s)->isEnabled());
    QCOMPARE(status(w), u"選択数：0/0"_s);
    QVERIFY(messages.requests().isEmpty());
}

void TestFormMain::copyWindow()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    QVERIFY(w.loadFile(miniLotoFile()));
    selectRows(w, u"20"_s);

    m_made = 0;
    auto *copy = new FormMain(program(), FormMain::CopyOf{w.RunMode()}, &w);
    copy->setWindowFlag(Qt::Window);
    QVERIFY(!copy->tools().isEmpty());
    QCOMPARE(copy->tools().windows().size(), toolKinds());
    QCOMPARE(m_made, toolKinds());
    QVERIFY(copy->Copied());
    QCOMPARE(testsupport::program().firstWindow(), &w);
    QCOMPARE(copy->RunMode(), 5);
    QCOMPARE(copy->MaxNo(), 31);
    QVERIFY(!menuShown(*copy, u"menuData"_s));
    QVERIFY(!menuShown(*copy, u"menuHelp"_s));
    QVERIFY(!menuShown(*copy, u"menuVersion"_s));
    QVERIFY(!menuShown(*copy, u"menuMaster"_s));
    QVERIFY(menuShown(*copy, u"menuAnalysis"_s));
    QVERIFY(copy->findChild<QMenu *>(u"menuAnalysis"_s)->isEnabled());
    QVERIFY(menuShown(w, u"menuData"_s));
    QVERIFY(!copy->acceptDrops());

    copy->setWindowTitle(u"照合結果"_s);
    copy->MakeLvw5();
    for (int r = 0; r < w.table().rowCount(); ++r) {
        if (w.table().isSelected(r))
            copy->addRowFrom(w.table(), r);
    }
    copy->autoSizeColumns();
    copy->Command1_Click(FormMain::SelectAll);
    copy->show();
    QCOMPARE(copy->table().rowCount(), 20);
    QCOMPARE(status(*copy), u"選択数：20/20"_s);
    QCOMPARE(copy->table().cellText(19, 1), u" 1402"_s);
    QCOMPARE(copy->ListView1()->columnWidth(0), 0);
    // The copy's own selection tools act on the copy only.
    selectRows(*copy, u"5"_s, true);
    QCOMPARE(status(*copy), u"選択数：5/20"_s);
    QCOMPARE(status(w), u"選択数：20/1402"_s);

    QPointer<QWidget> copyTool = copy->tools().window(LookupTools::Search);
    QPointer<QWidget> mainTool = w.tools().window(LookupTools::Search);
    copy->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(copyTool.isNull());
    QVERIFY(!mainTool.isNull());
    QCOMPARE(w.table().rowCount(), 1402);
    QCOMPARE(w.table().selectedCount(), 20);
    QVERIFY(w.findChild<QMenu *>(u"menuAnalysis"_s)->isEnabled());

    // Filled again by its maker, a closed copy gets fresh tool windows, and its new rows stand
    // in the order they were added (no stale sort arrow).
    copy->ListView1_ColumnClick(3);
    QVERIFY(copy->ListView1()->header()->isSortIndicatorShown());
    copy->MakeLvw5();
    QVERIFY(copy->tools().window(LookupTools::Search));
    QVERIFY(!copy->ListView1()->header()->isSortIndicatorShown());
}

void TestFormMain::closingFirstWindowClosesOthers()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    QVERIFY(w.loadFile(loto6File()));
    w.show();
    FormMain copy(program(), FormMain::CopyOf{w.RunMode()});
    copy.show();
    QWidget *tool = w.tools().window(LookupTools::OldHit);
    QVERIFY(tool);
    const QPointer<QWidget> watch = tool;
    tool->show();
    QVERIFY(copy.isVisible() && tool->isVisible());
    w.close();
    // Every other window went with it: the copy, and the tool window, closed and dropped.
    QVERIFY(!copy.isVisible());
    QVERIFY(!tool->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
}

void TestFormMain::dropLoadsFile()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    w.show();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(miniLotoFile())});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&w, &drop);
    QCOMPARE(w.RunMode(), 5);
    QCOMPARE(w.table().rowCount(), 1402);
}

QTEST_MAIN(TestFormMain)
#include "tst_formmain.moc"
