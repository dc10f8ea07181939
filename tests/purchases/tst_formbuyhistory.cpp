#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/appfiles.h"
#include "core/controlarray.h"
#include "core/messages.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "purchases/formbuyhistory.h"
#include "lookups/formbacktest.h"
#include "purchases/purchasesfeature.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;
using testsupport::ownAction;

namespace {
// A history as a player keeps it: a favourite set for each of the last draws, sets that won
// (built from the draws' own numbers, bonus included), and two draws past the table.
QString historyOf(const QList<drawlines::Draw> &draws, int picks)
{
    QStringList lines{picks == 6 ? u"LOTO6 購入履歴"_s : u"miniLOTO 購入履歴"_s, u"回 , 購入数字, 購入口数, コメント"_s};
    const QList<int> favourite = picks == 6 ? QList<int>{1, 5, 12, 20, 33, 41} : QList<int>{3, 8, 14, 22, 29};
    auto line = [&](int kai, const QList<int> &numbers, int tickets) {
        QStringList fields{QString::number(kai)};
        for (int n : numbers)
            fields.append(QString::number(n));
        fields.append(QString::number(tickets));
        lines.append(fields.join(u','));
    };
    for (qsizetype i = draws.size() - 12; i < draws.size(); ++i) {
        const drawlines::Draw &d = draws[i];
        line(d.kai(), favourite, 1 + int(i % 3));
        // Matches shrinking along the draws, the bonus number too on every other one.
        QList<int> won = d.mains(picks).mid(0, picks - 1 - int(i % 3));
        if (i % 2)
            won.append(d.bonus(picks));
        for (int n = 1; won.size() < picks; ++n) {
            if (!won.contains(n) && !d.mains(picks).contains(n) && n != d.bonus(picks))
                won.append(n);
        }
        line(d.kai(), won, 2);
    }
    line(draws.last().kai() + 1, favourite, 1);
    line(draws.last().kai() + 2, favourite, 1);
    return lines.join(u"\r\n"_s) + u"\r\n"_s;
}

std::unique_ptr<FormMain> openMain(const QString &file)
{
    return testsupport::shownMainWindow(file, {500, 300});
}

FormBuyHistory *openHistory(FormMain &main)
{
    ownAction(&main, u"menuBuyHistory"_s)->trigger();
    return main.tools().get<FormBuyHistory>(PurchaseTools::BuyHistory);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList rowCells(const QTreeView *view, int row)
{
    QStringList cells;
    for (int c = 1; c < view->model()->columnCount(); ++c)
        cells.append(view->model()->index(row, c).data().toString());
    return cells;
}

QStringList column(const QTreeView *view, int c)
{
    QStringList out;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        out.append(view->model()->index(r, c).data().toString());
    return out;
}

void clickRow(QTreeView *view, int row, Qt::KeyboardModifiers modifiers = {})
{
    const QRect rect = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
}

void typePanel(FormBuyHistory *form, const QStringList &numbers, const QString &tickets, const QString &drawNo,
               const QString &count)
{
    const int picks = int(numbers.size());
    for (int i = 0; i < picks; ++i)
        form->Text1(i)->setText(numbers[i]);
    form->Text1(picks)->setText(tickets);
    form->Text2(0)->setText(drawNo);
    form->Text2(1)->setText(count);
}

QPushButton *command2(FormBuyHistory *form, int index)
{
    return controlAt<QPushButton>(form, u"Command2"_s, index);
}

// Picks one number set; "全表示" goes last, as a user has to unpick it after picking a set.
void chooseSet(FormBuyHistory *form, int item)
{
    form->List1()->item(item)->setSelected(true);
    for (int i = form->List1()->count() - 1; i >= 0; --i) {
        if (i != item)
            form->List1()->item(i)->setSelected(false);
    }
}
} // namespace

class TestFormBuyHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowMatchesCommand_data();
    void windowMatchesCommand();
    void loadSaveAndRefusedFile();
    void editingThroughThePanel();
    void editPanelShowsAndMoves();
    void sortAndEntryClicks();
    void sendToCheck();
    void backTestOfTheSelectedSets();
    void panelKeysAndFileCommands();
    void lostUpdate_data();
    void lostUpdate();
    void unsavedChangesOnLoad_data();
    void unsavedChangesOnLoad();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
};

void TestFormBuyHistory::windowMatchesCommand_data()
{
    QTest::addColumn<QString>("draws");
    QTest::addColumn<int>("picks");
    QTest::newRow("loto6") << testsupport::loto6File() << 6;
    QTest::newRow("miniloto") << testsupport::miniLotoFile() << 5;
}

void TestFormBuyHistory::windowMatchesCommand()
{
    QFETCH(QString, draws);
    QFETCH(int, picks);
    const QList<drawlines::Draw> table = drawlines::read(draws);
    QTemporaryDir dir;
    const QString path = testsupport::writeTextFile(dir, u"my購入履歴.csv"_s, historyOf(table, picks));
    auto main = openMain(draws);
    FormBuyHistory *form = openHistory(*main);
    QVERIFY(form->isVisible());
    QCOMPARE(form->SetFormMain(), main.get());
    QVERIFY(form->MakeListView(path));
    QCOMPARE(form->windowTitle(), u"購入履歴 my購入履歴.csv"_s);

    const testsupport::CliRun run = testsupport::runCli({u"purchases"_s, draws, path});
    QCOMPARE(run.status, 0);
    const QTreeView *view = form->ListView1(0);
    QStringList shown{form->purchaseList().headers().mid(1).join(u'\t')};
    for (int r = 0; r < view->model()->rowCount(); ++r)
        shown.append(rowCells(view, r).join(u'\t'));
    QCOMPARE(shown, run.section(u"FormBuyHistory.ListView1"_s));
    QStringList sets;
    for (int i = 0; i < form->List1()->count(); ++i)
        sets.append(form->List1()->item(i)->text());
    QCOMPARE(sets, run.section(u"FormBuyHistory.List1"_s));
    QCOMPARE(QStringList{form->StatusBar1()->panelText(1)}, run.section(u"FormBuyHistory.StatusBar1.1"_s));
    QCOMPARE(QStringList{form->StatusBar1()->panelText(2)}, run.section(u"FormBuyHistory.StatusBar1.2"_s));
    // Every entry selected after a load, in the view as in the status line.
    QCOMPARE(view->selectionModel()->selectedRows().size(), view->model()->rowCount());

    // Red for a drawn number, blue for the bonus number, told from the file's own lines.
    QHash<int, drawlines::Draw> byKai;
    for (const drawlines::Draw &d : table)
        byKai.insert(d.kai(), d);
    int red = 0;
    int blue = 0;
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        const auto draw = byKai.constFind(view->model()->index(r, 1).data().toInt());
        for (int i = 0; i < picks; ++i) {
            const QModelIndex cell = view->model()->index(r, 3 + i);
            const bool drawn = draw != byKai.cend() && draw->mains(picks).contains(cell.data().toInt());
            const bool bonus = draw != byKai.cend() && draw->bonus(picks) == cell.data().toInt();
            const QVariant colour = cell.data(Qt::ForegroundRole);
            QCOMPARE(colour, drawn ? QVariant(QColor(255, 0, 0)) : bonus ? QVariant(QColor(0, 0, 255)) : QVariant());
            red += drawn ? 1 : 0;
            blue += bonus ? 1 : 0;
        }
    }
    QVERIFY(red > 20 && blue > 3);
}

void TestFormBuyHistory::loadSaveAndRefusedFile()
{
    QTemporaryDir dir;
    const QString draws = testsupport::loto6File();
    const QString first = testsupport::writeTextFile(dir, u"a購入履歴.csv"_s,
                                                     u"LOTO6 購入履歴\r\nh\r\n300,1,2,3,4,5,6,1\r\n290, 7, 8, 9,10,11,12,  2,memo\r\n"_s);
    const QString refused = testsupport::writeTextFile(dir, u"mini購入履歴.csv"_s, u"miniLOTO 購入履歴\r\nh\r\n1,1,2,3,4,5,1\r\n"_s);
    auto main = openMain(draws);
    FormBuyHistory *form = openHistory(*main);
    testsupport::MessageRecorder messages;

    // Saving before any file asks for a name; a cancelled dialog writes nothing.
    {
        testsupport::FileDialogAnswer cancel{QString()};
        ownAction(form, u"menuBuyDataSave"_s)->trigger();
        QCOMPARE(cancel.requests().size(), 1);
        QCOMPARE(cancel.requests()[0].kind, FileDialogs::Kind::Save);
        QCOMPARE(form->windowTitle(), u"購入履歴"_s);
    }
    {
        testsupport::FileDialogAnswer open{first};
        ownAction(form, u"menuBuyDataLoad"_s)->trigger();
        QCOMPARE(open.requests()[0].kind, FileDialogs::Kind::Open);
    }
    QCOMPARE(form->windowTitle(), u"購入履歴 a購入履歴.csv"_s);
    QCOMPARE(column(form->ListView1(0), 1), (QStringList{u"  290"_s, u"  300"_s}));

    // A file of the other game: the message, and the list, caption and current file stay.
    {
        testsupport::FileDialogAnswer open{refused};
        ownAction(form, u"menuBuyDataLoad"_s)->trigger();
    }
    QCOMPARE(messages.texts(), QStringList{u"データファイルが異常です"_s});
    QCOMPARE(form->windowTitle(), u"購入履歴 a購入履歴.csv"_s);
    QCOMPARE(form->ListView1(0)->model()->rowCount(), 2);

    // Sorted by 口数 descending, then saved over the current file: the file follows the screen.
    form->ListView1(0)->header()->sectionClicked(9);
    QCOMPARE(column(form->ListView1(0), 9), (QStringList{u"  2"_s, u"  1"_s}));
    const QByteArray refusedBytes = bytesOf(refused);
    ownAction(form, u"menuBuyDataSave"_s)->trigger();
    const QByteArray bytes = bytesOf(first);
    QVERIFY(bytes.endsWith("\r\n  290, 7, 8, 9,10,11,12,  2,memo\r\n  300, 1, 2, 3, 4, 5, 6,  1\r\n"));
    QCOMPARE(bytesOf(refused), refusedBytes);

    // Save-as takes the new name, with the history's extension added, into the caption and
    // writes the same lines there.
    testsupport::FileDialogAnswer saveAs{dir.filePath(u"b"_s)};
    ownAction(form, u"menuBuyDataSaveRename"_s)->trigger();
    QCOMPARE(form->windowTitle(), u"購入履歴 b購入履歴.csv"_s);
    QCOMPARE(bytesOf(dir.filePath(u"b購入履歴.csv"_s)), bytes);
    QCOMPARE(messages.texts().size(), 1);
}

void TestFormBuyHistory::editingThroughThePanel()
{
    const QString draws = testsupport::loto6File();
    const QList<drawlines::Draw> table = drawlines::read(draws);
    auto main = openMain(draws);
    FormBuyHistory *form = openHistory(*main);
    testsupport::MessageRecorder messages;
    ownAction(form, u"menuEdit"_s)->trigger();

    // Three consecutive draws, the last one past the table.
    const int last = table.last().kai();
    typePanel(form, {u"3"_s, u"14"_s, u"15"_s, u"26"_s, u"35"_s, u"43"_s}, u"2"_s, QString::number(last - 1), u"3"_s);
    command2(form, 1)->click();
    typePanel(form, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}, u"1"_s, u"300"_s, u"1"_s);
    command2(form, 1)->click();
    QVERIFY(messages.texts().isEmpty());
    QTreeView *list = form->ListView1(0);
    QCOMPARE(column(list, 1), (QStringList{u"%1"_s.arg(last - 1, 5), u"%1"_s.arg(last, 5), u"%1"_s.arg(last + 1, 5), u"  300"_s}));
    QCOMPARE(column(list, 2).mid(0, 2), (QStringList{table[table.size() - 2].fields[1], table.last().fields[1]}));
    QCOMPARE(form->List1()->count(), 3);
    QVERIFY(form->purchaseList().isModified());

    // Change needs exactly one selected entry; with one it keeps the draw.
    const QStringList changed{u"7"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s, u"12"_s};
    form->Command1_Click(FormMain::SelectAll);
    typePanel(form, changed, u"5"_s, u"999"_s, u"1"_s);
    command2(form, 2)->click();
    QCOMPARE(messages.texts(), QStringList{u"変更する行を１行選択して下さい。"_s});
    QCOMPARE(rowCells(list, 3).mid(2, 7), (QStringList{u" 1"_s, u" 2"_s, u" 3"_s, u" 4"_s, u" 5"_s, u" 6"_s, u"  1"_s}));
    clickRow(list, 3);
    QCOMPARE(form->Text1(0)->text(), u"1"_s);  // the panel took the clicked entry
    typePanel(form, changed, u"5"_s, u"999"_s, u"1"_s);
    command2(form, 2)->click();
    QCOMPARE(rowCells(list, 3).mid(0, 1) + rowCells(list, 3).mid(2, 7),
             (QStringList{u"  300"_s, u" 7"_s, u" 8"_s, u" 9"_s, u"10"_s, u"11"_s, u"12"_s, u"  5"_s}));

    // Delete behind the filter: the entry selected in the filtered list goes, the others stay;
    // the entry selected before the filter (now out of sight) never does.
    chooseSet(form, 1);
    QVERIFY(form->ListView1(1)->isVisible());
    QCOMPARE(form->ListView1(1)->model()->rowCount(), 3);
    command2(form, 0)->click();
    QCOMPARE(list->model()->rowCount(), 4);
    chooseSet(form, 1);
    clickRow(form->ListView1(1), 1);
    QCOMPARE(form->StatusBar1()->panelText(1), u"選択数：1/3"_s);
    messages.setAnswer(QMessageBox::Yes);
    command2(form, 0)->click();
    QCOMPARE(messages.texts().last(), u"選択した 1 行を削除しますか？"_s);
    QVERIFY(!form->ListView1(1)->isVisible());
    QCOMPARE(column(list, 1), (QStringList{u"%1"_s.arg(last - 1, 5), u"%1"_s.arg(last + 1, 5), u"  300"_s}));
    QCOMPARE(form->List1()->selectedItems().size(), 1);
    QCOMPARE(form->List1()->item(0)->isSelected(), true);

    // A refused input changes nothing.
    messages.clear();
    typePanel(form, {u"1"_s, u"1"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}, u"1"_s, u"300"_s, u"1"_s);
    command2(form, 1)->click();
    QCOMPARE(messages.texts(), QStringList{u"重複している数字があります。"_s});
    QCOMPARE(list->model()->rowCount(), 3);
}

void TestFormBuyHistory::editPanelShowsAndMoves()
{
    const QString draws = testsupport::miniLotoFile();
    const QList<drawlines::Draw> table = drawlines::read(draws);
    QTemporaryDir dir;
    auto main = openMain(draws);
    FormBuyHistory *form = openHistory(*main);
    QVERIFY(form->MakeListView(testsupport::writeTextFile(dir, u"h.csv"_s, historyOf(table, 5))));
    QGroupBox *frame = form->Frame1();
    QVERIFY(frame->isHidden());

    // Each opening offers the draw after the highest entry; miniLOTO takes the tickets in box 5.
    form->Text2(0)->setText(u"5"_s);
    ownAction(form, u"menuEdit"_s)->trigger();
    QVERIFY(frame->isVisible());
    QCOMPARE(form->Text2(0)->text(), QString::number(table.last().kai() + 3));
    QVERIFY(!form->Text1(6)->isVisibleTo(frame));
    QCOMPARE(form->Text1(5)->geometry(), form->Text1(6)->geometry());
    form->Text2(0)->setText(u"5"_s);
    ownAction(form, u"menuEdit"_s)->trigger();
    QVERIFY(frame->isHidden());
    QCOMPARE(form->Text2(0)->text(), QString::number(table.last().kai() + 3));

    // The date follows the draw box; 0 turns into 1 at once; the spinners never go below 1.
    ownAction(form, u"menuEdit"_s)->trigger();
    form->Text2(0)->setText(QString::number(table[10].kai()));
    QCOMPARE(form->Label2()->text(), table[10].fields[1]);
    form->Text2(1)->setText(u"0"_s);
    QCOMPARE(form->Text2(1)->text(), u"1"_s);
    controlAt<QWidget>(form, u"UpDown1"_s, 1)->findChild<QToolButton *>(u"down"_s)->click();
    QCOMPARE(form->Text2(1)->text(), u"1"_s);
    controlAt<QWidget>(form, u"UpDown1"_s, 0)->findChild<QToolButton *>(u"up"_s)->click();
    QCOMPARE(form->Text2(0)->text(), QString::number(table[10].kai() + 1));
    QCOMPARE(form->Label2()->text(), table[11].fields[1]);

    // A click on an entry fills the panel from it.
    clickRow(form->ListView1(0), 0);
    const QStringList first = rowCells(form->ListView1(0), 0);
    QCOMPARE(form->Text2(0)->text(), first[0].trimmed());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(form->Text1(i)->text(), first[2 + i].trimmed());
    QCOMPARE(form->Text1(5)->text(), first[7].trimmed());

    // Dragged by the mouse, put away by a double click.
    const QPoint start = frame->pos();
    QTest::mousePress(frame, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(35, 25), frame->mapToGlobal(QPointF(35, 25)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(frame, &move);
    QTest::mouseRelease(frame, Qt::LeftButton, {}, QPoint(35, 25));
    QCOMPARE(frame->pos(), start + QPoint(30, 20));
    QTest::mouseDClick(frame, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(frame->isHidden());
}

void TestFormBuyHistory::sortAndEntryClicks()
{
    const QString draws = testsupport::loto6File();
    QTemporaryDir dir;
    auto main = openMain(draws);
    FormBuyHistory *form = openHistory(*main);
    QVERIFY(form->MakeListView(testsupport::writeTextFile(dir, u"h.csv"_s, historyOf(drawlines::read(draws), 6))));
    QTreeView *list = form->ListView1(0);
    QTreeView *filtered = form->ListView1(1);

    // The favourite set, filtered: both lists sort on every header click, the order flipping.
    chooseSet(form, 1);
    const int favourites = filtered->model()->rowCount();
    QCOMPARE(favourites, 14);
    // Loaded in ascending draw order, so the first click sorts descending.
    for (const Qt::SortOrder order : {Qt::DescendingOrder, Qt::AscendingOrder, Qt::DescendingOrder}) {
        filtered->header()->sectionClicked(9);
        for (QTreeView *view : {list, filtered}) {
            const QStringList buy = column(view, 9);
            QStringList expected = buy;
            std::sort(expected.begin(), expected.end());
            if (order == Qt::DescendingOrder)
                std::reverse(expected.begin(), expected.end());
            QCOMPARE(buy, expected);
            QCOMPARE(view->header()->sortIndicatorOrder(), order);
        }
    }

    // A click (and a ctrl-click) in the filtered list marks the purchase entries with the same cells.
    clickRow(filtered, 2);
    clickRow(filtered, 5, Qt::ControlModifier);
    QCOMPARE(form->StatusBar1()->panelText(1), u"選択数：2/%1"_s.arg(favourites));
    QStringList marked;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        marked.append(rowCells(list, index.row()).join(u'|'));
    marked.sort();
    QStringList clicked{rowCells(filtered, 2).join(u'|'), rowCells(filtered, 5).join(u'|')};
    clicked.sort();
    QCOMPARE(marked, clicked);
    QCOMPARE(form->purchaseList().purchases().selectedCount(), 2);

    // The totals follow the filter's selection: the two clicked entries' tickets.
    const int tickets = rowCells(filtered, 2)[8].toInt() + rowCells(filtered, 5)[8].toInt();
    QVERIFY(form->StatusBar1()->panelText(2).startsWith(u"購入口数 %1口  購入金額 %2円  "_s.arg(tickets).arg(tickets * 200)));
}

void TestFormBuyHistory::sendToCheck()
{
    const QString draws = testsupport::loto6File();
    QTemporaryDir dir;
    auto main = openMain(draws);
    FormBuyHistory *form = openHistory(*main);
    testsupport::MessageRecorder messages;
    // A line that is no purchase holds no number set to send.
    QVERIFY(form->MakeListView(testsupport::writeTextFile(
        dir, u"h.csv"_s, u"LOTO6 購入履歴\r\nh\r\n1,1,2,3,4,5,6,1\r\n2,7,8,9,10,11,12,1\r\n3,1,2,3,4,5,6,1\r\nhere\r\n"_s)));
    QCOMPARE(form->List1()->count(), 3);
    QCOMPARE(messages.texts().size(), 1);
    QCOMPARE(form->StatusBar1()->panelText(3), u"不正 1行"_s);
    const QModelIndex here = form->ListView1(0)->model()->index(3, 5);
    QCOMPARE(here.data(Qt::ToolTipRole).toString(), u"抽選回「here」が不正です（1～99999）"_s);
    QCOMPARE(here.data(Qt::ForegroundRole), QVariant(QColor(255, 0, 0)));

    QAction *send = ownAction(form, u"RmenuOldHit"_s);
    QCOMPARE(send->text(), u"過去の抽選結果と照合 へ送る"_s);
    send->trigger();
    const QList<FormOldHit *> checks = form->checkWindows();
    QCOMPARE(checks.size(), 2);
    for (int s = 0; s < 2; ++s) {
        FormOldHit *check = checks[s];
        QVERIFY(check->isVisible());
        QCOMPARE(check->SetFormMain(), main.get());
        QStringList boxes;
        for (int i = 0; i < 6; ++i)
            boxes.append(check->Text1(i)->text());
        QCOMPARE(boxes.join(u' '), s == 0 ? u"1 2 3 4 5 6"_s : u"7 8 9 10 11 12"_s);
        // The check ran over the main window's draws: its copy holds the draws the set won in.
        const QList<int> set = s == 0 ? QList<int>{1, 2, 3, 4, 5, 6} : QList<int>{7, 8, 9, 10, 11, 12};
        qsizetype won = 0;
        for (const drawlines::Draw &d : drawlines::read(draws))
            won += drawlines::expectedTier(6, set, d) > 0 ? 1 : 0;
        QVERIFY(won > 0);
        QVERIFY(check->resultWindow());
        QCOMPARE(check->resultWindow()->table().rowCount(), int(won));
    }

    // A set clicked filters at once and shows in the list shrunk back; sent alone, its window is reused.
    checks[1]->Text1(0)->setText(u"40"_s);
    QListWidget *sets = form->List1();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(sets, &enter);
    QTest::mouseClick(sets->viewport(), Qt::LeftButton, {}, sets->visualItemRect(sets->item(2)).center());
    QCOMPARE(sets->selectedItems(), QList<QListWidgetItem *>{sets->item(2)});
    QCOMPARE(form->ListView1(1)->isVisible() ? form->ListView1(1)->model()->rowCount() : 0, 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(sets, &leave);
    QCOMPARE(sets->indexAt(QPoint(4, 4)).row(), 2);
    send->trigger();
    QCOMPARE(form->checkWindows(), checks);
    QCOMPARE(checks[1]->Text1(0)->text(), u"7"_s);

    // Closing the purchase window puts its check windows away and keeps its entries.
    form->close();
    QVERIFY(!form->isVisible());
    QVERIFY(!checks[0]->isVisible() && !checks[1]->isVisible());
    QCOMPARE(openHistory(*main), form);
    QCOMPARE(form->ListView1(0)->model()->rowCount(), 4);
}

// The selected entries' sets over the main window's draws: a set bought in several entries counts
// once per draw, at its largest ticket count.
void TestFormBuyHistory::backTestOfTheSelectedSets()
{
    const QString draws = testsupport::loto6File();
    QTemporaryDir dir;
    auto main = openMain(draws);
    FormBuyHistory *form = openHistory(*main);
    QVERIFY(form->MakeListView(testsupport::writeTextFile(
        dir, u"h.csv"_s, u"LOTO6 購入履歴\r\nh\r\n1,1,2,3,4,5,6,2\r\n2,7,8,9,10,11,12,1\r\n3,1,2,3,4,5,6,3\r\n"_s)));
    form->Command1_Click(FormMain::SelectAll);
    ownAction(form, u"RmenuBackTest"_s)->trigger();
    auto *backTest = form->findChild<FormBackTest *>();
    QVERIFY(backTest);
    QTRY_VERIFY_WITH_TIMEOUT(backTest->result().has_value(), 20000);
    QCOMPARE(backTest->result()->ticketsPerDraw, 4);
    std::array<qint64, 5> hits{};
    for (const drawlines::Draw &d : drawlines::read(draws)) {
        for (const auto &[set, times] : {std::pair{QList<int>{1, 2, 3, 4, 5, 6}, 3}, std::pair{QList<int>{7, 8, 9, 10, 11, 12}, 1}}) {
            if (const int tier = drawlines::expectedTier(6, set, d))
                hits[size_t(tier - 1)] += times;
        }
    }
    QCOMPARE(backTest->result()->hits, hits);
}

void TestFormBuyHistory::panelKeysAndFileCommands()
{
    auto main = openMain(testsupport::loto6File());
    FormBuyHistory *form = openHistory(*main);
    testsupport::MessageRecorder messages;
    // No header is cut, on the empty list too.
    QTreeView *list = form->ListView1(0);
    for (int c = 1; c < list->model()->columnCount(); ++c)
        QVERIFY(list->columnWidth(c) > list->fontMetrics().horizontalAdvance(form->purchaseList().headers()[c]));

    // Tab goes through the boxes in order (never the spin arrows), then 追加, 変更 and 選択行を削除;
    // Enter in the last box adds.
    ownAction(form, u"menuEdit"_s)->trigger();
    const QList<QWidget *> chain{form->Text1(0), form->Text1(1), form->Text1(2), form->Text1(3), form->Text1(4), form->Text1(5),
                                 form->Text1(6), form->Text2(0), form->Text2(1), command2(form, 1), command2(form, 2), command2(form, 0)};
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget *next = chain[i - 1]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible())
            next = next->nextInFocusChain();
        QCOMPARE(next, chain[i]);
    }
    typePanel(form, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}, u"1"_s, u"300"_s, u"2"_s);
    QTest::keyClick(form->Text2(1), Qt::Key_Return);
    QCOMPARE(list->model()->rowCount(), 2);
    form->Text2(0)->setText(u"0"_s);
    QCOMPARE(form->Text2(0)->text(), u"300"_s);
    QCOMPARE(messages.texts(), QStringList{u"抽選回は 1 以上の数字です。"_s});

    // 新規 asks about the entries not saved.
    messages.setAnswer(QMessageBox::Discard);
    ownAction(form, u"menuBuyDataNew"_s)->trigger();
    QCOMPARE(messages.texts().last(), u"購入履歴の変更が保存されていません。保存しますか？"_s);
    QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(form->windowTitle(), u"購入履歴"_s);
}

void TestFormBuyHistory::lostUpdate_data()
{
    QTest::addColumn<QList<int>>("answers");  // to the questions in turn
    QTest::addColumn<bool>("ours");           // the file holds this window's entries after
    QTest::addColumn<int>("rows");
    QTest::newRow("overwrite") << QList<int>{QMessageBox::Save} << true << 2;
    QTest::newRow("reload, changes dropped") << QList<int>{QMessageBox::Open, QMessageBox::Discard} << false << 1;
    QTest::newRow("cancel") << QList<int>{QMessageBox::Cancel} << false << 2;
}

void TestFormBuyHistory::lostUpdate()
{
    QFETCH(QList<int>, answers);
    QFETCH(bool, ours);
    QFETCH(int, rows);
    QTemporaryDir dir;
    const QString path = testsupport::writeTextFile(dir, u"h.csv"_s, u"LOTO6 購入履歴\r\nh\r\n300,1,2,3,4,5,6,1\r\n"_s);
    auto main = openMain(testsupport::loto6File());
    FormBuyHistory *form = openHistory(*main);
    QVERIFY(form->MakeListView(path));
    typePanel(form, {u"7"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s, u"12"_s}, u"1"_s, u"301"_s, u"1"_s);
    command2(form, 1)->click();

    // Another writer changes one digit and puts the file's time back: only the content tells.
    const QDateTime loaded = QFileInfo(path).lastModified();
    const QByteArray theirs = bytesOf(path).replace(",1\r\n", ",2\r\n");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(theirs) && file.flush()
            && file.setFileTime(loaded, QFileDevice::FileModificationTime));
    file.close();
    QStringList asked;
    Messages::setResponder([&](const Messages::Request &r) {
        asked.append(r.text);
        return QMessageBox::StandardButton(answers.value(asked.size() - 1, QMessageBox::Cancel));
    });
    ownAction(form, u"menuBuyDataSave"_s)->trigger();
    Messages::setResponder({});
    QCOMPARE(asked.size(), answers.size());
    QVERIFY(asked[0].startsWith(u"ファイルが、読み込んだ後（または前回の保存の後）にほかで変更されています。"_s));
    QCOMPARE(bytesOf(path) != theirs, ours);
    QCOMPARE(form->ListView1(0)->model()->rowCount(), rows);
    QCOMPARE(form->purchaseList().isModified(), answers.first() == QMessageBox::Cancel);
}

void TestFormBuyHistory::unsavedChangesOnLoad_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("written");
    QTest::newRow("save") << int(QMessageBox::Save) << true << true;
    QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
}

void TestFormBuyHistory::unsavedChangesOnLoad()
{
    QFETCH(int, answer);
    QFETCH(bool, loaded);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"new購入履歴.csv"_s);
    auto main = openMain(testsupport::loto6File());
    QPointer<FormBuyHistory> form = openHistory(*main);
    ownAction(form, u"menuEdit"_s)->trigger();
    typePanel(form, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}, u"1"_s, u"300"_s, u"2"_s);
    command2(form, 1)->click();

    testsupport::MessageRecorder messages{QMessageBox::StandardButton(answer)};
    testsupport::FileDialogAnswer saveAs{path};
    QCOMPARE(main->loadFile(testsupport::miniLotoFile()), loaded);
    QCOMPARE(messages.requests().size(), 1);
    QCOMPARE(messages.requests()[0].buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(QFile::exists(path), written);
    QCOMPARE(main->RunMode(), loaded ? 5 : 6);
    QTest::qWait(0);
    QCOMPARE(form.isNull(), loaded);
    if (!loaded) {
        QCOMPARE(form->ListView1(0)->model()->rowCount(), 2);
        QVERIFY(form->purchaseList().isModified());
    }
    // A saved or fresh window asks nothing more; a kept one still holds its changes.
    messages.clear();
    QCOMPARE(main->tools().mayDiscardAll(), loaded);
    QCOMPARE(messages.requests().size(), loaded ? 0 : 1);
}

void TestFormBuyHistory::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<int>("failure");
    QTest::newRow("cannot open") << int(AppFiles::WriteFailure::Open);
    QTest::newRow("disk full while writing") << int(AppFiles::WriteFailure::Write);
    QTest::newRow("rename fails") << int(AppFiles::WriteFailure::Commit);
}

void TestFormBuyHistory::failedSaveKeepsTheOldFile()
{
    QFETCH(int, failure);
    QTemporaryDir dir;
    const QString path = testsupport::writeTextFile(dir, u"c購入履歴.csv"_s, u"LOTO6 購入履歴\r\nh\r\n300,1,2,3,4,5,6,1\r\n"_s);
    const QByteArray before = bytesOf(path);
    auto main = openMain(testsupport::loto6File());
    FormBuyHistory *form = openHistory(*main);
    testsupport::MessageRecorder messages;
    QVERIFY(form->MakeListView(path));
    AppFiles::simulateWriteFailure(AppFiles::WriteFailure(failure));
    const bool saved = form->menuBuyDataSave_Click();
    AppFiles::simulateWriteFailure(AppFiles::WriteFailure::None);
    QVERIFY(!saved);
    QCOMPARE(bytesOf(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"c購入履歴.csv"_s});  // no scratch file left
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.texts().first().startsWith(u"ファイルに保存できませんでした。"_s));
    // Once the disk is fine again, the same save goes through.
    QVERIFY(form->menuBuyDataSave_Click());
}

QTEST_MAIN(TestFormBuyHistory)
#include "tst_formbuyhistory.moc"
