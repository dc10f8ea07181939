// The pattern file manager window: convert, save, summaries, list output and the generator,
// against the files they write and read, a brute-force covering check and the combination list.
#include "support/testsupport.h"

#include "combinations/combinationsfeature.h"
#include "combinations/formcomblist.h"
#include "combinations/formpattern.h"
#include "core/appfiles.h"
#include "core/formmain.h"
#include "core/program.h"
#include "core/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <functional>

using namespace Qt::StringLiterals;

namespace {
const QString kExample = u"1 2 3 4 5 6\r\n1 2 3 7 8 9\r\n"_s;

FormPattern *manager()
{
    return qobject_cast<FormPattern *>(testsupport::program().programWindow(CombinationTools::PatternManager));
}

QStringList lines(const QPlainTextEdit *box)
{
    return box->toPlainText().split(u'\n', Qt::SkipEmptyParts);
}

// Fills the boxes and saves (which converts the changed source first); the name the window
// reports, or the messages it showed, answered with `answer`.
QString convertAndSave(FormPattern *m, const QString &source, const QString &pool, int tierIndex, const QString &keys,
                       QMessageBox::StandardButton answer = QMessageBox::Ok)
{
    testsupport::MessageRecorder messages(answer);
    m->Text1()->setPlainText(source);
    m->Text3()->setText(pool);
    m->Option1(tierIndex)->setChecked(true);
    m->Text4()->setText(keys);
    QSignalSpy finished(m, &FormPattern::saveFinished);
    m->Command2()->click();
    if (finished.isEmpty())
        finished.wait(20000);
    if (!messages.requests().isEmpty())
        return messages.texts().join(u'|');
    return m->File1()->currentItem() ? m->File1()->currentItem()->text() : QString();
}

// The generator's request: game, pool, tier option, keys and seconds.
void request(FormPattern *m, int picks, int pool, int tierIndex, int keys, int seconds)
{
    m->setOpenerGame(picks);
    m->Text3()->setText(QString::number(pool));
    m->Option1(tierIndex)->setChecked(true);
    m->Text4()->setText(QString::number(keys));
    m->Text6()->setText(QString::number(seconds));
}

// Brute force: every t-subset of positions 1..pool that holds the key positions 1..keys lies on
// some ticket, and every ticket holds `picks` positions of the pool, the keys among them.
bool covers(const QStringList &source, int pool, int picks, int t, int keys)
{
    QList<quint64> tickets;
    const quint64 keyMask = (quint64(1) << keys) - 1;
    for (const QString &line : source) {
        quint64 mask = 0;
        for (const QString &p : line.split(u' '))
            mask |= quint64(1) << (p.toInt() - 1);
        if (std::popcount(mask) != picks || mask >> pool || (mask & keyMask) != keyMask)
            return false;
        tickets.append(mask);
    }
    bool all = true;
    std::function<void(int, int, quint64)> walk = [&](int from, int left, quint64 subset) {
        if (left == 0) {
            if ((subset & keyMask) == keyMask)
                all = all && std::any_of(tickets.begin(), tickets.end(), [subset](quint64 tk) { return (tk & subset) == subset; });
            return;
        }
        for (int p = from; p < pool && all; ++p)
            walk(p + 1, left - 1, subset | (quint64(1) << p));
    };
    walk(0, t, 0);
    return all;
}
} // namespace

class TestFormPattern : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QDir m_folder;

private Q_SLOTS:
    void initTestCase()
    {
        // The list file goes beside the folder: both inside the temporary directory.
        m_folder = QDir(m_root.filePath(u"PatternFile"_s));
        QVERIFY(QDir().mkpath(m_folder.path()));
        qputenv("ZEMVARA_PATTERN_DIR", QFile::encodeName(m_folder.path()));
    }

    void init()
    {
        for (const QString &name : m_folder.entryList(QDir::Files))
            QVERIFY(m_folder.remove(name));
        QVERIFY(manager() && !manager()->isGenerating());
    }

    void convertSaveAndRefuseDuplicate()
    {
        FormPattern *m = manager();
        QCOMPARE(m->windowTitle(), u"パターンファイル"_s);
        QVERIFY(m->Option1(1)->isChecked() && m->Option1(1)->text() == u"３等"_s);
        QCOMPARE(convertAndSave(m, kExample, u"9"_s, 3, u"0"_s), u"1-659.txt"_s);
        QCOMPARE(lines(m->Text2()), (QStringList{u"111111000"_s, u"111000111"_s}));
        QFile saved(m_folder.filePath(u"1-659.txt"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("111111000\r\n111000111\r\n"));

        testsupport::MessageRecorder messages;
        QSignalSpy finished(m, &FormPattern::saveFinished);
        m->Command2()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(messages.texts(), QStringList{u"1-659.txtと同じです。"_s});
        QCOMPARE(messages.requests().first().icon, Messages::Icon::Critical);
        QCOMPARE(m_folder.entryList(QDir::Files), QStringList{u"1-659.txt"_s});

        // Typed over without 変換: 保存 saves what the source holds now.
        QCOMPARE(convertAndSave(m, u"1 2 3 4 5 6\n4 5 6 7 8 9"_s, u"9"_s, 3, u"0"_s), u"2-659.txt"_s);
        QCOMPARE(lines(m->Text2()), (QStringList{u"111111000"_s, u"000111111"_s}));
    }

    void keyPartsAndRefusals_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("pool");
        QTest::addColumn<int>("tierIndex");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");  // the file written, or a word of the warning
        QTest::newRow("keys empty") << kExample << u"9"_s << 3 << QString() << u"1-659.txt"_s;
        QTest::newRow("keys 2") << kExample << u"9"_s << 2 << u"2"_s << u"1-649K2.txt"_s;
        QTest::newRow("1st tier") << u"1 2 3 4 5 6"_s << u"6"_s << 0 << u"0"_s << u"1-616.txt"_s;
        QTest::newRow("miniLOTO") << u"1 2 3 4 5\n"_s << u"7"_s << 2 << u"1"_s << u"1-547K1.txt"_s;
        QTest::newRow("position above the pool") << kExample << u"8"_s << 1 << u"0"_s << u"範囲"_s;
        QTest::newRow("pool not a number") << kExample << u""_s << 1 << u"0"_s << u"選択数"_s;
    }

    void keyPartsAndRefusals()
    {
        QFETCH(QString, source);
        QFETCH(QString, pool);
        QFETCH(int, tierIndex);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        FormPattern *m = manager();
        if (!expected.endsWith(u".txt"_s))
            m->Text2()->setPlainText(u"kept"_s);
        const QString got = convertAndSave(m, source, pool, tierIndex, keys);
        if (expected.endsWith(u".txt"_s)) {
            QCOMPARE(got, expected);
            QCOMPARE(m_folder.entryList(QDir::Files), QStringList{expected});
        } else {
            // A refused convert leaves the converted text; its save is refused too.
            QVERIFY2(got.contains(expected), qPrintable(got));
            QCOMPARE(m->Text2()->toPlainText(), u"kept"_s);
            QVERIFY(m_folder.entryList(QDir::Files).isEmpty());
        }
    }

    void shortWheelOffer_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("pool");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        // By hand: the example shares 3 numbers with {4..9}, one ticket over 12 none with {7..12}.
        const QString offer = u"このパターンは３等を保証しません（保証：５等）。\n５等のパターンとして保存しますか？"_s;
        QTest::newRow("accepted") << kExample << u"9"_s << int(QMessageBox::Yes) << offer;
        QTest::newRow("declined") << kExample << u"9"_s << int(QMessageBox::No) << offer;
        QTest::newRow("nothing to offer") << u"1 2 3 4 5 6"_s << u"12"_s << int(QMessageBox::Yes)
                                          << u"このパターンは３等を保証しません（保証：なし）。"_s;
    }

    void shortWheelOffer()
    {
        QFETCH(QString, source);
        QFETCH(QString, pool);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QCOMPARE(convertAndSave(manager(), source, pool, 1, u"0"_s, QMessageBox::StandardButton(answer)), message);
        const bool saved = QString::fromLatin1(QTest::currentDataTag()) == u"accepted"_s;
        QCOMPARE(m_folder.entryList(QDir::Files), saved ? QStringList{u"1-659.txt"_s} : QStringList());
    }

    void summaryListAndPatternFiles()
    {
        for (const QString &name : {u"1-639.txt"_s, u"2-639.txt"_s, u"1-537.txt"_s, u"1-649K1.txt"_s, u"notes.txt"_s}) {
            QFile file(m_folder.filePath(name));
            // Only the keyed file holds a wheel (of the 4th tier: every draw holding 1 meets
            // one ticket in 4 numbers); the others guarantee nothing.
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(name.contains(u'K') ? "111111000\r\n111000111\r\n" : "") >= 0);
        }
        FormPattern *m = manager();
        const auto items = [m] {
            QStringList out;
            for (int i = 0; i < m->File1()->count(); ++i)
                out.append(m->File1()->item(i)->text());
            return out;
        };
        const QString mini = u"miniLOTO 3等保証 選択数字数07個 Key数字なし パターンファイル数1個"_s;
        m->Command4()->click();
        QCOMPARE(lines(m->Text5()), (QStringList{u"LOTO6 3等保証 選択数字数09個 Key数字なし パターンファイル数2個"_s,
                                                 u"LOTO6 4等保証 選択数字数09個 Key数字 1個 パターンファイル数1個"_s, mini}));
        QTRY_COMPARE(items(), (QStringList{u"✕ 1-537.txt"_s, u"✕ 1-639.txt"_s, u"✕ 2-639.txt"_s, u"1-649K1.txt"_s}));

        // The list file: every pattern file name in order, beside the folder; the status says where.
        m->Command3()->click();
        QFile list(m_root.filePath(u"PatternList.txt"_s));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), QByteArray("1-537.txt\r\n1-639.txt\r\n2-639.txt\r\n1-649K1.txt\r\n"));
        QVERIFY(m->StatusBar1()->panelText(1).contains(QDir::toNativeSeparators(list.fileName())));

        // "PatternFiles" of a miniLOTO combination list: only miniLOTO kinds, and the generator
        // offers miniLOTO.
        m->hide();
        FormMain main(testsupport::program());
        QVERIFY(main.loadFile(testsupport::miniLotoFile()));
        main.findChild<QAction *>(u"menuCombList"_s)->trigger();
        main.tools().get<FormCombList>(CombinationTools::CombList)->Command6()->click();
        QVERIFY(m->isVisible());
        QCOMPARE(lines(m->Text5()), QStringList{mini});
        QCOMPARE(items(), QStringList{u"✕ 1-537.txt"_s});
        QCOMPARE(m->Combo1()->currentData().toInt(), 5);
        m->close();
        QVERIFY(!m->isVisible() && manager() == m);
    }

    void generatedWheelShowsInCombList_data()
    {
        QTest::addColumn<int>("picks");
        QTest::addColumn<int>("pool");
        QTest::addColumn<int>("tierIndex");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("matches");
        QTest::addColumn<qint64>("schoenheim");  // worked out by hand for the free positions
        QTest::newRow("LOTO6 5th over 10") << 6 << 10 << 3 << 0 << 3 << qint64(7);   // C(10,6,3): 10/6*(9/5*(8/4)=4)=7
        QTest::newRow("LOTO6 4th over 12, 2 keys") << 6 << 12 << 2 << 2 << 4 << qint64(8);  // C(10,4,2)
        QTest::newRow("miniLOTO 4th over 9, 1 key") << 5 << 9 << 2 << 1 << 3 << qint64(6);  // C(8,4,2)
    }

    void generatedWheelShowsInCombList()
    {
        QFETCH(int, picks);
        QFETCH(int, pool);
        QFETCH(int, tierIndex);
        QFETCH(int, keys);
        QFETCH(int, matches);
        QFETCH(qint64, schoenheim);
        FormMain main(testsupport::program());
        QVERIFY(main.loadFile(picks == 6 ? testsupport::loto6File() : testsupport::miniLotoFile()));
        main.findChild<QAction *>(u"menuCombList"_s)->trigger();
        auto *list = main.tools().get<FormCombList>(CombinationTools::CombList);
        for (int n = 1; n < pool; ++n)
            list->Check1(n - 1)->click();
        for (int k = 0; k < keys; ++k)
            list->ListView1()->item(k)->setCheckState(Qt::Checked);
        QPushButton *tierButton = list->Command3(tierIndex - 1);
        QVERIFY(!tierButton->isEnabled());

        FormPattern *m = manager();
        m->PatternAll(picks);  // as the list's "PatternFiles" opens it: the files of its game
        request(m, picks, pool, tierIndex, keys, 2);
        QCOMPARE(m->Label5()->text(), u"下限 %1枚"_s.arg(schoenheim));
        QSignalSpy done(m, &FormPattern::generatorFinished);
        m->Command5()->click();
        QVERIFY(done.wait(20000));
        QCOMPARE(done.first().first().toBool(), true);
        const QStringList tickets = lines(m->Text1());
        QVERIFY(tickets.size() >= schoenheim);
        QVERIFY(covers(tickets, pool, picks, matches, keys));
        // Converted as it arrives: 保存 alone writes these tickets.
        QStringList marks;
        for (const QString &ticket : tickets) {
            marks.append(QString(pool, u'0'));
            for (const QString &p : ticket.split(u' '))
                marks.last()[p.toInt() - 1] = u'1';
        }
        QCOMPARE(lines(m->Text2()), marks);

        const QString key = u"%1%2%3"_s.arg(picks).arg(tierIndex + 2).arg(pool) + (keys ? u"K%1"_s.arg(keys) : QString());
        QCOMPARE(convertAndSave(m, m->Text1()->toPlainText(), QString::number(pool), tierIndex, QString::number(keys)),
                 u"1-"_s + key + u".txt"_s);
        QCOMPARE(AppFiles::readFile(m_folder.filePath(u"1-"_s + key + u".txt"_s)).bytes, (marks.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        // The pool grows to the wheel's size: the list looks at the folder again.
        list->Check1(pool - 1)->click();
        QVERIFY(tierButton->isEnabled());
    }

    void cancelKeepsTheBestSoFar()
    {
        FormPattern *m = manager();
        request(m, 6, 20, 2, 0, 600);
        m->Text1()->setPlainText(u"before"_s);
        QSignalSpy done(m, &FormPattern::generatorFinished);
        m->Command5()->click();
        QVERIFY(m->isGenerating() && !m->Text3()->isEnabled() && m->Command6()->isEnabled());
        // The first report comes once the greedy start holds a covering.
        QTRY_VERIFY_WITH_TIMEOUT(m->StatusBar1()->panelText(1).contains(u"最少"_s), 20000);
        m->Command6()->click();
        QVERIFY(done.wait(10000));
        QCOMPARE(done.first().first().toBool(), true);
        QVERIFY(covers(lines(m->Text1()), 20, 6, 4, 0));
        QVERIFY(!m->isGenerating() && m->Text3()->isEnabled() && !m->Command6()->isEnabled());
        // Stopped early in a 600-second search: the bar says how far, the status what was kept.
        QVERIFY(m->ProgressBar1()->value() < 100);
        QVERIFY(m->StatusBar1()->panelText(1).contains(u"中止しました。それまでに見つかった%1枚"_s.arg(lines(m->Text1()).size())));
    }

    void menuShowsTheOneInstance()
    {
        FormMain loto6(testsupport::program());
        FormMain mini(testsupport::program());
        QVERIFY(loto6.loadFile(testsupport::loto6File()) && mini.loadFile(testsupport::miniLotoFile()));
        manager()->hide();
        for (FormMain *main : {&mini, &loto6, &mini}) {
            main->findChild<QAction *>(u"menuPatternFile"_s)->trigger();
            QVERIFY(manager()->isVisible());
            QCOMPARE(manager()->Combo1()->currentData().toInt(), main->RunMode());
            manager()->close();
        }
        int instances = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            instances += qobject_cast<FormPattern *>(window) ? 1 : 0;
        QCOMPARE(instances, 1);
    }
};

QTEST_MAIN(TestFormPattern)
#include "tst_formpattern.moc"
