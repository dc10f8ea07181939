#include "support/testsupport.h"

#include "allfeatures.h"
#include "combinations/combinationsfeature.h"
#include "combinations/formcomblist.h"
#include "lookups/formbacktest.h"
#include "combinations/patternmanagerlink.h"
#include "core/formmain.h"
#include "core/program.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <bit>
#include <memory>
#include <numeric>
#include <random>

using namespace Qt::StringLiterals;

namespace {
struct Opened
{
    std::unique_ptr<FormMain> main;
    FormCombList *list = nullptr;
};

Opened openList(const QString &file, Program &program = testsupport::program())
{
    Opened o{std::make_unique<FormMain>(program), nullptr};
    o.main->show();
    if (!o.main->loadFile(file))
        return o;
    o.main->findChild<QAction *>(u"menuCombList"_s)->trigger();
    o.list = o.main->tools().get<FormCombList>(CombinationTools::CombList);
    return o;
}

void choose(FormCombList *list, const QList<int> &numbers)
{
    for (const int n : numbers)
        list->Check1(n - 1)->click();
}

void tickKey(FormCombList *list, int entry, bool on)
{
    list->ListView1()->item(entry)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// The pool list as shown, key entries (ticked) as negative numbers.
QList<int> poolShown(const FormCombList *list)
{
    QList<int> out;
    for (int i = 0; i < list->ListView1()->count(); ++i) {
        const QListWidgetItem *item = list->ListView1()->item(i);
        out.append(item->text().toInt() * (item->checkState() == Qt::Checked ? -1 : 1));
    }
    return out;
}

// The grid as the command line prints it: cells joined by tabs, `rows` body rows at most.
QStringList gridLines(const GridSource &grid, int rows)
{
    QStringList out;
    for (int r = 0; r <= std::min(rows, grid.rows() - 1); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.columns(); ++c)
            cells.append(grid.text(r, c));
        out.append(cells.join(u'\t'));
    }
    return out;
}

// The numbers of a body row, read from the header over its marked cells.
QList<int> rowNumbers(const GridSource &grid, int row)
{
    QList<int> out;
    for (int c = 1; c < grid.columns(); ++c) {
        if (grid.text(row, c) == u"1")
            out.append(grid.text(0, c).toInt());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Writes tickets (sets of pool positions) as a pattern file over `pool` positions.
void writePattern(const QString &path, const QList<QList<int>> &tickets, int pool)
{
    QByteArray text;
    for (const QList<int> &ticket : tickets) {
        QByteArray line(pool, '0');
        for (const int p : ticket)
            line[p - 1] = '1';
        text += line + "\r\n";
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QList<QList<int>> readWheel(const QString &name)
{
    QFile file(QStringLiteral(ZEMVARA_WHEELS_DIR "/") + name);
    QList<QList<int>> tickets;
    for (const QByteArray &line : file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().split('\n') : QByteArrayList()) {
        tickets.append(QList<int>());
        for (const QByteArray &field : line.simplified().split(' '))
            tickets.last().append(field.toInt());
    }
    return tickets;
}

// Draws of `picks` numbers inside a pool of `pool` positions by their best match over the
// tickets, counted by brute force over every subset.
QList<qint64> bestMatchCounts(const QList<QList<int>> &tickets, int pool, int picks)
{
    QList<qint64> counts(picks + 1, 0);
    for (quint32 draw = 0; draw < (1u << pool); ++draw) {
        if (std::popcount(draw) != picks)
            continue;
        int best = 0;
        for (const QList<int> &ticket : tickets) {
            int matches = 0;
            for (const int p : ticket)
                matches += (draw >> (p - 1)) & 1;
            best = std::max(best, matches);
        }
        ++counts[best];
    }
    return counts;
}

// The pointer resting over a cell (sent to the grid itself: the cursor of a screen shared by
// overlapping windows may find another window there).
void hover(VirtualGridView *grid, int row, int column)
{
    const QPoint at = grid->cellRect(row, column).center();
    QMouseEvent move(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
}

class FakeManager : public QWidget, public PatternManagerLink
{
public:
    void PatternAll(int mode) override { modes.append(mode); }
    QList<int> modes;
};

void calculate(FormCombList *list)
{
    QSignalSpy done(list, &FormCombList::guaranteeFinished);
    list->Command5()->click();
    QVERIFY(done.wait(20000));
}
} // namespace

class TestFormCombList : public QObject
{
    Q_OBJECT

    QTemporaryDir m_patterns;
    QString pattern(const QString &name) const { return QDir(m_patterns.path()).filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_patterns.isValid());
        qputenv("ZEMVARA_PATTERN_DIR", QFile::encodeName(m_patterns.path()));
    }

    void init()
    {
        for (const QString &name : QDir(m_patterns.path()).entryList(QDir::Files))
            QFile::remove(pattern(name));
    }

    void opensOnceAndKeepsItsState()
    {
        Opened o = openList(testsupport::loto6File());
        FormCombList *list = o.list;
        QVERIFY(list && list->isVisible() && list->SetFormMain() == o.main.get());
        QVERIFY(!list->Command3(0)->isEnabled() && !list->Command3(1)->isEnabled());
        QCOMPARE(gridLines(list->MSFlexGrid1()->source(), 9), QStringList{QString()});
        QCOMPARE(gridLines(list->MSFlexGrid2()->source(), 9), (QStringList{QString(), u"1"_s}));
        QVERIFY(!list->ListView2()->isVisible() && !list->Command5()->isVisible());

        // Fewer numbers than a ticket: one cell, the status as it was.
        choose(list, {5, 6, 7});
        const QString status = list->StatusBar1()->panelText(2);
        choose(list, {8});
        QCOMPARE(list->MSFlexGrid1()->source().rows(), 1);
        QCOMPARE(list->StatusBar1()->panelText(2), status);

        // Closing only hides; the next opening finds the pool as it was left.
        choose(list, {9, 10});
        list->close();
        o.main->findChild<QAction *>(u"menuCombList"_s)->trigger();
        QVERIFY(list->isVisible());
        QCOMPARE(poolShown(list), (QList<int>{5, 6, 7, 8, 9, 10}));
        QCOMPARE(list->MSFlexGrid1()->source().rows(), 2);
    }

    void windowMatchesCli_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("game");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("rows");
        QList<int> all(43);
        std::iota(all.rbegin(), all.rend(), 1);
        const QString loto6 = testsupport::loto6File();
        const QString mini = testsupport::miniLotoFile();
        const QList<int> eight{3, 1, 4, 15, 9, 26, 5, 8};
        QTest::newRow("eight") << loto6 << u"loto6"_s << eight << 0 << 100;
        QTest::newRow("eight, two keys") << loto6 << u"loto6"_s << eight << 2 << 100;
        QTest::newRow("six") << loto6 << u"loto6"_s << QList<int>{43, 1, 2, 3, 4, 5} << 0 << 100;
        QTest::newRow("seven keys asked") << mini << u"miniloto"_s << QList<int>{31, 2, 7, 9, 11, 12, 13} << 7 << 100;
        QTest::newRow("all 43, first rows") << loto6 << u"loto6"_s << all << 1 << 40;
    }

    void windowMatchesCli()
    {
        QFETCH(QString, file);
        QFETCH(QString, game);
        QFETCH(QList<int>, numbers);
        QFETCH(int, keys);
        QFETCH(int, rows);
        for (const QString &name : {u"1-638.txt"_s, u"2-638.txt"_s, u"1-648K2.txt"_s, u"1-537K5.txt"_s, u"1-6543K1.txt"_s})
            QFile(pattern(name)).open(QIODevice::WriteOnly);

        Opened o = openList(file);
        choose(o.list, numbers);
        for (int i = 0; i < keys; ++i)
            tickKey(o.list, i, true);

        QString pool;
        for (const int n : numbers)
            pool += QString::number(n) + u' ';
        const testsupport::CliRun run =
            testsupport::runCli({u"combos"_s, u"--game"_s, game, u"--pool"_s, pool, u"--keys"_s,
                                 QString::number(keys), u"--rows"_s, QString::number(rows), u"--patterns"_s, m_patterns.path()});
        QCOMPARE(run.status, 0);
        QCOMPARE(gridLines(o.list->MSFlexGrid1()->source(), rows), run.section(u"FormCombList.MSFlexGrid1"_s));
        QCOMPARE(QStringList{o.list->StatusBar1()->panelText(2)}, run.section(u"FormCombList.StatusBar1.2"_s));
        QCOMPARE(QStringList{o.list->StatusBar1()->panelText(3)}, run.section(u"FormCombList.StatusBar1.3"_s));
    }

    void guaranteeMatchesCliAndBruteForce_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("wheel");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tierButton");
        QTest::addColumn<QString>("status");
        QTest::newRow("LOTO6 C(12,6,4)") << testsupport::loto6File() << u"loto6"_s << u"C_12_6_4.txt"_s << u"1-6412.txt"_s << 1
                                         << u"1-6412.txt を読み込みました（保証：４等）"_s;
        QTest::newRow("miniLOTO C(7,5,4)") << testsupport::miniLotoFile() << u"miniloto"_s << u"C_7_5_4.txt"_s << u"1-537.txt"_s << 0
                                           << u"1-537.txt を読み込みました（保証：３等）"_s;
        QTest::newRow("C(12,6,4) named 3等") << testsupport::loto6File() << u"loto6"_s << u"C_12_6_4.txt"_s << u"1-6312.txt"_s << 0
                                             << u"1-6312.txt を読み込みましたが、名前の３等を保証しません（保証：４等）"_s;
    }

    // The bundled wheels loaded through the tier buttons and calculated: the list shows what the
    // command line prints, and its total row what a count over every draw gives.
    void guaranteeMatchesCliAndBruteForce()
    {
        QFETCH(QString, file);
        QFETCH(QString, game);
        QFETCH(QString, wheel);
        QFETCH(QString, name);
        QFETCH(int, tierButton);
        QFETCH(QString, status);
        const QList<QList<int>> tickets = readWheel(wheel);
        QVERIFY(!tickets.isEmpty());
        const int pool = wheel.section(u'_', 1, 1).toInt();
        writePattern(pattern(name), tickets, pool);

        Opened o = openList(file);
        o.list->resize(game == u"loto6" ? QSize(1024, 768) : QSize(1100, 660));  // the result's columns fit at both
        const int picks = o.list->picks();
        QList<int> numbers(pool);
        std::iota(numbers.rbegin(), numbers.rend(), 1);
        choose(o.list, numbers);
        o.list->Command3(tierButton)->click();
        QVERIFY(o.list->Check2()->isChecked() && o.list->ListView2()->isVisible());
        QCOMPARE(o.list->tickets().rowCount(), tickets.size());
        QCOMPARE(o.list->StatusBar1()->panelText(4), status);
        QCOMPARE(o.list->StatusBar1()->panel(4)->palette().color(QPalette::WindowText) == Qt::red, status.contains(u"しません"_s));
        calculate(o.list);
        QTreeWidget *results = o.list->ListView2();
        QVERIFY(results->visualRect(results->model()->index(0, results->columnCount() - 1)).right() < results->viewport()->width());

        // The same tickets over the history: the window's back-test says what the command line
        // says of the file mapped to the list's numbers in the list's order.
        QTRY_VERIFY(o.list->Command7()->isEnabled());
        o.list->Command7()->click();
        QSignalSpy tested(o.list->backTestWindow(), &FormBackTest::finished);
        QVERIFY(tested.wait(20000));
        QStringList order;
        for (const int n : o.list->tickets().header())
            order.append(QString::number(n));
        const testsupport::CliRun backTest = testsupport::runCli(
            {u"backtest"_s, file, u"--pattern"_s, pattern(name), u"--pool"_s, order.join(u' ')});
        QCOMPARE(o.list->backTestWindow()->Label1()->text().split(u'\n'), backTest.section(u"FormBackTest.Label1"_s));

        const testsupport::CliRun run = testsupport::runCli({u"guarantee"_s, u"--game"_s, game, u"--pattern"_s, pattern(name)});
        QCOMPARE(run.status, 0);
        const QStringList shown = testsupport::listLines(o.list->ListView2(), true);
        QCOMPARE(shown, run.section(u"FormCombList.ListView2"_s));

        // The total row: one count column per tier from the best match down to three, then the misses.
        const QList<qint64> best = bestMatchCounts(tickets, pool, picks);
        const QStringList total = shown.last().split(u'\t');
        QCOMPARE(total[0], u"合計"_s);
        for (int m = picks; m >= 3; --m)
            QCOMPARE(total[picks - m + 1].toLongLong(), best[m]);
        QCOMPARE(total[picks - 1].toLongLong(), best[0] + best[1] + best[2]);
        // A known fact of this wheel: used for five of six, one draw of 924 falls short.
        if (wheel == u"C_12_6_4.txt")
            QCOMPARE(best[6] + best[5], 923);
        QVERIFY(best[4] > 0 && best[0] + best[1] + best[2] + best[3] == 0);  // four numbers at least: the status's tier
        const std::function<void()> changes[] = {[&] { o.list->MSFlexGrid2_Click(1, 1), o.list->MSFlexGrid2_Click(1, 1); },
                                                 [&] { tickKey(o.list, 0, true); }, [&] { o.list->Check1(20)->click(); }};
        for (const std::function<void()> &change : changes) {  // results belong to the tickets they were computed for
            calculate(o.list);
            change();
            QCOMPARE(results->topLevelItemCount(), 0);
        }
    }

    void keyMarks()
    {
        QFile(pattern(u"1-638K6.txt"_s)).open(QIODevice::WriteOnly);
        Opened o = openList(testsupport::loto6File());
        FormCombList *list = o.list;
        const QList<int> numbers{3, 1, 4, 15, 9, 26, 5, 8};
        choose(list, numbers);
        QCOMPARE(list->StatusBar1()->panelText(2), u"8個選択 - 28通り"_s);

        // A key on the last entry moves it to the top; the rows are the sets that hold it.
        tickKey(list, 7, true);
        QCOMPARE(poolShown(list), (QList<int>{-8, 3, 1, 4, 15, 9, 26, 5}));
        const GridSource &grid = list->MSFlexGrid1()->source();
        QSet<QList<int>> shown;
        for (int r = 1; r < grid.rows(); ++r)
            shown.insert(rowNumbers(grid, r));
        QSet<QList<int>> expected;
        for (quint32 m = 0; m < 256; ++m) {
            QList<int> set;
            for (int i = 0; i < 8; ++i)
                set.append((m >> i) & 1 ? numbers[i] : 0);
            set.removeAll(0);
            std::sort(set.begin(), set.end());
            if (set.size() == 6 && set.contains(8))
                expected.insert(set);
        }
        QCOMPARE(grid.rows() - 1, expected.size());
        QCOMPARE(shown, expected);

        // Up to six keys; the seventh is undone, and the folder is read for the six kept.
        for (int i = 1; i < 7; ++i)
            tickKey(list, i, true);
        QCOMPARE(poolShown(list), (QList<int>{-8, -3, -1, -4, -15, -9, 26, 5}));
        QCOMPARE(list->StatusBar1()->panelText(4), u"キーは6個までです。"_s);
        QCOMPARE(list->StatusBar1()->panelText(3), u"パターンファイル 3等 1個  "_s);
        QVERIFY(list->Command3(0)->isEnabled());
        QCOMPARE(list->MSFlexGrid1()->source().rows(), 1 + 1);

        // Unticking a key moves it below the keys; clearing a key's box drops it from the pool.
        tickKey(list, 0, false);
        QCOMPARE(poolShown(list), (QList<int>{-3, -1, -4, -15, -9, 8, 26, 5}));
        QCOMPARE(list->MSFlexGrid1()->source().rows(), 1 + 3);
        QVERIFY(!list->Command3(0)->isEnabled());
        list->Check1(3)->click();
        QCOMPARE(poolShown(list), (QList<int>{-3, -1, -15, -9, 8, 26, 5}));
        QCOMPARE(list->StatusBar1()->panelText(2), u"7個選択 - 3通り"_s);
    }

    void moves_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::addColumn<QList<int>>("order");  // empty: refused
        // Pool 3 1 4 15 9 26 5 8, the first two keys.
        QTest::newRow("up on the first") << 0 << 0 << QList<int>{};
        QTest::newRow("down on the last") << 7 << 1 << QList<int>{};
        QTest::newRow("plain above a key") << 2 << 0 << QList<int>{};
        QTest::newRow("key below a plain") << 1 << 1 << QList<int>{};
        QTest::newRow("no selection") << -1 << 0 << QList<int>{};
        QTest::newRow("keys swap") << 1 << 0 << QList<int>{-1, -3, 4, 15, 9, 26, 5, 8};
        QTest::newRow("plain entries swap") << 4 << 1 << QList<int>{-3, -1, 4, 15, 26, 9, 5, 8};
    }

    void moves()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        QFETCH(QList<int>, order);
        Opened o = openList(testsupport::loto6File());
        FormCombList *list = o.list;
        choose(list, {3, 1, 4, 15, 9, 26, 5, 8});
        tickKey(list, 0, true);
        tickKey(list, 1, true);
        const QList<int> unmoved = poolShown(list);
        list->ListView1()->clearSelection();
        if (entry >= 0)
            list->ListView1()->setCurrentRow(entry);
        const QStringList before = gridLines(list->MSFlexGrid1()->source(), 100);
        list->Command2(button)->click();

        const QStringList after = gridLines(list->MSFlexGrid1()->source(), 100);
        QCOMPARE(poolShown(list), order.isEmpty() ? unmoved : order);
        QCOMPARE(after.mid(1), before.mid(1));
        if (order.isEmpty()) {
            QCOMPARE(after, before);
            return;
        }
        QCOMPARE(list->ListView1()->currentRow(), entry + (button == 0 ? -1 : 1));
        // Only the header is renamed: the rows stand for positions.
        QString header;
        for (const int n : order)
            header += u'\t' + QString::number(std::abs(n));
        QCOMPARE(after.first(), header);
    }

    void ticketRowsAndMarks()
    {
        Opened o = openList(testsupport::loto6File());
        FormCombList *list = o.list;
        choose(list, {10, 20, 30, 40, 11, 21, 31});
        list->Check2()->click();
        QVERIFY(list->MSFlexGrid2()->isVisible() && !list->MSFlexGrid1()->isVisible());
        QCOMPARE(list->StatusBar1()->panelText(2), u"7個選択 - 1通り"_s);

        // ↑ removes the one ticket row, then finds only the header and does nothing.
        list->Command4(0)->click();
        list->Command4(0)->click();
        const GridSource &tickets = list->MSFlexGrid2()->source();
        QCOMPARE(tickets.rows(), 1);
        list->Command5()->click();
        QCOMPARE(list->ListView2()->topLevelItemCount(), 0);
        list->Command4(1)->click();
        list->Command4(1)->click();
        QCOMPARE(tickets.rows(), 3);
        QCOMPARE(tickets.text(2, 0), u"2"_s);

        // Clicks mark the first six numbers of row 1: its header is red until it holds six.
        VirtualGridView *grid = list->MSFlexGrid2();
        for (int c = 1; c <= 6; ++c) {
            QVERIFY(tickets.backColor(1, 0) != kNoGridColor);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, c).center());
        }
        QCOMPARE(tickets.backColor(1, 0), kNoGridColor);
        QVERIFY(tickets.text(1, 3) == u"1" && tickets.backColor(1, 3) != kNoGridColor);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 3).center());
        QVERIFY(tickets.text(1, 3).isEmpty() && tickets.backColor(1, 0) != kNoGridColor);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 3).center());

        // Hovering names the column's number and the row.
        hover(grid, 2, 4);
        QCOMPARE(list->StatusBar1()->panelText(1), u"No 40 - 2"_s);
        QCOMPARE(grid->toolTip(), u"No 40 - 2"_s);

        // An empty second row stops the calculation; without it, seven draws are counted.
        list->Command5()->click();
        QCOMPARE(list->ListView2()->topLevelItemCount(), 0);
        list->Command4(0)->click();
        calculate(list);
        const QStringList shown = testsupport::listLines(list->ListView2(), true);
        QCOMPARE(shown.mid(1), (QStringList{u"1\t1\t6\t0\t0\t0\t 14.286%\t 85.714%\t  0.000%\t  0.000%\t  0.000%"_s,
                                           u"合計\t1\t6\t0\t0\t0\t 14.286%\t 85.714%\t  0.000%\t  0.000%\t  0.000%"_s}));
    }

    void patternCursorCycles()
    {
        writePattern(pattern(u"1-639.txt"_s), {{1, 2, 3, 4, 5, 6}}, 9);
        writePattern(pattern(u"2-639.txt"_s), {{4, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 5, 6}}, 9);
        writePattern(pattern(u"1-649.txt"_s), {{1, 2, 3, 7, 8, 9}}, 9);
        writePattern(pattern(u"1-639K1.txt"_s), {{1, 3, 5, 7, 8, 9}}, 9);
        Opened o = openList(testsupport::loto6File());
        FormCombList *list = o.list;
        choose(list, {1, 2, 3, 4, 5, 6, 7, 8, 9});
        QCOMPARE(list->StatusBar1()->panelText(3), u"パターンファイル 3等 2個  4等 1個  "_s);
        QVERIFY(list->Command3(0)->isEnabled() && list->Command3(1)->isEnabled() && !list->Command3(2)->isEnabled());

        auto firstTicket = [list] {
            QList<int> positions;
            for (int p = 1; p <= 9; ++p) {
                if (list->tickets().isMarked(0, p))
                    positions.append(p);
            }
            return positions;
        };
        const QList<int> file1{1, 2, 3, 4, 5, 6};
        const QList<int> file2{4, 5, 6, 7, 8, 9};
        const QList<std::pair<int, QList<int>>> clicks{
            {0, file1}, {0, file2}, {0, file1},  // through the tier's files and round again
            {1, {1, 2, 3, 7, 8, 9}}, {0, file1}, // another tier starts the cycle over
        };
        for (const auto &[button, ticket] : clicks) {
            list->Command3(button)->click();
            QCOMPARE(firstTicket(), ticket);
        }
        list->Command3(0)->click();
        QCOMPARE(firstTicket(), file2);

        // A key: only the keyed file matches; without it again, the cycle starts over.
        tickKey(list, 0, true);
        QCOMPARE(list->StatusBar1()->panelText(3), u"パターンファイル 3等 1個  "_s);
        QVERIFY(!list->Command3(1)->isEnabled());
        list->Command3(0)->click();
        QCOMPARE(firstTicket(), (QList<int>{1, 3, 5, 7, 8, 9}));
        tickKey(list, 0, false);
        list->Command3(0)->click();
        QCOMPARE(firstTicket(), file1);

        // The files deleted after the buttons were set: a warning, the tickets stay.
        QVERIFY(QFile::remove(pattern(u"1-649.txt"_s)));
        testsupport::MessageRecorder messages;
        list->Command3(1)->click();
        QCOMPARE(messages.texts(), QStringList{u"*649.txtを開けません。"_s});
        QCOMPARE(firstTicket(), file1);
        QVERIFY(!list->Command3(1)->isEnabled());
    }

    void wholeGameScrollsToItsLastRow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("maxNo");
        QTest::addColumn<int>("rows");
        QTest::newRow("LOTO6") << testsupport::loto6File() << 43 << 6096454;
        QTest::newRow("miniLOTO") << testsupport::miniLotoFile() << 31 << 169911;
    }

    // Every number of the game, from the boxes (20 to a line) to the last combination.
    void wholeGameScrollsToItsLastRow()
    {
        QFETCH(QString, file);
        QFETCH(int, maxNo);
        QFETCH(int, rows);
        Opened o = openList(file);
        FormCombList *list = o.list;
        QCOMPARE(list->findChildren<QCheckBox *>(u"Check1"_s).size(), maxNo);
        QCOMPARE(list->Command3(2)->isVisible(), maxNo == 43);
        QVERIFY(list->Check1(19)->y() == list->Check1(0)->y() && list->Check1(20)->y() > list->Check1(19)->y());
        list->Command1(BoxesAll)->click();
        QCOMPARE(list->StatusBar1()->panelText(2), u"%1個選択 - %2通り"_s.arg(maxNo).arg(rows));

        VirtualGridView *grid = list->MSFlexGrid1();
        QCOMPARE(grid->source().rows(), rows + 1);
        QVERIFY(grid->rowHeight() >= grid->cellSizes().minimumRowHeight);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End);
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        const int last = grid->firstVisibleRow() + grid->visibleRowCount() - 1;
        QCOMPARE(last, rows);
        QVERIFY(grid->cellRect(last, maxNo).bottom() < grid->viewport()->height());
        // The last combination holds the last six (five) numbers; the one before swaps one.
        QList<int> tail(list->picks());
        std::iota(tail.begin(), tail.end(), maxNo - list->picks() + 1);
        QCOMPARE(rowNumbers(grid->source(), last), tail);
        QList<int> before = tail;
        before[0] -= 1;
        QCOMPARE(rowNumbers(grid->source(), last - 1), before);

        hover(grid, last, maxNo);
        QCOMPARE(list->StatusBar1()->panelText(1), u"No %1 - %2"_s.arg(maxNo).arg(rows));
        QVERIFY(!grid->grab().isNull());
    }

    void cancelOrChangeEndsTheRun()
    {
        writePattern(pattern(u"1-6343.txt"_s), {{1, 2, 3, 4, 5, 6}}, 43);
        // Enough random tickets to keep both cores busy for many seconds.
        std::mt19937 random(43);
        QList<QList<int>> many(20000);
        for (QList<int> &ticket : many) {
            while (ticket.size() < 6) {
                if (const int p = int(random() % 43) + 1; !ticket.contains(p))
                    ticket.append(p);
            }
        }
        writePattern(pattern(u"2-6343.txt"_s), many, 43);

        Opened o = openList(testsupport::loto6File());
        FormCombList *list = o.list;
        list->Command1(BoxesAll)->click();
        list->Command3(0)->click();
        list->Command3(0)->click();  // drops the check of the first file, made aside for the whole game
        QCOMPARE(list->tickets().rowCount(), 20000);
        QSignalSpy done(list, &FormCombList::guaranteeFinished);
        list->Command5()->click();
        QTRY_VERIFY_WITH_TIMEOUT(list->progressDialog() && list->progressDialog()->isVisible(), 5000);
        QVERIFY(list->isCalculating());
        list->progressDialog()->findChild<QPushButton *>()->click();
        QVERIFY(done.wait(5000));
        QCOMPARE(done.first().first().toBool(), false);
        QCOMPARE(list->ListView2()->topLevelItemCount(), 0);
        QVERIFY(!list->progressDialog());
        QTRY_VERIFY(list->StatusBar1()->panelText(4).startsWith(u"2-6343.txt を読み込みましたが、名前の３等を保証しません"_s));

        list->Command5()->click();
        list->Check1(0)->click();  // the pool changed under the run: it ends at once
        QVERIFY(done.size() == 2 && !list->isCalculating());
    }

    void keyTickedHighInTheScrolledListStaysUnderThePointer()
    {
        Opened o = openList(testsupport::loto6File());
        QListWidget *pool = o.list->ListView1();
        o.list->Command1(BoxesAll)->click();
        tickKey(o.list, 0, true);
        pool->verticalScrollBar()->setValue(pool->verticalScrollBar()->maximum());
        const QPoint at(8, pool->visualItemRect(pool->item(0)).height());
        const QString number = pool->itemAt(at)->text();
        tickKey(o.list, pool->row(pool->itemAt(at)), true);
        QCOMPARE(pool->itemAt(at)->text(), number);
        QCOMPARE(o.list->StatusBar1()->panelText(4), u"キー %1 を先頭へ移しました"_s.arg(number));
    }

    void freshFolderGetsTheShippedWheels()
    {
        // A first run: the folder does not exist yet, and the combination list is the first to
        // look for pattern files. It is made with the shipped wheels, which then count.
        const QString fresh = pattern(u"fresh"_s);
        qputenv("ZEMVARA_PATTERN_DIR", QFile::encodeName(fresh));
        Opened o = openList(testsupport::loto6File());
        choose(o.list, {1, 2, 3, 4, 5, 6, 7, 8, 9});
        qputenv("ZEMVARA_PATTERN_DIR", QFile::encodeName(m_patterns.path()));
        QVERIFY(QFileInfo::exists(QDir(fresh).filePath(u"1-639.txt"_s)));
        QVERIFY(o.list->Command3(0)->isEnabled());
        QVERIFY(o.list->StatusBar1()->panelText(3).startsWith(u"パターンファイル 3等 1個"_s));
        QDir(fresh).removeRecursively();
    }

    void patternFilesAsksTheManager()
    {
        // The program's own manager is shown (tst_formpattern checks what it shows).
        Opened plain = openList(testsupport::loto6File());
        plain.list->Command6()->click();
        QWidget *real = testsupport::program().existingProgramWindow(CombinationTools::PatternManager);
        QVERIFY(real && real->isVisible());
        real->close();

        Program program(allFeatures());
        FakeManager *manager = nullptr;
        program.features().addProgramWindow(CombinationTools::PatternManager, [&manager](Program &) -> QWidget * {
            manager = new FakeManager;
            return manager;
        });
        Opened o = openList(testsupport::miniLotoFile(), program);
        o.list->Command6()->click();
        QVERIFY(manager && manager->isVisible());
        QCOMPARE(manager->modes, QList<int>{5});
    }
};

QTEST_MAIN(TestFormCombList)
#include "tst_formcomblist.moc"
