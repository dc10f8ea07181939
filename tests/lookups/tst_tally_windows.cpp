#include "support/testsupport.h"

#include "core/controlarray.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "lookups/formsearch.h"
#include "lookups/formway.h"
#include "lookups/lookupsfeature.h"
#include "lookups/numbersearch.h"
#include "lookups/tally.h"
#include "lookups/tallymodel.h"
#include "lookups/tallyrows.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;
using testsupport::CliRun;
using testsupport::runCli;

namespace {
const QString kAmountMessage = u"１等賞金が０円の回があります。計算に使う金額を数字で入力してください"_s;

std::unique_ptr<FormMain> openMain(const QString &file)
{
    return testsupport::shownMainWindow(file, {300, 200});
}

// Waits for a tally still going to fill the table.
bool settled(const FormWay *way)
{
    return QTest::qWaitFor([way] { return !way->isRunning(); }, 20000);
}

FormWay *openWay(FormMain &window)
{
    testsupport::ownAction(&window, u"menuWay"_s)->trigger();
    FormWay *way = window.tools().get<FormWay>(LookupTools::Way);
    return settled(way) ? way : nullptr;
}

void selectLast(FormMain &main, int n)
{
    main.findChild<NumericLineEdit *>(u"Text1"_s)->setText(QString::number(n));
    main.Command2_Click(FormMain::LastRows);
}

void setTiers(FormWay *way, const QString &tiers, bool merge)
{
    for (int i = 0; i < Tally::kMaxTiers; ++i)
        way->Check1(i)->setChecked(tiers.contains(QChar(u'1' + i)));
    way->Check2()->setChecked(merge);
}

QStringList tableLines(const TallyModel *model)
{
    QStringList out;
    for (int r = 0; r < model->rows(); ++r) {
        QStringList cells;
        for (int c = 1; c < model->columnCount(); ++c)
            cells.append(model->text(r, c));
        out.append(cells.join(u'\t'));
    }
    return out;
}

QPoint onScreen(QPoint p)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {std::min(p.x(), area.right() + 1 - 32), std::min(p.y(), area.bottom() + 1 - 32)};
}
} // namespace

class TestTallyWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensBesideItsWindow_data();
    void opensBesideItsWindow();
    void windowMatchesCli_data();
    void windowMatchesCli();
    void sortsByTextAndKeepsSelection();
    void emptyingAndClosing();
    void badInput();
    void longRunShowsProgress();
    void tallyOfResultCopy();
};

void TestTallyWindows::opensBesideItsWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("picks");
    QTest::newRow("loto6") << testsupport::loto6File() << 6;
    QTest::newRow("miniloto") << testsupport::miniLotoFile() << 5;
}

void TestTallyWindows::opensBesideItsWindow()
{
    QFETCH(QString, file);
    QFETCH(int, picks);
    auto main = openMain(file);
    selectLast(*main, 30);
    FormWay *way = openWay(*main);
    QVERIFY(way && way->isVisible());
    QCOMPARE(way->windowTitle(), u"抽選結果から当選番号の抽出"_s);
    QCOMPARE(way->frameGeometry().topLeft(), onScreen(main->frameGeometry().topRight() + QPoint(1, 0)));

    for (int i = 0; i < 5; ++i) {
        QCOMPARE(controlAt<QCheckBox>(way, u"Check1"_s, i), way->Check1(i));
        QVERIFY(way->Check1(i)->isChecked());
    }
    QCOMPARE(way->Check1(4)->isVisibleTo(way), picks == 6);
    QVERIFY(!way->Check2()->isChecked());
    QCOMPARE(way->Text1()->text(), picks == 6 ? u"200000000"_s : u"20000000"_s);
    QVERIFY(!way->Text1()->placeholderText().isEmpty());
    QCOMPARE(way->Text1()->toolTip(), way->Text1()->placeholderText());
    QVERIFY(way->Text1()->accepts(u' ') && !way->Text1()->accepts(u'a'));

    const QStringList keys = picks == 6 ? QStringList{u"No1"_s, u"No2"_s, u"No3"_s, u"No4"_s, u"No5"_s, u"No6"_s, u"Count1"_s,
                                                      u"Count2"_s, u"Count3"_s, u"Count4"_s, u"Count5"_s}
                                        : QStringList{u"No1"_s, u"No2"_s, u"No3"_s, u"No4"_s, u"No5"_s, u"Count1"_s,
                                                      u"Count2"_s, u"Count3"_s, u"Count4"_s};
    QStringList shownKeys;
    for (int c = 1; c < way->model()->columnCount(); ++c)
        shownKeys.append(way->model()->headerData(c, Qt::Horizontal, Qt::UserRole).toString());
    QCOMPARE(shownKeys, (keys + QStringList{u"CountAll"_s, u"Money"_s, u"Kai"_s}));

    // Every row selected with one selection; the hidden column and unreached columns 0 wide.
    const int rows = way->model()->rows();
    QVERIFY(rows > 0);
    QCOMPARE(int(way->ListView1()->selectionModel()->selectedRows().size()), rows);
    QCOMPARE(way->ListView1()->columnWidth(0), 0);
    QVERIFY(way->ListView1()->columnWidth(1) > 0);

    FormGraph *graph = way->Graph();
    QVERIFY(graph && graph->isVisible());
    QCOMPARE(graph->parentWidget(), way);
    QCOMPARE(graph->windowTitle(), way->windowTitle());
    QCOMPARE(graph->NoTop(), 1);
    QCOMPARE(graph->NoEnd(), picks);
    QCOMPARE(graph->LvwObj(), static_cast<const RowSource *>(way->rows()));
    QCOMPARE(graph->frameGeometry().topLeft(), onScreen(way->frameGeometry().bottomLeft() + QPoint(0, 1)));

    // Moved by the user, both stay where they are at the next opening.
    way->move(way->pos() + QPoint(5, 7));
    const QPoint left = way->pos();
    openWay(*main);
    QCOMPARE(way->pos(), left);
}

void TestTallyWindows::windowMatchesCli_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("tiers");
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QString>("amount");
    QTest::newRow("loto6 exact all") << testsupport::loto6File() << 200 << u"12345"_s << false << u"200000000"_s;
    QTest::newRow("loto6 merge 1 2 5") << testsupport::loto6File() << 150 << u"125"_s << true << u"5"_s;
    QTest::newRow("mini exact 4") << testsupport::miniLotoFile() << 300 << u"4"_s << false << u"20000000"_s;
    QTest::newRow("mini merge all") << testsupport::miniLotoFile() << 100 << u"1234"_s << true << u"7 "_s;
}

void TestTallyWindows::windowMatchesCli()
{
    QFETCH(QString, file);
    QFETCH(int, last);
    QFETCH(QString, tiers);
    QFETCH(bool, merge);
    QFETCH(QString, amount);

    auto main = openMain(file);
    selectLast(*main, last);
    FormWay *way = openWay(*main);
    setTiers(way, tiers, merge);
    way->Text1()->setText(amount);
    way->Command1_Click();
    QVERIFY(settled(way));

    QStringList args{u"tally"_s, file, u"--tiers"_s, tiers, u"--amount"_s, amount, u"--select"_s, u"last:%1"_s.arg(last)};
    if (merge)
        args.append(u"--merge"_s);
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.sectionNames(), (QStringList{u"FormWay.ListView1"_s, u"FormWay.Graph.ListView1"_s}));
    const QStringList list = run.section(u"FormWay.ListView1"_s);
    QStringList headers;
    for (int c = 1; c < way->model()->columnCount(); ++c)
        headers.append(way->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    QCOMPARE(list.value(0), headers.join(u'\t'));
    QCOMPARE(tableLines(way->model()), list.mid(1));

    // The sub-graph counts each number of each listed combination once.
    const QStringList graph = run.section(u"FormWay.Graph.ListView1"_s);
    QCOMPARE(testsupport::listLines(way->Graph()->ListView1(), false), graph.mid(1));
    QHash<int, int> counted;
    for (const QString &line : list.mid(1)) {
        const QStringList cells = line.split(u'\t');
        for (int c = 0; c < main->RunMode(); ++c) {
            if (!cells[c].trimmed().isEmpty())
                ++counted[cells[c].toInt()];
        }
    }
    for (const QString &line : graph.mid(1))
        QCOMPARE(line.section(u'\t', 1, 1).toInt(), counted.value(line.section(u'\t', 0, 0).toInt()));
}

void TestTallyWindows::sortsByTextAndKeepsSelection()
{
    auto main = openMain(testsupport::loto6File());
    FormWay *way = openWay(*main);
    const int money = Tally::moneyColumn(6);
    auto moneys = [&] {
        QList<qint64> out;
        for (int r = 0; r < way->model()->rows(); ++r)
            out.append(way->model()->text(r, money).toLongLong());
        return out;
    };
    QList<qint64> sorted = moneys();
    std::sort(sorted.begin(), sorted.end());
    QHeaderView *header = way->ListView1()->header();
    Q_EMIT header->sectionClicked(money);
    QCOMPARE(moneys(), sorted);
    Q_EMIT header->sectionClicked(money);
    std::reverse(sorted.begin(), sorted.end());
    QCOMPARE(moneys(), sorted);
    QCOMPARE(int(way->ListView1()->selectionModel()->selectedRows().size()), way->model()->rows());

    // A rerun stays in the clicked order; a click on another column flips the order again.
    way->Command1_Click();
    QVERIFY(settled(way));
    QCOMPARE(moneys(), sorted);
    // The rerun fits the columns with the sort arrow shown: no header in sight is cut.
    for (int c = 1; c < way->model()->columnCount(); ++c) {
        if (way->ListView1()->columnWidth(c) > 0)
            QVERIFY2(way->ListView1()->columnWidth(c) >= header->sectionSizeHint(c), qPrintable(QString::number(c)));
    }
    Q_EMIT header->sectionClicked(1);
    for (int r = 1; r < way->model()->rows(); ++r)
        QVERIFY(way->model()->text(r - 1, 1) <= way->model()->text(r, 1));
}

void TestTallyWindows::emptyingAndClosing()
{
    auto main = openMain(testsupport::miniLotoFile());
    FormWay *way = openWay(*main);
    QVERIFY(way->model()->rows() > 0);
    setTiers(way, u"5"_s, false);  // the hidden box ticked alone counts as none
    way->Command1_Click();
    QCOMPARE(way->model()->rows(), 0);
    QVERIFY(!way->Graph()->isVisible());

    setTiers(way, u"4"_s, false);
    way->Command1_Click();
    QVERIFY(settled(way));
    QVERIFY(way->Graph()->isVisible());
    way->close();
    QVERIFY(!way->isVisible());
    QVERIFY(!way->Graph()->isVisible());
    openWay(*main);
    QVERIFY(way->isVisible() && way->Graph()->isVisible());
    QVERIFY(way->Check1(3)->isChecked() && !way->Check1(0)->isChecked());  // settings kept
}

void TestTallyWindows::badInput()
{
    testsupport::MessageRecorder messages;
    QTemporaryDir dir;
    const QString path = testsupport::writeTextFile(
        dir, u"LOTO6_Download.csv"_s,
        testsupport::loto6Text({u"1,2000/10/05,2,8,10,13,27,30,39,0,2,262,12413,174452,0,40961900,375200,6900,1000,0"_s,
                                u"2,2000/10/12,1,9,16,20,21,44,5,0,7,195,8426,144860,0,13188800,568100,11500,1000,0"_s,
                                u"3,2000/10/19,1,9,,20,21,43,5,0,7,195,8426,144860,0,13188800,568100,11500,1000,0"_s}));
    auto main = openMain(path);
    FormWay *way = openWay(*main);
    QCOMPARE(way->model()->rows(), 48);
    QVERIFY(way->Label1()->isVisible());
    QCOMPARE(way->Label1()->text(), u"数字が正しくない抽選結果 2 回分を除いて集計しました"_s);
    const QStringList before = tableLines(way->model());

    // A first prize of 0 with no readable amount: warned, nothing changes.
    for (const QString &amount : {u""_s, u"20 0"_s}) {
        way->Text1()->setText(amount);
        way->Command1_Click();
        QCOMPARE(messages.requests().size(), 1);
        QCOMPARE(messages.requests().first().icon, Messages::Icon::Exclamation);
        QCOMPARE(messages.texts().first(), kAmountMessage);
        QCOMPARE(tableLines(way->model()), before);
        messages.clear();
    }

    const CliRun run = runCli({u"tally"_s, path});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.section(u"FormWay.Label1"_s), QStringList{u"数字が正しくない抽選結果 2 回分を除いて集計しました"_s});
    QCOMPARE(run.section(u"FormWay.ListView1"_s).mid(1), before);
    const CliRun refused = runCli({u"tally"_s, path, u"--amount"_s, u"1 2"_s});
    QCOMPARE(refused.status, 1);
    QCOMPARE(refused.err, kAmountMessage + u'\n');
    QVERIFY(refused.out.isEmpty());
}

void TestTallyWindows::longRunShowsProgress()
{
    auto main = openMain(testsupport::loto6File());
    FormWay *way = main->tools().get<FormWay>(LookupTools::Way);
    way->Check2()->setChecked(true);
    way->setProgressDelay(0);
    QSignalSpy filled(way, &FormWay::filled);
    way->show();
    way->GetWay6();
    QVERIFY(way->isRunning());
    QTRY_VERIFY(way->progressBar()->isVisible());
    QVERIFY(!way->Command1()->isEnabled());
    QVERIFY(filled.wait(20000));
    QVERIFY(!way->progressBar()->isVisible() && way->Command1()->isEnabled());
    const QStringList background = tableLines(way->model());

    // A short run fills the table the same way, without a progress bar.
    way->setProgressDelay(60000);
    way->GetWay6();
    QVERIFY(filled.wait(20000));
    QVERIFY(!way->progressBar()->isVisible());
    QCOMPARE(tableLines(way->model()), background);

    // Emptied while a run is going: that run never fills the table.
    way->setProgressDelay(0);
    way->GetWay6();
    QVERIFY(way->isRunning());
    setTiers(way, QString(), true);
    way->GetWay6();
    QVERIFY(!way->isRunning() && way->Command1()->isEnabled());
    QVERIFY(!filled.wait(300));
    QCOMPARE(way->model()->rows(), 0);

    // Closed while a run is going: the run is dropped and the sub-graph stays hidden.
    setTiers(way, u"12345"_s, true);
    way->GetWay6();
    QVERIFY(way->isRunning());
    way->close();
    QVERIFY(!way->isRunning());
    QVERIFY(!filled.wait(300));
    QVERIFY(!way->isVisible() && !way->Graph()->isVisible());
}

void TestTallyWindows::tallyOfResultCopy()
{
    auto main = openMain(testsupport::loto6File());
    main->findChild<QAction *>(u"menuNoSet"_s)->trigger();
    FormSearch *search = main->tools().get<FormSearch>(LookupTools::Search);
    search->Text1()->setText(u"7 13"_s);
    search->Option1(NumberSearch::And)->setChecked(true);
    search->Command1_Click();
    FormMain *copy = search->resultWindow();
    QVERIFY(copy && copy->table().rowCount() > 0);

    FormWay *way = openWay(*copy);
    QVERIFY(way && way != main->tools().get<FormWay>(LookupTools::Way));
    QSet<QString> kai;
    for (int r = 0; r < copy->table().rowCount(); ++r)
        kai.insert(copy->table().cellText(r, 1));
    qint64 all = 0;
    for (int r = 0; r < way->model()->rows(); ++r) {
        all += way->model()->text(r, 12).toLongLong();
        const QString draws = way->model()->text(r, 14);
        for (qsizetype i = 0; i < draws.size(); i += 5)
            QVERIFY(kai.contains(draws.mid(i, 5)));
    }
    QCOMPARE(all, 48LL * copy->table().rowCount());
}

QTEST_MAIN(TestTallyWindows)
#include "tst_tally_windows.moc"
