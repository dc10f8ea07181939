// Every window the menus open, on a screen smaller than the windows' usual room: each one opens
// with its whole frame on the screen.
#include "core/formmain.h"
#include "core/program.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "lookups/formsearch.h"
#include "lookups/lookupsfeature.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
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
        QVERIFY2(area.width() <= 1024, "this test runs on a small screen");
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
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
