// The windows as a user meets them on a 1024×768 and a 1600×1000 screen (the test runs on each):
// every window the menus open has its whole frame on the screen, a graph and its table do not
// cover each other where the screen has room, and the keyboard works as on any desktop.
#include "core/drawfile.h"
#include "core/formmain.h"
#include "graphs/graphsfeature.h"
#include "lookups/formway.h"
#include "core/program.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "lookups/formsearch.h"
#include "lookups/lookupsfeature.h"
#include "support/testsupport.h"
#include "core/appfiles.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QHeaderView>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <limits>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace testsupport;

class TestPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyWindowOpensWhollyOnScreen()
    {
        MessageRecorder messages;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        FormMain main(program());
        main.show();
        QVERIFY(main.loadFile(loto6File()));
        // Every entry of the analysis menu that is enabled, then a result copy of a check.
        const QList<QAction *> entries = main.findChild<QMenu *>(u"menuAnalysis"_s)->actions();
        int opened = 0;
        for (QAction *entry : entries) {
            if (entry->isSeparator() || !entry->isEnabled())
                continue;
            entry->trigger();
            ++opened;
        }
        QVERIFY(opened >= 8);
        auto *check = main.tools().get<FormOldHit>(LookupTools::OldHit);
        for (const auto &[i, n] : {std::pair{0, u"3"_s}, {1, u"14"_s}, {2, u"15"_s}})
            check->Text1(i)->setText(n);
        check->Command1_Click();
        QVERIFY(check->resultWindow() && check->resultWindow()->isVisible());
        QTest::qWait(20);

        int checked = 0;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->isVisible())
                continue;
            QVERIFY2(area.contains(w->frameGeometry()),
                     qPrintable(w->windowTitle() + u": "_s + QDebug::toString(w->frameGeometry())));
            ++checked;
        }
        QVERIFY(checked > opened);
    }

    void entryBoxHasTheFocusOnOpen()
    {
        MessageRecorder messages;
        FormMain main(program());
        main.show();
        QVERIFY(main.loadFile(miniLotoFile()));
        main.findChild<QAction *>(u"menuOldHit"_s)->trigger();
        auto *check = main.tools().get<FormOldHit>(LookupTools::OldHit);
        QTRY_VERIFY(check->isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), check->Text1(0));
        // Typed digits land in the box.
        QTest::keyClicks(QApplication::focusWidget(), u"12"_s);
        QCOMPARE(check->Text1(0)->text(), u"12"_s);

        main.findChild<QAction *>(u"menuNoSet"_s)->trigger();
        auto *search = main.tools().get<FormSearch>(LookupTools::Search);
        QTRY_VERIFY(search->isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), search->Text1());
    }
    // Each graph entry opens the graph and its table: apart where the screen holds both one
    // above the other, else cascaded with both title bars in sight.
    void graphAndTableOpenApart()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        auto main = shownMainWindow(loto6File(), {960, 600});
        for (const auto &[entry, graphId, trendId] :
             {std::tuple{u"menuEasyNumberB"_s, GraphTools::GraphWithBonus, GraphTools::TrendWithBonus},
              std::tuple{u"menuBonus"_s, GraphTools::GraphBonusOnly, GraphTools::TrendBonusOnly}}) {
            ownAction(main.get(), entry)->trigger();
            const QRect graph = main->tools().get<QWidget>(graphId)->frameGeometry();
            const QRect trend = main->tools().get<QWidget>(trendId)->frameGeometry();
            QVERIFY(area.contains(graph) && area.contains(trend));
            if (graph.height() + trend.height() <= area.height())
                QVERIFY2(!graph.intersects(trend), qPrintable(QDebug::toString(graph) + QDebug::toString(trend)));
            else
                QVERIFY(trend.top() >= graph.top() + 24 && trend.left() >= graph.left() + 24);
        }
    }

    void keyboard()
    {
        MessageRecorder messages;
        auto main = shownMainWindow(loto6File(), {960, 600});
        QTRY_VERIFY(main->isActiveWindow());
        auto *count = main->findChild<QLineEdit *>(u"Text1"_s);
        // The first key goes to the count box, and Enter there selects the last rows.
        QCOMPARE(QApplication::focusWidget(), count);
        count->selectAll();
        QTest::keyClicks(count, u"7"_s);
        QTest::keyClick(count, Qt::Key_Return);
        const int rows = main->table().rowCount();
        QCOMPARE(main->table().selectedCount(), 7);
        QVERIFY(main->table().isSelected(rows - 1) && main->table().isSelected(rows - 7) && !main->table().isSelected(rows - 8));

        // F10 and Alt with a menu's letter reach the menu bar.
        QTest::keyClick(count, Qt::Key_F10);
        QCOMPARE(main->menuBar()->activeAction(), main->findChild<QMenu *>(u"menuData"_s)->menuAction());
        QTest::keyClick(main->menuBar(), Qt::Key_Escape);
        QTest::keyClick(main->menuBar(), Qt::Key_Escape);
        QTest::keyClick(count, Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), main->findChild<QMenu *>(u"menuHelp"_s));
        QApplication::activePopupWidget()->close();

        // Esc closes the check's result window; Ctrl+Q from the check ends the program.
        ownAction(main.get(), u"menuOldHit"_s)->trigger();
        auto *check = main->tools().get<FormOldHit>(LookupTools::OldHit);
        for (const auto &[i, n] : {std::pair{0, u"3"_s}, {1, u"14"_s}, {2, u"15"_s}})
            check->Text1(i)->setText(n);
        check->Command1_Click();
        FormMain *result = check->resultWindow();
        QTRY_VERIFY(result->isActiveWindow());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!result->isVisible());
        check->activateWindow();
        QTRY_VERIFY(check->isActiveWindow());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!main->isVisible());
        QVERIFY(!check->isVisible());
    }

    void savingWaitsForAFileAndKeepsTheSelection()
    {
        FormMain empty(program());
        QVERIFY(!ownAction(&empty, u"menuDataCsv"_s)->isEnabled());
        QVERIFY(!ownAction(&empty, u"menuDataSaveSelected"_s)->isEnabled());

        auto main = shownMainWindow(miniLotoFile(), {960, 600});
        QVERIFY(ownAction(main.get(), u"menuDataCsv"_s)->isEnabled());
        // Draws of a sorted list, picked here and there: saved in list order, read back alike.
        main->ListView1_ColumnClick(3);
        main->Command1_Click(FormMain::SelectClear);
        auto *view = main->findChild<QTreeView *>(u"ListView1"_s);
        QList<int> picked;
        for (int r = 5; r < main->table().rowCount(); r += 97) {
            view->selectionModel()->select(view->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            picked.append(r);
        }
        QCOMPARE(main->table().selectedCount(), picked.size());
        QTemporaryDir dir;
        {
            testsupport::FileDialogAnswer answer{dir.filePath(u"picked"_s)};
            ownAction(main.get(), u"menuDataSaveSelected"_s)->trigger();
        }
        FormMain reread(program());
        QVERIFY(reread.loadFile(dir.filePath(u"picked.csv"_s)));
        QCOMPARE(reread.table().rowCount(), picked.size());
        for (int i = 0; i < picked.size(); ++i) {
            for (int c = 0; c < main->table().columnCount(); ++c)
                QCOMPARE(reread.table().cell(i, c), main->table().cell(picked[i], c));
        }
        // A subset of the real file: each saved line is the original line of its draw.
        const QByteArray original = AppFiles::readFile(miniLotoFile()).bytes;
        const QList<QByteArray> saved = AppFiles::readFile(dir.filePath(u"picked.csv"_s)).bytes.split('\n');
        QCOMPARE(saved.first(), QByteArray("miniLOTO DownloadData\r"));
        for (const QByteArray &line : saved.mid(2, saved.size() - 3))
            QVERIFY2(original.contains("\n" + line + "\n"), line.constData());
    }

    void tallyWithoutSelectionSaysSo()
    {
        auto main = shownMainWindow(loto6File(), {960, 600});
        main->Command1_Click(FormMain::SelectClear);
        ownAction(main.get(), u"menuWay"_s)->trigger();
        auto *way = main->tools().get<FormWay>(LookupTools::Way);
        QVERIFY(!way->findChild<QStatusBar *>(u"StatusBar1"_s)->currentMessage().isEmpty());
        auto *list = way->findChild<QTreeView *>(u"ListView1"_s);
        for (int c = 1; c < list->model()->columnCount(); ++c) {
            const QString header = list->model()->headerData(c, Qt::Horizontal).toString();
            QVERIFY2(list->columnWidth(c) >= list->header()->fontMetrics().horizontalAdvance(header), qPrintable(header));
        }
        // With every draw, the draws column stays within reach; its whole list is its tool tip.
        main->Command1_Click(FormMain::SelectAll);
        way->Command1_Click();
        QTRY_VERIFY(way->findChild<QTreeView *>(u"ListView1"_s)->model()->rowCount() > 0);
        const int draws = list->model()->columnCount() - 1;
        QVERIFY(list->columnWidth(draws) < 600);
        const QModelIndex first = list->model()->index(0, draws);
        QCOMPARE(first.data(Qt::ToolTipRole).toString(), first.data().toString().trimmed());
        QVERIFY(way->findChild<QStatusBar *>(u"StatusBar1"_s)->currentMessage().isEmpty());
    }
    // Tab goes through each window's controls as they are read: along a row, then down.
    void tabOrderFollowsTheScreen()
    {
        MessageRecorder messages;
        auto main = shownMainWindow(loto6File(), {960, 600});
        for (const QString &menu : {u"menuAnalysis"_s, u"menuMaster"_s, u"menuHelp"_s}) {
            for (QAction *entry : main->findChild<QMenu *>(menu)->actions()) {
                if (!entry->isSeparator() && entry->isEnabled() && entry->objectName() != u"menuHelpOnline"
                    && entry->objectName() != u"menuHelpFAQ")
                    entry->trigger();
            }
        }
        ownAction(main.get(), u"menuVersion"_s)->trigger();
        QStringList wrong;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            QList<QWidget *> chain;
            for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
                if (w->window() == window && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)
                    && !chain.contains(w))
                    chain.append(w);
            }
            // Tab goes round: the round is read from the leftmost control of the top row.
            const auto at = [window](const QWidget *w) { return w->mapTo(window, QPoint()); };
            int top = std::numeric_limits<int>::max();
            for (const QWidget *w : chain)
                top = std::min(top, at(w).y());
            const auto first = std::min_element(chain.begin(), chain.end(), [&](QWidget *a, QWidget *b) {
                const bool aTop = at(a).y() < top + 12;
                const bool bTop = at(b).y() < top + 12;
                return aTop != bTop ? aTop : at(a).x() < at(b).x();
            });
            std::rotate(chain.begin(), first, chain.end());
            for (qsizetype i = 1; i < chain.size(); ++i) {
                const QRect a(chain[i - 1]->mapTo(window, QPoint()), chain[i - 1]->size());
                const QRect b(chain[i]->mapTo(window, QPoint()), chain[i]->size());
                const bool sameRow = b.top() < a.bottom() && a.top() < b.bottom();
                if (sameRow ? b.left() < a.left() : b.top() < a.top())
                    wrong.append(QString::fromLatin1(window->metaObject()->className()) + u": "_s + chain[i - 1]->objectName()
                                 + u" → "_s + chain[i]->objectName());
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
