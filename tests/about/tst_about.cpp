#include "support/testsupport.h"

#include "about/aboutfeature.h"
#include "about/browser.h"
#include "about/formhelp.h"
#include "about/formversion.h"
#include "about/formsysteminfo.h"
#include "about/helppages.h"
#include "about/systeminfo.h"
#include "about/versioninfo.h"
#include "core/controlarray.h"
#include "core/formmain.h"
#include "core/program.h"
#include "lookups/formoldhit.h"
#include "lookups/lookupsfeature.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <thread>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
FormHelp *helpViewer()
{
    return qobject_cast<FormHelp *>(testsupport::program().programWindow(AboutTools::Help));
}

FormVersion *versionBox()
{
    return qobject_cast<FormVersion *>(testsupport::program().programWindow(AboutTools::Version));
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Clicks the first link whose text is `text` in the page shown, as a user would.
bool clickLink(QTextBrowser *browser, const QString &text)
{
    QTextCursor found = browser->document()->find(text);
    while (!found.isNull() && !found.charFormat().isAnchor())
        found = browser->document()->find(text, found);
    if (found.isNull())
        return false;
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    browser->setTextCursor(inside);
    browser->ensureCursorVisible();
    const QPoint at = browser->cursorRect(inside).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// The bounce as a running loop, in tenths so no rounding enters: top after each tick, 1 to `ticks`.
QList<double> simulatedTops(int ticks)
{
    QList<double> tops;
    int tenths = -100;
    for (int t = 0; t < ticks; ++t) {
        tops.append(tenths * tenths / 100.0 + 8.0);
        tenths += 2;
        if (tenths >= 100)
            tenths = -100;
    }
    return tops;
}
} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!HelpPages::folder().isEmpty(), "the help pages are found");
        QCOMPARE(QFileInfo(HelpPages::folder()).canonicalFilePath(),
                 QFileInfo(QStringLiteral(ZEMVARA_TEST_HELP_DIR)).canonicalFilePath());
    }

    void versionText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.5.3") << 1 << 5 << 3 << u"ﾊﾞｰｼﾞｮﾝ 1.05.03"_s;
        QTest::newRow("0.1.0") << 0 << 1 << 0 << u"ﾊﾞｰｼﾞｮﾝ 0.01.00"_s;
        QTest::newRow("two digits kept") << 12 << 34 << 56 << u"ﾊﾞｰｼﾞｮﾝ 12.34.56"_s;
        QTest::newRow("three digits not cut") << 2 << 100 << 7 << u"ﾊﾞｰｼﾞｮﾝ 2.100.07"_s;
    }
    void versionText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, text);
        QCOMPARE(VersionInfo::versionText({major, minor, revision}), text);
    }

    void iconFollowsTheParabola()
    {
        const QList<double> tops = simulatedTops(350);
        for (int t = 1; t <= tops.size(); ++t)
            QVERIFY2(qAbs(VersionInfo::iconTopTwips(t) - tops[t - 1]) < 1e-9, qPrintable(QString::number(t)));
        // Lowest at the start of each bounce, highest halfway, one bounce per hundred ticks.
        QCOMPARE(VersionInfo::iconPosition(1), QPoint(1, 7));
        QCOMPARE(VersionInfo::iconPosition(51), QPoint(1, 1));
        QCOMPARE(VersionInfo::iconPosition(100001), VersionInfo::iconPosition(1));
    }

    void versionBoxTexts()
    {
        FormMain main(testsupport::program());
        main.findChild<QAction *>(u"menuVersion"_s)->trigger();
        FormVersion *box = versionBox();
        QVERIFY(box && box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(box->windowTitle(), u"Zemvaraのﾊﾞｰｼﾞｮﾝ情報"_s);
        QCOMPARE(box->findChild<QLabel *>(u"lblTitle"_s)->text(), u"Zemvara"_s);
        // The version the project is configured with, each part as a number, the last two with at
        // least two digits.
        const QStringList parts = QStringLiteral(ZEMVARA_TEST_PROJECT_VERSION).split(u'.');
        const QRegularExpressionMatch shown = QRegularExpression(u"^ﾊﾞｰｼﾞｮﾝ (\\d+)\\.(\\d{2,})\\.(\\d{2,})$"_s)
                                                  .match(box->findChild<QLabel *>(u"lblVersion"_s)->text());
        QVERIFY2(shown.hasMatch(), qPrintable(box->findChild<QLabel *>(u"lblVersion"_s)->text()));
        QCOMPARE(parts.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(shown.captured(i + 1).toInt(), parts[i].toInt());
        auto *mail = box->findChild<QLineEdit *>(u"Text1"_s);
        QVERIFY(mail->isReadOnly());
        QVERIFY(mail->text().contains(u'@'));
        QVERIFY(box->findChild<QLabel *>(u"lblDisclaimer"_s)->text().startsWith(u"警告: "_s));

        // One box for the whole program, reopened by a second main window.
        FormMain other(testsupport::program());
        other.findChild<QAction *>(u"menuVersion"_s)->trigger();
        QCOMPARE(versionBox(), box);
        box->findChild<QPushButton *>(u"cmdOK"_s)->click();
        QVERIFY(!box->isVisible());
    }

    void versionBoxAnimates()
    {
        FormVersion *box = versionBox();
        box->show();
        QVERIFY(box->Timer1()->isActive());
        // One bounce: up to a highest point, back down to where it started, never leaving its well.
        QLabel *icon = box->picIcon();
        QList<int> tops;
        for (int n = 1; n <= 100; ++n) {
            box->Timer1_Timer();
            QVERIFY(icon->parentWidget()->rect().contains(icon->geometry()));
            tops.append(icon->y());
        }
        const auto highest = std::min_element(tops.begin(), tops.end());
        QVERIFY(*highest < tops.first());
        QVERIFY(std::is_sorted(tops.begin(), highest, std::greater<int>()));
        QVERIFY(std::is_sorted(highest, tops.end()));
        QCOMPARE(tops.last(), tops.first());
        box->Timer1_Timer();
        QCOMPARE(icon->y(), tops.first());
        // The timer itself moves the icon.
        QTRY_VERIFY(box->ticks() > 170);
        box->hide();
        QVERIFY(!box->Timer1()->isActive());
        const qint64 stopped = box->ticks();
        QTest::qWait(50);
        QCOMPARE(box->ticks(), stopped);
    }

    void systemInformation_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("started");
        QTest::addColumn<bool>("summary");
        QTest::newRow("none installed") << QStringList{} << true << QString() << true;
        QTest::newRow("only a monitor") << QStringList{u"gnome-system-monitor"_s} << true
                                        << u"/usr/bin/gnome-system-monitor"_s << false;
        QTest::newRow("first of the list wins")
            << QStringList{u"xfce4-taskmanager"_s, u"hardinfo"_s, u"kinfocenter"_s} << true << u"/usr/bin/hardinfo"_s
            << false;
        QTest::newRow("start fails") << QStringList{u"kinfocenter"_s} << false << u"/usr/bin/kinfocenter"_s << true;
    }
    void systemInformation()
    {
        QFETCH(QStringList, installed);
        QFETCH(bool, starts);
        QFETCH(QString, started);
        QFETCH(bool, summary);
        QStringList attempts;
        SystemInfo::setHost({[&](const QString &program) {
                                 return installed.contains(program) ? u"/usr/bin/"_s + program : QString();
                             },
                             [&](const QString &path, const QStringList &) {
                                 attempts.append(path);
                                 return starts;
                             }});
        testsupport::MessageRecorder messages;
        versionBox()->findChild<QPushButton *>(u"cmdSysInfo"_s)->click();
        SystemInfo::setHost({});
        QCOMPARE(attempts, started.isEmpty() ? QStringList() : QStringList{started});
        QVERIFY(messages.texts().isEmpty());
        // Without a tool, the program's own summary, ready to paste into a mail.
        QTRY_COMPARE(bool(versionBox()->findChild<FormSystemInfo *>()), summary);
        if (!summary)
            return;
        auto *own = versionBox()->findChild<FormSystemInfo *>();
        QVERIFY(own->isVisible());
        const QStringList lines = own->text().split(u'\n');
        QVERIFY(lines.contains(u"コア数: %1"_s.arg(std::thread::hardware_concurrency())));
        QVERIFY(lines.contains(u"Qt: %1（ビルド時 %2）"_s.arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR))));
        QCOMPARE(lines.filter(u"画面 "_s).size(), QGuiApplication::screens().size());
        own->findChild<QPushButton *>(u"Command1"_s)->click();
        QCOMPARE(QApplication::clipboard()->text(), own->text());
        delete own;
    }

    void onlineEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("page");
        QTest::newRow("help") << u"menuHelpOnline"_s << u"contents.html"_s;
        QTest::newRow("faq") << u"menuHelpFAQ"_s << u"faq.html"_s;
    }
    void onlineEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, page);
        FormMain main(testsupport::program());
        QList<QUrl> opened;
        Browser::setOpener([&](const QUrl &url) {
            opened.append(url);
            return true;
        });
        testsupport::MessageRecorder messages;
        main.findChild<QAction *>(entry)->trigger();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].isLocalFile());
        QCOMPARE(QFileInfo(opened[0].toLocalFile()).canonicalFilePath(),
                 QFileInfo(QDir(QStringLiteral(ZEMVARA_TEST_HELP_DIR)).filePath(page)).canonicalFilePath());
        QVERIFY(messages.texts().isEmpty());

        // No browser: the user is told, with the address to open by hand.
        Browser::setOpener([](const QUrl &) { return false; });
        main.findChild<QAction *>(entry)->trigger();
        Browser::setOpener({});
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts()[0].contains(u"ブラウザを起動できませんでした"_s));
        QVERIFY(messages.texts()[0].contains(opened[0].toDisplayString()));
    }

    void viewerNavigates()
    {
        FormMain main(testsupport::program());
        main.findChild<QAction *>(u"menuHelpOpen"_s)->trigger();
        FormHelp *help = helpViewer();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->currentPage(), u"contents.html"_s);
        QVERIFY(help->contentsTree()->topLevelItemCount() > 0);
        QVERIFY(help->indexList()->count() > 20);

        QVERIFY(clickLink(help->browser(), u"過去の抽選結果と照合"_s));
        QCOMPARE(help->currentPage(), u"oldhit.html"_s);
        QCOMPARE(help->contentsTree()->currentItem()->text(0), u"過去の抽選結果と照合"_s);
        QVERIFY(help->windowTitle().contains(u"過去の抽選結果と照合"_s));
        help->cmdBack_Click();
        QCOMPARE(help->currentPage(), u"contents.html"_s);
        help->cmdForward_Click();
        QCOMPARE(help->currentPage(), u"oldhit.html"_s);

        // Find within the page: a match is selected, a missing word is reported.
        QVERIFY(help->findText(u"当選していません"_s));
        QCOMPARE(help->browser()->textCursor().selectedText(), u"当選していません"_s);
        auto *find = help->findChild<QLineEdit *>(u"txtFind"_s);
        find->setText(u"ありえない語句ｘｙｚ"_s);
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(help->findChild<QLabel *>(u"lblFindResult"_s)->text(), u"見つかりません"_s);

        // An index term opens its page at its section.
        QListWidgetItem *term = help->indexList()->item(0);
        help->indexList()->itemClicked(term);
        QVERIFY(help->currentPage().contains(u'#'));
        QCOMPARE(help->currentPage(), term->data(Qt::UserRole).toString());
        help->close();
    }

    void f1OpensThePageOfTheActiveWindow()
    {
        FormMain main(testsupport::program());
        main.show();
        QVERIFY(main.loadFile(testsupport::loto6File()));
        main.findChild<QAction *>(u"menuOldHit"_s)->trigger();
        auto *check = main.tools().get<FormOldHit>(LookupTools::OldHit);
        // Windows made after the key was installed: one another feature may add, and a dialog of a
        // tool window, which gets its owner's page.
        auto *tally = new QWidget(&main, Qt::Window);
        tally->setObjectName(u"FormWay"_s);
        auto *dialog = new QWidget(check, Qt::Window);
        auto *stranger = new QWidget(nullptr, Qt::Window);
        std::unique_ptr<QWidget> ownStranger(stranger);
        FormVersion *box = versionBox();
        const QList<std::pair<QWidget *, QString>> cases{
            {&main, u"main.html"_s},   {check, u"oldhit.html"_s},    {tally, u"tally.html"_s},
            {dialog, u"oldhit.html"_s}, {box, u"about.html"_s},       {stranger, u"contents.html"_s},
        };
        for (const auto &[window, page] : cases) {
            window->show();
            QWidget *target = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(target, Qt::Key_F1);
            QVERIFY(helpViewer()->isVisible());
            QCOMPARE(helpViewer()->currentPage(), page);
            helpViewer()->hide();
        }
        // F1 in the viewer keeps its page.
        helpViewer()->showPage(u"trend.html#chart"_s);
        QTest::keyClick(helpViewer()->browser(), Qt::Key_F1);
        QCOMPARE(helpViewer()->currentPage(), u"trend.html#chart"_s);
        box->hide();
    }

    // Pages an online update stored win while newer than the shipped ones; a page they lack is
    // read from the shipped pages.
    void updatedPagesAreUsed()
    {
        QTemporaryDir data;
        const QString bundled = HelpPages::folder();
        qputenv("ZEMVARA_USER_DATA", data.path().toUtf8());
        QDir().mkpath(data.filePath(u"help"_s));
        QFile contents(data.filePath(u"help/contents.html"_s));
        QVERIFY(contents.open(QIODevice::WriteOnly));
        contents.write("<html>newer</html>");
        contents.close();
        QFile version(data.filePath(u"help/version.txt"_s));
        QVERIFY(version.open(QIODevice::WriteOnly));
        version.write("2000.1.1\n");
        version.close();
        QCOMPARE(HelpPages::folder(), bundled);  // older than the shipped pages
        QVERIFY(version.open(QIODevice::WriteOnly));
        version.write("2999.1.1\n");
        version.close();
        QCOMPARE(HelpPages::folder(), data.filePath(u"help"_s));
        QCOMPARE(HelpPages::pageFile(u"contents.html"_s), data.filePath(u"help/contents.html"_s));
        QCOMPARE(HelpPages::pageFile(u"faq.html"_s), QDir(bundled).filePath(u"faq.html"_s));
        qunsetenv("ZEMVARA_USER_DATA");
        QCOMPARE(HelpPages::folder(), bundled);
    }

    void everyLinkResolves()
    {
        const QDir dir(HelpPages::folder());
        const QStringList pages = dir.entryList({u"*.html"_s}, QDir::Files, QDir::Name);
        QVERIFY(pages.size() >= 14);
        const QRegularExpression reference(u"(?:href|src)\\s*=\\s*\"([^\"]*)\""_s);
        QSet<QString> reached{u"contents.html"_s};
        for (const QString &page : pages) {
            const QString html = readAll(dir.filePath(page));
            QVERIFY2(html.contains(u"charset=utf-8"_s, Qt::CaseInsensitive), qPrintable(page));
            QVERIFY2(html.contains(u"<title>"_s), qPrintable(page));
            for (auto it = reference.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                const QString where = page + u" → "_s + target;
                QVERIFY2(!target.isEmpty() && !target.contains(u"://"_s), qPrintable(where));
                const QString file = target.section(u'#', 0, 0);
                const QString fragment = target.section(u'#', 1);
                const QString path = file.isEmpty() ? dir.filePath(page) : dir.filePath(file);
                QVERIFY2(QFileInfo(path).isFile(), qPrintable(where));
                QVERIFY2(QFileInfo(path).canonicalFilePath().startsWith(dir.canonicalPath()), qPrintable(where));
                if (!fragment.isEmpty()) {
                    const QString text = readAll(path);
                    QVERIFY2(text.contains(u"id=\""_s + fragment + u'"') || text.contains(u"name=\""_s + fragment + u'"'),
                             qPrintable(where));
                }
                if (file.endsWith(u".html"_s))
                    reached.insert(file);
            }
        }
        // No page is left out of the help's links.
        for (const QString &page : pages)
            QVERIFY2(reached.contains(page), qPrintable(page + u" is linked from no page"_s));
    }

    void everyWindowHasItsPage_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"FormMain", "FormGraph", "FormGraph2", "FormGraph3", "FormSearch", "FormOldHit",
                                 "FormWay", "FormCombList", "FormPattern", "FormBuyHistory", "FormVersion"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyWindowHasItsPage()
    {
        QFETCH(QString, window);
        QWidget probe;
        probe.setObjectName(window);
        const QString page = HelpPages::pageForWindow(&probe);
        QVERIFY(!page.isEmpty());
        const QUrl url = HelpPages::pageUrl(page);
        const QString html = readAll(url.toLocalFile());
        QVERIFY2(!html.isEmpty(), qPrintable(page));
        if (url.hasFragment())
            QVERIFY(html.contains(u"id=\""_s + url.fragment() + u'"'));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
