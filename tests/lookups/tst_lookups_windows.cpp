#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/controlarray.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "lookups/lookupsfeature.h"
#include "lookups/formsearch.h"
#include "lookups/numbersearch.h"
#include "lookups/oldhit.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
std::unique_ptr<FormMain> openMain(const QString &file)
{
    return testsupport::shownMainWindow(file, {400, 250});
}

FormOldHit *openCheck(FormMain &window)
{
    testsupport::ownAction(&window, u"menuOldHit"_s)->trigger();
    return window.tools().get<FormOldHit>(LookupTools::OldHit);
}

FormSearch *openSearch(FormMain &window)
{
    testsupport::ownAction(&window, u"menuNoSet"_s)->trigger();
    return window.tools().get<FormSearch>(LookupTools::Search);
}

void typeBoxes(FormOldHit *form, const QStringList &texts)
{
    for (int i = 0; i < OldHit::kBoxCount; ++i)
        form->Text1(i)->setText(texts.value(i));
}

// Opens the check of a main window and runs it once with the given boxes.
FormOldHit *checkOnce(FormMain &window, const QStringList &texts)
{
    FormOldHit *form = openCheck(window);
    typeBoxes(form, texts);
    form->Command1_Click();
    return form;
}

QList<int> kaiColumn(const DrawTable &table)
{
    QList<int> out;
    for (int r = 0; r < table.rowCount(); ++r)
        out.append(table.cellText(r, 1).toInt());
    return out;
}

// Draw numbers of the draws a set of numbers wins a prize in, counted from the file's lines.
QList<int> winningDraws(const QList<drawlines::Draw> &draws, int picks, const QList<int> &numbers)
{
    QList<int> out;
    for (const drawlines::Draw &d : draws) {
        if (drawlines::expectedTier(picks, numbers, d) > 0)
            out.append(d.kai());
    }
    return out;
}

enum class Found { Any, All, None };

// Draw numbers of the draws holding any, all or none of the numbers among their main numbers
// and bonus, counted from the file's lines.
QList<int> foundDraws(const QString &file, int picks, const QList<int> &numbers, Found found)
{
    QList<int> out;
    for (const drawlines::Draw &d : drawlines::read(file)) {
        const QList<int> drawn = d.mains(picks) + QList<int>{d.bonus(picks)};
        const qsizetype hits = std::count_if(numbers.begin(), numbers.end(), [&](int n) { return drawn.contains(n); });
        if (found == Found::Any ? hits > 0 : found == Found::All ? hits == numbers.size() : hits == 0)
            out.append(d.kai());
    }
    return out;
}

QStringList listColumn(const QTreeWidget *list, int column)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out.append(list->topLevelItem(i)->text(column));
    return out;
}

// A newly placed window keeps at least 32 pixels inside the work area at the right and bottom.
// Where a window of the given frame size placed at p ends up: at p when its whole frame fits the
// work area there, else moved in until it does.
QPoint onScreen(QPoint p, QSize frame)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {std::clamp(p.x(), area.left(), area.left() + area.width() - frame.width()),
            std::clamp(p.y(), area.top(), area.top() + area.height() - frame.height())};
}

// The place of `placed` opened to the right of (or at the lower right corner of) `opener`.
QPoint rightOf(const QWidget *opener, const QWidget *placed)
{
    const QRect f = opener->frameGeometry();
    return onScreen({f.x() + f.width(), f.y()}, placed->frameGeometry().size());
}

QPoint lowerRightOf(const QWidget *opener, const QWidget *placed)
{
    const QRect f = opener->frameGeometry();
    return onScreen({f.x() + f.width(), f.y() + f.height()}, placed->frameGeometry().size());
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class TestLookupsWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkOpensAtLowerRightOfItsWindow();
    void checkHidesSixthBoxForMiniLoto();
    void checkFromTypedBoxesFillsListAndCopy();
    void checkReusesItsCopy();
    void closingCheckClosesCopy();
    void duplicateChangesNothing();
    void checkSeesOnlySelectedRows();
    void checkWithNothingSelected();
    void checkOnEmptyTableDoesNothing();
    void checkFromCopyAndFromCopyOfCopy();
    void checkListSortsByHeaderClicks();
    void newLoadReplacesWindows();
    void searchOpensWithGameSettings();
    void searchModesFillCopy();
    void searchWarningsChangeNothing();
    void searchClosingAndEmptyText();
    void searchFromCopy();
};

void TestLookupsWindows::checkOpensAtLowerRightOfItsWindow()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormOldHit *form = openCheck(*main);
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QVERIFY(form->isWindow());
    QCOMPARE(form->parentWidget(), main.get());
    QCOMPARE(form->SetFormMain(), main.get());
    QCOMPARE(form->windowTitle(), u"過去の抽選結果と照合"_s);
    QCOMPARE(form->pos(), lowerRightOf(main.get(), form));
    QVERIFY(!form->Text1(5)->isHidden());

    // The controls are found by the names and indexes the program's code uses.
    QCOMPARE(form->findChild<QTreeWidget *>(u"ListView1"_s), form->ListView1());
    QCOMPARE(form->ListView1()->columnWidth(0), 0);
    QCOMPARE(form->findChild<QPushButton *>(u"Command1"_s), form->Command1());
    for (int i = 0; i < 6; ++i)
        QCOMPARE(controlAt<NumericLineEdit>(form, u"Text1"_s, i), form->Text1(i));

    // Shown again where the user left it.
    form->move(30, 40);
    openCheck(*main);
    QCOMPARE(form->pos(), QPoint(30, 40));
    QVERIFY(messages.texts().isEmpty());
}

void TestLookupsWindows::checkHidesSixthBoxForMiniLoto()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::miniLotoFile());
    FormOldHit *form = openCheck(*main);
    QVERIFY(form->Text1(5)->isHidden());
    QVERIFY(!form->Text1(4)->isHidden());

    typeBoxes(form, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s});
    form->Command1()->click();
    QVERIFY(form->ListView1()->topLevelItemCount() > 0);
    // miniLOTO prizes are eight characters wide and only four tiers exist.
    for (int i = 0; i < form->ListView1()->topLevelItemCount(); ++i) {
        QCOMPARE(form->ListView1()->topLevelItem(i)->text(3).size(), 8);
        QVERIFY(form->ListView1()->topLevelItem(i)->text(2) != u"５等"_s);
    }
    QCOMPARE(form->resultWindow()->table().columnCount(), 17);
}

void TestLookupsWindows::checkFromTypedBoxesFillsListAndCopy()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormOldHit *form = openCheck(*main);

    // Typed keys: letters never reach a box; Enter in a box runs the check.
    const QStringList typed{u"3"_s, u"1x4"_s, u"15"_s, u"26"_s, u"35"_s, u"43"_s};
    for (int i = 0; i < 6; ++i)
        QTest::keyClicks(form->Text1(i), typed[i]);
    QCOMPARE(form->Text1(1)->text(), u"14"_s);
    QVERIFY(!form->resultWindow());
    QTest::keyClick(form->Text1(2), Qt::Key_Return);

    // The winning draws, counted from the file's lines: draw, tier and prize, then the summary.
    const QList<drawlines::Draw> draws = drawlines::read(testsupport::loto6File());
    const QList<int> numbers{3, 14, 15, 26, 35, 43};
    QList<int> winners;
    qint64 total = 0;
    QTreeWidget *list = form->ListView1();
    for (qsizetype r = 0; r < draws.size(); ++r) {
        const int tier = drawlines::expectedTier(6, numbers, draws[r]);
        if (tier == 0)
            continue;
        const QTreeWidgetItem *item = list->topLevelItem(int(winners.size()));
        QVERIFY(item);
        QCOMPARE(item->text(1).toInt(), draws[r].kai());
        QCOMPARE(item->text(2), QString(QChar(u"１２３４５"[tier - 1])) + u"等"_s);
        QCOMPARE(item->text(3).trimmed(), draws[r].prize(6, tier));
        winners.append(int(r));
        total += draws[r].prize(6, tier).toLongLong();
    }
    QVERIFY(!winners.isEmpty());
    QCOMPARE(list->topLevelItemCount(), int(winners.size()));
    QCOMPARE(form->Label1()->text(), u"%1回当選　賞金合計　%2円"_s.arg(winners.size()).arg(total));
    QCOMPARE(list->columnWidth(0), 0);

    FormMain *copy = form->resultWindow();
    QVERIFY(copy);
    QVERIFY(copy->Copied());
    QVERIFY(copy->isVisible());
    QVERIFY(copy->isWindow());
    QCOMPARE(copy->parentWidget(), form);
    QCOMPARE(copy->windowTitle(), u"過去の抽選結果と照合 3 14 15 26 35 43"_s);
    QCOMPARE(copy->pos(), rightOf(form, copy));
    QCOMPARE(copy->RunMode(), 6);
    QCOMPARE(copy->table().rowCount(), int(winners.size()));
    QCOMPARE(copy->table().selectedCount(), copy->table().rowCount());
    QCOMPARE(copy->selectionCountText(), u"選択数：%1/%1"_s.arg(winners.size()));
    for (int r = 0; r < copy->table().rowCount(); ++r) {
        const int source = winners[r];
        for (int c = 0; c < main->table().columnCount(); ++c)
            QCOMPARE(copy->table().cellText(r, c), main->table().cellText(source, c));
    }
    // The copy's hidden column stays hidden.
    QCOMPARE(copy->ListView1()->columnWidth(0), 0);
    QVERIFY(messages.texts().isEmpty());
}

void TestLookupsWindows::checkReusesItsCopy()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormOldHit *form = checkOnce(*main, {u"3"_s, u"14"_s, u"15"_s});
    FormMain *copy = form->resultWindow();
    QVERIFY(copy);
    const int firstRows = copy->table().rowCount();

    copy->move(50, 60);
    // Entries as typed, leading zero and empty boxes included, each after one blank.
    typeBoxes(form, {u"07"_s, QString(), u"13"_s, u"21"_s});
    form->Command1_Click();
    QCOMPARE(form->resultWindow(), copy);
    QCOMPARE(copy->windowTitle(), u"過去の抽選結果と照合 07  13 21  "_s);
    QCOMPARE(copy->pos(), QPoint(50, 60));
    QCOMPARE(kaiColumn(copy->table()), winningDraws(drawlines::read(testsupport::loto6File()), 6, {7, 13, 21}));
    QVERIFY(copy->table().rowCount() != firstRows);
    QCOMPARE(copy->table().selectedCount(), copy->table().rowCount());
    QCOMPARE(form->findChildren<FormMain *>().size(), 1);
}

void TestLookupsWindows::closingCheckClosesCopy()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormOldHit *form = openCheck(*main);
    const QPointer<FormOldHit> formAlive = form;
    typeBoxes(form, {u"1"_s, u"2"_s, u"3"_s});
    form->Command1_Click();
    FormMain *copy = form->resultWindow();
    const QPointer<FormMain> copyAlive = copy;
    QVERIFY(copy && copy->isVisible());
    // The copy's own check window lives while the copy is shown.
    QVERIFY(copy->tools().get<FormOldHit>(LookupTools::OldHit));

    QVERIFY(!form->close());
    flushDeletes();
    QVERIFY(formAlive);
    QVERIFY(!form->isVisible());
    QVERIFY(copyAlive);
    QVERIFY(!copy->isVisible());
    QCOMPARE(form->Text1(0)->text(), u"1"_s);
    QVERIFY(form->ListView1()->topLevelItemCount() > 0);

    openCheck(*main);
    form->Command1_Click();
    QCOMPARE(form->resultWindow(), copy);
    QVERIFY(copy->isVisible());
    QCOMPARE(copy->pos(), rightOf(form, copy));
    QVERIFY(copy->tools().get<FormOldHit>(LookupTools::OldHit));
}

void TestLookupsWindows::duplicateChangesNothing()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormOldHit *form = checkOnce(*main, {u"3"_s, u"14"_s, u"15"_s});
    FormMain *copy = form->resultWindow();
    const QString caption = copy->windowTitle();
    const QList<int> copyKai = kaiColumn(copy->table());
    const QStringList listKai = listColumn(form->ListView1(), 1);
    const QString label = form->Label1()->text();

    for (const QStringList &boxes : {QStringList{u"7"_s, QString(), u"7"_s}, QStringList{u"7"_s, u"07"_s}}) {
        messages.clear();
        typeBoxes(form, boxes);
        form->Command1()->click();
        QCOMPARE(messages.texts(), QStringList{u"重複しいる番号があります"_s});
        QCOMPARE(messages.requests().first().icon, Messages::Icon::Exclamation);
        QCOMPARE(copy->windowTitle(), caption);
        QCOMPARE(kaiColumn(copy->table()), copyKai);
        QCOMPARE(listColumn(form->ListView1(), 1), listKai);
        QCOMPARE(form->Label1()->text(), label);
    }
}

void TestLookupsWindows::checkSeesOnlySelectedRows()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    main->findChild<QLineEdit *>(u"Text1"_s)->setText(u"300"_s);
    main->Command2_Click(FormMain::LastRows);
    const DrawTable &copy = checkOnce(*main, {u"1"_s, u"2"_s, u"3"_s, u"4"_s})->resultWindow()->table();
    const QList<drawlines::Draw> draws = drawlines::read(testsupport::loto6File());
    const QList<int> selected = winningDraws(draws.mid(draws.size() - 300), 6, {1, 2, 3, 4});
    QVERIFY(!selected.isEmpty());
    QCOMPARE(kaiColumn(copy), selected);
    QVERIFY(winningDraws(draws, 6, {1, 2, 3, 4}).size() > selected.size());
}

void TestLookupsWindows::checkWithNothingSelected()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    main->Command1_Click(FormMain::SelectClear);
    FormOldHit *form = checkOnce(*main, {u"1"_s, u"2"_s, u"3"_s});
    QCOMPARE(form->Label1()->text(), u"当選していません"_s);
    QCOMPARE(form->ListView1()->topLevelItemCount(), 0);
    FormMain *copy = form->resultWindow();
    QVERIFY(copy && copy->isVisible());
    QCOMPARE(copy->table().rowCount(), 0);
    QCOMPARE(copy->selectionCountText(), u"選択数：0/0"_s);
}

void TestLookupsWindows::checkOnEmptyTableDoesNothing()
{
    testsupport::MessageRecorder messages;
    QTemporaryDir dir;
    auto main = openMain(testsupport::writeTextFile(dir, u"empty_Download.csv"_s, testsupport::loto6Text({})));
    QCOMPARE(main->RunMode(), 6);
    FormOldHit *form = checkOnce(*main, {u"7"_s, u"7"_s});
    QVERIFY(messages.texts().isEmpty());
    QVERIFY(!form->resultWindow());
    QVERIFY(form->Label1()->text().isEmpty());
}

void TestLookupsWindows::checkFromCopyAndFromCopyOfCopy()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormOldHit *form = checkOnce(*main, {u"10"_s, u"20"_s, u"30"_s});
    FormMain *copy = form->resultWindow();
    const int copyRows = copy->table().rowCount();
    QVERIFY(copyRows > 0);

    // The copy's own check window examines only the copy's draws.
    FormOldHit *inner = openCheck(*copy);
    QVERIFY(inner && inner != form);
    QCOMPARE(inner->SetFormMain(), copy);
    QCOMPARE(inner->pos(), lowerRightOf(copy, inner));
    typeBoxes(inner, {u"10"_s, u"20"_s, u"30"_s});
    inner->Command1_Click();
    FormMain *copyOfCopy = inner->resultWindow();
    QVERIFY(copyOfCopy && copyOfCopy != copy);
    QCOMPARE(kaiColumn(copyOfCopy->table()), kaiColumn(copy->table()));

    typeBoxes(inner, {u"10"_s, u"20"_s, u"30"_s, u"40"_s});
    inner->Command1_Click();
    const QList<int> outer = kaiColumn(copy->table());
    const QList<int> subset = kaiColumn(copyOfCopy->table());
    QVERIFY(!subset.isEmpty());
    for (const int kai : subset)
        QVERIFY(outer.contains(kai));

    // A search on the copy of the copy: subsets of subsets.
    FormSearch *search = openSearch(*copyOfCopy);
    search->Text1()->setText(u"40"_s);
    search->Command1_Click();
    const DrawTable &found = search->resultWindow()->table();
    for (const int kai : kaiColumn(found))
        QVERIFY(subset.contains(kai));
    QVERIFY(messages.texts().isEmpty());
}

void TestLookupsWindows::checkListSortsByHeaderClicks()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormOldHit *form = checkOnce(*main, {u"3"_s, u"14"_s, u"15"_s, u"26"_s, u"35"_s, u"43"_s});
    QTreeWidget *list = form->ListView1();
    const QStringList sourceOrder = listColumn(list, 1);

    Q_EMIT list->header()->sectionClicked(3);
    QStringList money = listColumn(list, 3);
    QVERIFY(std::is_sorted(money.begin(), money.end()));
    QVERIFY(money.first() != money.last());
    Q_EMIT list->header()->sectionClicked(3);
    money = listColumn(list, 3);
    QVERIFY(std::is_sorted(money.rbegin(), money.rend()));
    // The order keeps flipping whichever column is clicked next.
    Q_EMIT list->header()->sectionClicked(1);
    const QStringList kai = listColumn(list, 1);
    QVERIFY(std::is_sorted(kai.begin(), kai.end()));
    QCOMPARE(kai, sourceOrder);

    // Once sorted, the list stays sorted: a new check lists in the clicked order.
    Q_EMIT list->header()->sectionClicked(1);
    form->Command1_Click();
    QStringList descending = sourceOrder;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(listColumn(list, 1), descending);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
}

void TestLookupsWindows::newLoadReplacesWindows()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    QPointer<FormOldHit> check = openCheck(*main);
    QPointer<FormSearch> search = openSearch(*main);
    typeBoxes(check, {u"1"_s, u"2"_s, u"3"_s});
    check->Command1_Click();
    QPointer<FormMain> copy = check->resultWindow();

    QVERIFY(main->loadFile(testsupport::miniLotoFile()));
    flushDeletes();
    QVERIFY(!check);
    QVERIFY(!search);
    QVERIFY(!copy);
    FormOldHit *fresh = main->tools().get<FormOldHit>(LookupTools::OldHit);
    QVERIFY(fresh && !fresh->isVisible());
    QVERIFY(fresh->Text1(0)->text().isEmpty());
    QVERIFY(!fresh->resultWindow());
    openCheck(*main);
    QVERIFY(fresh->Text1(5)->isHidden());
    FormSearch *freshSearch = openSearch(*main);
    QCOMPARE(freshSearch->NoEnd(), 8);
}

void TestLookupsWindows::searchOpensWithGameSettings()
{
    testsupport::MessageRecorder messages;
    for (const bool mini : {false, true}) {
        auto main = openMain(mini ? testsupport::miniLotoFile() : testsupport::loto6File());
        FormSearch *search = openSearch(*main);
        QVERIFY(search && search->isVisible() && search->isWindow());
        QCOMPARE(search->parentWidget(), main.get());
        QCOMPARE(search->SetFormMain(), main.get());
        QCOMPARE(search->windowTitle(), u"指定した番号から抽選結果の検索"_s);
        QCOMPARE(search->pos(), lowerRightOf(main.get(), search));
        QCOMPARE(search->NoEnd(), mini ? 8 : 9);
        QCOMPARE(search->Label1()->text(), mini ? u"１から３１までの番号を入力 （スペースで区切る）"_s
                                                : u"１から４３までの番号を入力 （スペースで区切る）"_s);
        QVERIFY(search->Option1(NumberSearch::Or)->isChecked());
        QCOMPARE(controlAt<QRadioButton>(search, u"Option1"_s, 2), search->Option1(2));
    }
}

void TestLookupsWindows::searchModesFillCopy()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormSearch *search = openSearch(*main);

    // Only digits and blanks are typed in; Enter starts the search.
    QTest::keyClicks(search->Text1(), u"7x 13-"_s);
    QCOMPARE(search->Text1()->text(), u"7 13"_s);
    QTest::keyClick(search->Text1(), Qt::Key_Return);
    FormMain *copy = search->resultWindow();
    QVERIFY(copy && copy->isVisible() && copy->Copied());
    QCOMPARE(copy->parentWidget(), search);
    QCOMPARE(copy->pos(), rightOf(search, copy));
    QCOMPARE(copy->windowTitle(), u"指定した番号から抽選結果の検索 7 13"_s);

    // OR, AND, NOT: the draws holding any, all or none of the numbers.
    for (const auto &[mode, found] : {std::pair{0, Found::Any}, {1, Found::All}, {2, Found::None}}) {
        search->Option1(mode)->click();
        search->Command1()->click();
        QCOMPARE(search->resultWindow(), copy);
        const QList<int> draws = foundDraws(testsupport::loto6File(), 6, {7, 13}, found);
        QVERIFY(!draws.isEmpty());
        QCOMPARE(kaiColumn(copy->table()), draws);
        QCOMPARE(copy->table().selectedCount(), copy->table().rowCount());
        QCOMPARE(copy->selectionCountText(), u"選択数：%1/%1"_s.arg(draws.size()));
    }

    // The caption shows the text as typed, outer blanks included.
    search->Option1(NumberSearch::Or)->click();
    search->Text1()->setText(u" 43 "_s);
    search->Command1_Click();
    QCOMPARE(copy->windowTitle(), u"指定した番号から抽選結果の検索  43 "_s);
    QCOMPARE(kaiColumn(copy->table()), foundDraws(testsupport::loto6File(), 6, {43}, Found::Any));
    QVERIFY(messages.texts().isEmpty());
}

void TestLookupsWindows::searchWarningsChangeNothing()
{
    testsupport::MessageRecorder messages;
    for (const bool mini : {false, true}) {
        auto main = openMain(mini ? testsupport::miniLotoFile() : testsupport::loto6File());
        FormSearch *search = openSearch(*main);
        search->Text1()->setText(u"7"_s);
        search->Command1_Click();
        FormMain *copy = search->resultWindow();
        const QList<int> kai = kaiColumn(copy->table());
        const QString caption = copy->windowTitle();

        const QList<std::pair<QString, QString>> cases{
            {u"7  13"_s, u"数字以外の文字が含まれています"_s},
            {mini ? u"32"_s : u"44"_s, mini ? u"１～３１の数字を入力"_s : u"１～４３の数字を入力"_s},
            {u"0 5"_s, mini ? u"１～３１の数字を入力"_s : u"１～４３の数字を入力"_s},
        };
        for (const auto &[text, warning] : cases) {
            messages.clear();
            search->Text1()->setText(text);
            search->Command1_Click();
            QCOMPARE(messages.texts(), QStringList{warning});
            QCOMPARE(messages.requests().first().icon, Messages::Icon::Exclamation);
            QCOMPARE(kaiColumn(copy->table()), kai);
            QCOMPARE(copy->windowTitle(), caption);
        }
    }
}

void TestLookupsWindows::searchClosingAndEmptyText()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::loto6File());
    FormSearch *search = openSearch(*main);
    search->Command1_Click();
    QVERIFY(!search->resultWindow());

    search->Text1()->setText(u"5"_s);
    search->Option1(NumberSearch::Not)->click();
    search->Command1_Click();
    FormMain *copy = search->resultWindow();
    const QPointer<FormMain> copyAlive = copy;
    QVERIFY(copy && copy->isVisible());

    QVERIFY(!search->close());
    flushDeletes();
    QVERIFY(!search->isVisible());
    QVERIFY(copyAlive);
    QVERIFY(!copy->isVisible());
    QVERIFY(search->Option1(NumberSearch::Not)->isChecked());

    openSearch(*main);
    search->Command1_Click();
    QCOMPARE(search->resultWindow(), copy);
    QVERIFY(copy->isVisible());
    QVERIFY(messages.texts().isEmpty());
}

void TestLookupsWindows::searchFromCopy()
{
    testsupport::MessageRecorder messages;
    auto main = openMain(testsupport::miniLotoFile());
    FormSearch *search = openSearch(*main);
    search->Text1()->setText(u"31"_s);
    search->Command1_Click();
    FormMain *copy = search->resultWindow();
    QCOMPARE(copy->RunMode(), 5);

    // AND within the draws holding 31 equals AND over everything.
    FormSearch *inner = openSearch(*copy);
    QVERIFY(inner && inner != search);
    QCOMPARE(inner->NoEnd(), 8);
    QCOMPARE(inner->Label1()->text(), u"１から３１までの番号を入力 （スペースで区切る）"_s);
    inner->Text1()->setText(u"31 1"_s);
    inner->Option1(NumberSearch::And)->click();
    inner->Command1_Click();
    QCOMPARE(kaiColumn(inner->resultWindow()->table()), foundDraws(testsupport::miniLotoFile(), 5, {31, 1}, Found::All));

    // A check run on the search's copy counts only its draws.
    FormOldHit *check = openCheck(*copy);
    QVERIFY(check->Text1(5)->isHidden());
    typeBoxes(check, {u"31"_s, u"1"_s, u"2"_s});
    check->Command1_Click();
    const QList<int> inCopy = kaiColumn(copy->table());
    for (const int kai : kaiColumn(check->resultWindow()->table()))
        QVERIFY(inCopy.contains(kai));
    QVERIFY(messages.texts().isEmpty());
}

QTEST_MAIN(TestLookupsWindows)
#include "tst_lookups_windows.moc"
