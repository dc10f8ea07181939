#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "purchases/drawcalendar.h"
#include "purchases/purchaselist.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
DrawTable tableOf(const QString &text)
{
    DrawTable table;
    DrawFile::parse(DrawFile::encode(text), table);
    return table;
}

DrawTable realTable(int runMode, int firstDraws = -1)
{
    DrawTable table;
    DrawFile::read(runMode == 6 ? testsupport::loto6File() : testsupport::miniLotoFile(), table);
    if (firstDraws >= 0) {
        DrawTable part;
        part.reset(runMode);
        for (int r = 0; r < firstDraws; ++r)
            part.appendRowFrom(table, r);
        return part;
    }
    return table;
}

QString historyText(int runMode, const QStringList &lines)
{
    QString text = (runMode == 6 ? u"LOTO6 購入履歴\r\n"_s : u"miniLOTO 購入履歴\r\n"_s) + u"回 , …\r\n"_s;
    for (const QString &line : lines)
        text += line + u"\r\n"_s;
    return text;
}

QString storedCells(const PurchaseEntry &e)
{
    return QStringList{e.kai, e.numbers.join(u'|'), e.buy}.join(u'|');
}

PurchaseInput::Boxes boxes(const QStringList &numbers, const QString &tickets, const QString &drawNo = u"300"_s,
                           const QString &count = u"1"_s)
{
    return {numbers, tickets, drawNo, count};
}

// The draw n steps along the weekdays from a date, walked one day at a time.
QDate walk(QDate date, int steps, const QList<int> &weekdays)
{
    const int dir = steps < 0 ? -1 : 1;
    for (int left = std::abs(steps); left > 0;) {
        date = date.addDays(dir);
        if (weekdays.contains(date.dayOfWeek()))
            --left;
    }
    return date;
}
} // namespace

class TestPurchases : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readFile_data();
    void readFile();
    void hostileLines_data();
    void hostileLines();
    void saveAndFailedFiles();
    void checkInput_data();
    void checkInput();
    void addChangeAndBoxes();
    void filterClickAndDeleteBehindIt();
    void outcome_data();
    void outcome();
    void historyAgainstIndependentCount_data();
    void historyAgainstIndependentCount();
    void calendar_data();
    void calendar();
    void calendarAgainstDayWalk();
    void calendarOnRealTables_data();
    void calendarOnRealTables();
};

void TestPurchases::readFile_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("cells");  // "!": refused

    const QString loto6 = u"  286| 1| 5|12|20|33|41|  1"_s;
    QTest::newRow("padded") << 6 << historyText(6, {u"  286, 1, 5,12,20,33,41,  1"_s}) << QStringList{loto6};
    QTest::newRow("bare, comment") << 6 << historyText(6, {u"286,1,5,12,20,33,41,1,at the kiosk"_s})
                                   << QStringList{loto6};
    QTest::newRow("wide, short, blank line") << 6 << historyText(6, {u"1234567,101,5"_s, QString(), u"7,1,2,3,4,5,6,1234"_s})
                                             << QStringList{u"1234567|101| 5|  |  |  |  |   "_s,
                                                            u"    7| 1| 2| 3| 4| 5| 6|1234"_s};
    QTest::newRow("headings only") << 6 << historyText(6, {}) << QStringList{};
    QTest::newRow("title in lower case") << 6 << u"loto6 購入履歴 (copy)\r\nx\r\n1,1,2,3,4,5,6,1\r\n"_s
                                         << QStringList{u"    1| 1| 2| 3| 4| 5| 6|  1"_s};
    QTest::newRow("no heading: line 2 kept") << 6 << u"LOTO6 購入履歴\n 286,1,5,12,20,33,41,1\n"_s << QStringList{loto6};
    QTest::newRow("miniLOTO file, LOTO6 game") << 6 << historyText(5, {u"349,1,2,3,4,31,2"_s})
                                               << QStringList{u"!"_s, u"このファイルは miniLOTO の購入履歴です。いま読み込まれているのは LOTO6 の抽選結果です。"_s};
    QTest::newRow("LOTO6 file, miniLOTO game") << 5 << historyText(6, {}) << QStringList{u"!"_s};
    QTest::newRow("empty file") << 6 << QString() << QStringList{u"!"_s};
}

void TestPurchases::readFile()
{
    QFETCH(int, runMode);
    QFETCH(QString, text);
    QFETCH(QStringList, cells);

    const PurchaseFile::ReadResult read = PurchaseFile::parse(DrawFile::encode(text), runMode);
    if (cells.value(0) == u"!"_s) {
        QCOMPARE(read.status, PurchaseFile::Status::NotHistory);
        QVERIFY(cells.size() == 1 || read.detail == cells[1]);
        QCOMPARE(read.message, u"データファイルが異常です"_s);
        return;
    }
    QVERIFY(read.ok());
    QStringList got;
    for (const PurchaseEntry &e : read.entries)
        got.append(storedCells(e));
    QCOMPARE(got, cells);
}

void TestPurchases::hostileLines_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("reason");  // empty: a valid purchase
    QTest::addColumn<QString>("cells");   // 回, the numbers and 口数 as the list shows them
    QTest::addColumn<int>("tickets");     // of the file: 1 and 2 on the lines around it, and its own

    auto row = [](const char *name, int runMode, const QString &line, const QString &reason, const QString &cells,
                  int tickets) { QTest::newRow(name) << runMode << line << reason << cells << tickets; };
    const QString digits = u"抽選回「%1」が不正です（1～99999）"_s;
    const QString number = u"%1 番目の数字「%2」が不正です（1～%3）"_s;
    const QString buy = u"購入口数「%1」が不正です（1～999）"_s;
    row("114", 6, u"2141,114,15,22,32,37,41,1"_s, number.arg(1).arg(114).arg(43), u" 2141|114|15|22|32|37|41|  1"_s, 3);
    row("1001 tickets", 6, u"2141,14,15,22,32,37,41,1001"_s, buy.arg(1001), u" 2141|14|15|22|32|37|41|1001"_s, 3);
    row("draw 102141", 6, u"102141,14,15,22,32,37,41,1"_s, digits.arg(102141), u"102141|14|15|22|32|37|41|  1"_s, 3);
    row("99", 6, u"2141,14,99,22,32,37,41,1"_s, number.arg(2).arg(99).arg(43), u" 2141|14|99|22|32|37|41|  1"_s, 3);
    row("02 twice", 6, u"2141,2,15,02,32,37,41,1"_s, u"数字 2 が重複しています"_s, u" 2141| 2|15|02|32|37|41|  1"_s, 3);
    row("xx", 6, u"2141,14,xx,22,32,37,41,1"_s, number.arg(2).arg(u"xx"_s).arg(43), u" 2141|14|xx|22|32|37|41|  1"_s, 3);
    row("commas", 6, u",,,,,,,"_s, digits.arg(QString()), u"     |  |  |  |  |  |  |   "_s, 3);
    row("text", 6, u"here"_s, digits.arg(u"here"_s), u" here|  |  |  |  |  |  |   "_s, 3);
    row("comment mark", 6, u"# comment"_s, digits.arg(u"# comment"_s), u"# comment|  |  |  |  |  |  |   "_s, 3);
    row("-5 tickets", 6, u"2141,14,15,22,32,37,41,-5"_s, buy.arg(-5), u" 2141|14|15|22|32|37|41| -5"_s, 3);
    row("draw 0", 6, u"00,1,2,3,4,5,6,1"_s, digits.arg(u"00"_s), u"   00| 1| 2| 3| 4| 5| 6|  1"_s, 3);
    row("blanks around", 6, u"2141  ,14 ,15 , 22,32,37,41,1 "_s, QString(), u" 2141|14|15|22|32|37|41|  1"_s, 4);
    row("zeros, comment", 6, u" 0290, 02,15,22,32,37,41,003,kiosk,2"_s, QString(), u"  290| 2|15|22|32|37|41|  3"_s, 6);
    row("mini, LOTO6 line", 5, u"2141,14,15,22,32,37,41,1"_s, number.arg(4).arg(32).arg(31), u" 2141|14|15|22|32|37| 41"_s, 3);
    row("mini short", 5, u"1403,1,2"_s, u"項目が足りません（3 個、必要なのは 7 個）"_s, u" 1403| 1| 2|  |  |  |   "_s, 3);
    row("mini, comments", 5, u"1403,1,2,3,4,31,2,memo,more"_s, QString(), u" 1403| 1| 2| 3| 4|31|  2"_s, 5);
}

void TestPurchases::hostileLines()
{
    QFETCH(int, runMode);
    QFETCH(QString, line);
    QFETCH(QString, reason);
    QFETCH(QString, cells);
    QFETCH(int, tickets);

    const QStringList around = runMode == 6 ? QStringList{u"300,1,2,3,4,5,6,1"_s, u"301,7,8,9,10,11,12,2"_s}
                                            : QStringList{u"300,1,2,3,4,5,1"_s, u"301,6,7,8,9,10,2"_s};
    const DrawTable table = realTable(runMode);
    QTemporaryDir dir;
    // CR LF, LF and CR alone, and all three in one file (a stray CR before the line).
    for (const QStringList &ends : QList<QStringList>{{u"\r\n"_s}, {u"\n"_s}, {u"\r"_s}, {u"\r\n"_s, u"\r"_s, u"\n"_s}}) {
        const QStringList lines{GameRules::of(runMode).name() + u" 購入履歴"_s, u"回 , …"_s, around[0], line, around[1]};
        QString text;
        for (qsizetype i = 0; i < lines.size(); ++i)
            text += lines[i] + ends[i % ends.size()];
        PurchaseList list(table);
        const PurchaseFile::Result loaded = list.load(testsupport::writeTextFile(dir, u"h.csv"_s, text));
        const PurchaseRows &rows = list.purchases();
        QCOMPARE(rows.count(), 3);
        int r = 0;
        while (rows.at(r).kai.trimmed() == u"300"_s || rows.at(r).kai.trimmed() == u"301"_s)
            ++r;
        const QStringList shown = rows.cells(r);
        QCOMPARE((QStringList{shown[PurchaseColumn::Kai]} + shown.mid(PurchaseColumn::FirstNumber, runMode + 1)).join(u'|'), cells);
        QCOMPARE(rows.at(r).invalidReason, reason);
        QCOMPARE(loaded.detail, reason.isEmpty() ? QString() : u"4 行目："_s + reason);
        QVERIFY(reason.isEmpty() || shown[PurchaseColumn::Date].isEmpty());
        QVERIFY2(list.totalsText().startsWith(u"購入口数 %1口  購入金額 %2円  "_s.arg(tickets).arg(tickets * 200)),
                 qPrintable(list.totalsText()));
        // One width down the draw column, so that its text order is its number order.
        for (int k = 0; k < 3; ++k)
            QCOMPARE(rows.cellText(k, PurchaseColumn::Kai).size(), shown[PurchaseColumn::Kai].size());
    }
}

void TestPurchases::saveAndFailedFiles()
{
    QTemporaryDir dir;
    const DrawTable table = realTable(6);
    const QString path = testsupport::writeTextFile(
        dir, u"a購入履歴.csv"_s,
        historyText(6, {u"302,7,8,9,10,11,12,5"_s, u"286,1,5,12,20,33,41,1"_s, u"301,1,2,3,4,5,6,30,note"_s}));
    const QString mini = testsupport::writeTextFile(dir, u"mini.csv"_s, historyText(5, {u"300,1,2,3,4,5,1"_s}));
    PurchaseList list(table);
    QVERIFY(list.load(path).ok());
    QCOMPARE(list.caption(), u"購入履歴 a購入履歴.csv"_s);
    // Loaded in ascending draw order; the first header click on 口数 turns it round.
    list.sortByColumn(PurchaseColumn::buy(6));
    const QString out = dir.filePath(u"b購入履歴.csv"_s);
    QVERIFY(list.save(out).ok());

    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString expected = u"LOTO6 購入履歴\r\n回 , 購入数字, 購入数字, 購入数字, 購入数字, 購入数字, 購入数字, 購入口数, コメント\r\n"_s;
    for (const QList<int> &r : QList<QList<int>>{{301, 1, 2, 3, 4, 5, 6, 30}, {302, 7, 8, 9, 10, 11, 12, 5}, {286, 1, 5, 12, 20, 33, 41, 1}}) {
        QStringList fields{u"%1"_s.arg(r[0], 5)};
        for (int i = 1; i <= 6; ++i)
            fields.append(u"%1"_s.arg(r[i], 2));
        expected += fields.join(u',') + u",%1%2\r\n"_s.arg(r[7], 3).arg(r[0] == 301 ? u",note"_s : QString());
    }
    QCOMPARE(DrawFile::decode(file.readAll()), expected);

    // Refused, unreadable and unwritable files leave the list, the current file (so the next
    // overwrite-save) and the caption as they were.
    QVERIFY(list.add(boxes({u"7"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s, u"12"_s}, u"1"_s)).isEmpty());
    QCOMPARE(list.load(mini).message, u"データファイルが異常です"_s);
    QCOMPARE(list.load(dir.path()).status, PurchaseFile::Status::Unreadable);
    const PurchaseFile::Result unwritable = list.save(dir.filePath(u"no/such/dir.csv"_s));
    QCOMPARE(unwritable.status, PurchaseFile::Status::Unwritable);
    QVERIFY(!unwritable.message.isEmpty());
    QCOMPARE(list.purchases().count(), 4);
    QCOMPARE(list.caption(), u"購入履歴 b購入履歴.csv"_s);
    QVERIFY(list.isModified());
    QCOMPARE(PurchaseFile::read(mini, 5).entries.size(), size_t(1));

    // An empty list saves as the two heading lines.
    QVERIFY(PurchaseList(table).save(out).ok());
    QCOMPARE(PurchaseFile::read(out, 6).entries.size(), size_t(0));
}

void TestPurchases::checkInput_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("tickets");
    QTest::addColumn<QString>("drawNo");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");

    const QStringList six{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"43"_s};
    auto with = [&](int i, const QString &value) {
        QStringList n = six;
        n[i] = value;
        return n;
    };
    const QString empty = u"数字が未入力のところがあります。"_s;
    const QString number = u"入力数字が不正です。"_s;
    const QString twice = u"重複している数字があります。"_s;
    const QString tickets = u"購入口数が不正です。"_s;
    const QString draw = u"抽選回が不正です。"_s;
    const QString count = u"継続回数が不正です。"_s;
    const QString huge = u"99999999999999999999999"_s;
    QTest::newRow("fine") << 6 << six << u"999"_s << u"99999"_s << u"1"_s << QString();
    QTest::newRow("empty number before all") << 6 << with(2, u" "_s) << u"0"_s << u"0"_s << u"1"_s << empty;
    QTest::newRow("empty count before number") << 6 << with(0, u"44"_s) << u"1"_s << u"1"_s << QString() << empty;
    QTest::newRow("44") << 6 << with(5, u"44"_s) << u"1"_s << u"1"_s << u"1"_s << number;
    QTest::newRow("pasted text") << 6 << with(1, u"2a"_s) << u"1"_s << u"1"_s << u"1"_s << number;
    QTest::newRow("beyond any integer") << 6 << with(1, huge) << u"1"_s << u"1"_s << u"1"_s << number;
    QTest::newRow("07 and 7") << 6 << QStringList{u"07"_s, u"7"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s} << u"1"_s << u"1"_s
                              << u"1"_s << twice;
    QTest::newRow("duplicate before tickets") << 6 << with(1, u"01"_s) << u"0"_s << u"1"_s << u"1"_s << twice;
    QTest::newRow("tickets empty") << 6 << six << QString() << u"1"_s << u"1"_s << tickets;
    QTest::newRow("tickets 1000") << 6 << six << u"1000"_s << u"1"_s << u"1"_s << tickets;
    QTest::newRow("tickets huge before draw") << 6 << six << huge << u"0"_s << u"1"_s << tickets;
    QTest::newRow("draw 0") << 6 << six << u"1"_s << u"0"_s << u"1"_s << draw;
    QTest::newRow("draw 100000") << 6 << six << u"1"_s << u"100000"_s << u"1"_s << draw;
    QTest::newRow("draw huge") << 6 << six << u"1"_s << huge << u"1"_s << draw;
    QTest::newRow("count 0") << 6 << six << u"1"_s << u"1"_s << u"0"_s << count;
    QTest::newRow("last draw past 99999") << 6 << six << u"1"_s << u"99999"_s << u"2"_s << count;
    QTest::newRow("mini 31") << 5 << six.mid(0, 4) + QStringList{u"31"_s} << u"1"_s << u"1"_s << u"3"_s << QString();
    QTest::newRow("mini 32") << 5 << six.mid(0, 4) + QStringList{u"32"_s} << u"1"_s << u"1"_s << u"3"_s << number;
}

void TestPurchases::checkInput()
{
    QFETCH(int, runMode);
    QFETCH(QStringList, numbers);
    QFETCH(QString, tickets);
    QFETCH(QString, drawNo);
    QFETCH(QString, count);
    QFETCH(QString, message);

    // A refused input adds nothing.
    const DrawTable table = realTable(runMode);
    PurchaseList list(table);
    QCOMPARE(list.add(boxes(numbers, tickets, drawNo, count)), message);
    QCOMPARE(list.purchases().count(), message.isEmpty() ? int(parseNumber(count).value_or(0)) : 0);
}

void TestPurchases::addChangeAndBoxes()
{
    const DrawTable table = realTable(6);
    const QList<drawlines::Draw> draws = drawlines::read(testsupport::loto6File());
    PurchaseList list(table);
    QCOMPARE(list.nextDrawNumber(), 1);
    QVERIFY(list.add(boxes({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}, u"2"_s, u"300"_s, u"3"_s)).isEmpty());
    // Beyond the table's last draw (2141, a Monday): Thursday, then Monday.
    QVERIFY(list.add(boxes({u"07"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s, u"12"_s}, u"1"_s, u"2142"_s, u"2"_s)).isEmpty());
    QVERIFY(list.isModified());

    QStringList kais, dates;
    for (const PurchaseEntry &e : list.purchases().entries()) {
        kais.append(e.kai);
        dates.append(e.outcome.date);
    }
    QCOMPARE(kais, (QStringList{u"  300"_s, u"  301"_s, u"  302"_s, u" 2142"_s, u" 2143"_s}));
    QCOMPARE(dates, (QStringList{draws[299].fields[1], draws[300].fields[1], draws[301].fields[1], u"2026/10/01"_s,
                                 u"2026/10/05"_s}));
    for (int r = 0; r < 3; ++r)
        QCOMPARE(storedCells(list.purchases().at(r)).mid(6), u" 1| 2| 3| 4| 5| 6|  2"_s);
    QCOMPARE(list.numberSets(), (QStringList{u"全表示"_s, u" 1  2  3  4  5  6"_s, u" 7  8  9 10 11 12"_s}));
    QCOMPARE(list.nextDrawNumber(), 2144);

    // Change takes exactly one selected entry and leaves its draw alone.
    list.setVisibleSelected(0, true);
    list.setVisibleSelected(1, true);
    QStringList before;
    for (const PurchaseEntry &e : list.purchases().entries())
        before.append(storedCells(e));
    const QStringList changed{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"43"_s};
    QCOMPARE(list.change(boxes(changed, u"4"_s, u"999"_s)), u"変更する行を１行選択して下さい。"_s);
    QCOMPARE(storedCells(list.purchases().at(0)), before[0]);
    list.setVisibleSelected(0, false);
    QVERIFY(list.change(boxes(changed, u"4"_s, u"999"_s)).isEmpty());
    const PurchaseEntry &e = list.purchases().at(1);
    QCOMPARE(storedCells(e), u"  301| 1| 2| 3| 4| 5|43|  4"_s);

    // A clicked entry fills the panel; the panel's date follows its draw-number box.
    const PurchaseInput::Panel panel = list.entryClicked(1);
    QCOMPARE(panel.drawNo, u"301"_s);
    QCOMPARE(panel.count, u"1"_s);
    QCOMPARE(panel.numbers, changed);
    QCOMPARE(panel.tickets, u"4"_s);
    QCOMPARE(list.panelDate(u"290"_s), draws[289].fields[1]);
    QCOMPARE(list.panelDate(QString()), QString());
    // Typing 0 into a draw-number box makes it 1 at once; an emptied box waits for typing.
    QCOMPARE(PurchaseInput::correctedCountBox(u"0"), std::optional<QString>(u"1"_s));
    QCOMPARE(PurchaseInput::correctedCountBox(u""), std::nullopt);
    QCOMPARE(PurchaseInput::correctedCountBox(u"10"), std::nullopt);
}

void TestPurchases::filterClickAndDeleteBehindIt()
{
    QTemporaryDir dir;
    const DrawTable table = realTable(6);
    const QString a = u"14,15,22,32,40,42"_s;  // four of draw 2141
    const QString b = u"14,15,22,32,37,1"_s;   // five and the bonus of draw 2141
    const QString path = testsupport::writeTextFile(
        dir, u"h.csv"_s,
        historyText(6, {u"2141,"_s + a + u",3"_s, u"2140,"_s + b + u",2"_s, u"2139,"_s + a + u",1"_s,
                        u"2141,"_s + b + u",4"_s, u"2141,"_s + a + u",3"_s}));
    PurchaseList list(table);
    QVERIFY(list.load(path).ok());
    QCOMPARE(list.selectionText(), u"選択数：5/5"_s);

    list.setNumberSetSelected(0, false);
    list.setNumberSetSelected(1, true);
    list.applyFilter();
    QVERIFY(list.filterShown());
    QCOMPARE(list.visible().count(), 3);
    QCOMPARE(list.selectionText(), u"選択数：0/3"_s);
    QCOMPARE(list.totalsText(), u"購入口数 0口  購入金額 0円  当選なし  差し引き 0円  "_s);

    // A click marks the purchase entry behind the clicked row; two equal rows mark two entries.
    list.selectAllVisible(false);
    list.setVisibleSelected(0, true);
    list.entryClicked(0);
    QCOMPARE(list.purchases().selectedRows(), std::vector<int>{0});
    list.setVisibleSelected(0, false);
    list.setVisibleSelected(1, true);
    list.setVisibleSelected(2, true);
    list.entryClicked(2);
    QCOMPARE(list.purchases().selectedCount(), 2);

    QCOMPARE(list.removeSelected(), 2);
    QVERIFY(!list.filterShown());
    QCOMPARE(list.numberSets().size(), 3);
    QVERIFY(list.isNumberSetSelected(0) && !list.isNumberSetSelected(1));
    QStringList left;
    for (const PurchaseEntry &e : list.purchases().entries())
        left.append(e.kai.trimmed() + u':' + e.buy.trimmed());
    QCOMPARE(left, (QStringList{u"2139:1"_s, u"2140:2"_s, u"2141:4"_s}));
}

void TestPurchases::outcome_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<QString>("drawLine");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("tickets");
    QTest::addColumn<QStringList>("hitTouMoney");
    QTest::addColumn<QString>("marks");  // per number: r red, b blue, - neither

    const QString l6 = u"100,2020/01/02,1,2,3,4,5,6,7,1,2,3,4,5,200000000,10000000,300000,6800,1000,0"_s;
    const QString mini = u"100,2020/01/07,1,2,3,4,5,6,1,2,3,4,9000000,150000,12000,1000"_s;
    QTest::newRow("5 + bonus") << 6 << l6 << QList<int>{1, 2, 3, 4, 5, 7} << 1
                               << QStringList{u"6"_s, u"２等"_s, u" 10000000"_s} << u"rrrrrb"_s;
    QTest::newRow("3 + bonus") << 6 << l6 << QList<int>{7, 40, 1, 2, 3, 41} << 1
                               << QStringList{u"4"_s, u"５等"_s, u"     1000"_s} << u"b-rrr-"_s;
    QTest::newRow("two hits") << 6 << l6 << QList<int>{1, 2, 40, 41, 42, 43} << 5
                              << QStringList{u"2"_s, QString(), QString()} << u"rr----"_s;
    QTest::newRow("three tickets") << 6 << l6 << QList<int>{4, 5, 6, 30, 31, 32} << 3
                                   << QStringList{u"3"_s, u"５等"_s, u"     3000"_s} << u"rrr---"_s;
    QTest::newRow("first tier, never cut") << 6 << l6 << QList<int>{6, 5, 4, 3, 2, 1} << 10
                                           << QStringList{u"6"_s, u"１等"_s, u"2000000000"_s} << u"rrrrrr"_s;
    QTest::newRow("mini 4 + bonus") << 5 << mini << QList<int>{1, 2, 3, 4, 6} << 2
                                    << QStringList{u"5"_s, u"２等"_s, u"  300000"_s} << u"rrrrb"_s;
}

void TestPurchases::outcome()
{
    QFETCH(int, runMode);
    QFETCH(QString, drawLine);
    QFETCH(QList<int>, numbers);
    QFETCH(int, tickets);
    QFETCH(QStringList, hitTouMoney);
    QFETCH(QString, marks);

    const DrawTable table =
        tableOf(runMode == 6 ? testsupport::loto6Text({drawLine}) : testsupport::miniLotoText({drawLine}));
    PurchaseEntry entry = makePurchaseEntry(100, numbers, tickets);
    PurchaseCheck::check(entry, table, DrawCalendar(runMode, &table));
    QCOMPARE(entry.cellText(PurchaseColumn::Date), drawLine.section(u',', 1, 1));
    QCOMPARE((QStringList{entry.cellText(PurchaseColumn::hit(runMode)), entry.cellText(PurchaseColumn::tou(runMode)),
                          entry.cellText(PurchaseColumn::money(runMode))}),
             hitTouMoney);
    QString got;
    for (int i = 0; i < runMode; ++i)
        got.append(entry.isBonusHit(i) ? u'b' : entry.isMainHit(i) ? u'r' : u'-');
    QCOMPARE(got, marks);
}

void TestPurchases::historyAgainstIndependentCount_data()
{
    QTest::addColumn<int>("runMode");
    QTest::newRow("loto6") << 6;
    QTest::newRow("miniloto") << 5;
}

void TestPurchases::historyAgainstIndependentCount()
{
    QFETCH(int, runMode);
    const int maxNo = runMode == 6 ? 43 : 31;
    const QList<drawlines::Draw> draws =
        drawlines::read(runMode == 6 ? testsupport::loto6File() : testsupport::miniLotoFile());
    QHash<int, drawlines::Draw> byKai;
    for (const drawlines::Draw &d : draws)
        byKai.insert(d.kai(), d);

    // Random purchases, many of them built round a real draw so that every tier comes up.
    QRandomGenerator random(runMode);
    QStringList lines;
    QList<QList<int>> sets;
    for (int i = 0; i < 600; ++i) {
        const int kai = random.bounded(1, int(draws.size()) + 4);
        QList<int> set;
        if (i < 300 && byKai.contains(kai)) {
            set = byKai[kai].mains(runMode).mid(0, random.bounded(2, runMode + 1));
            if (random.bounded(2))
                set.append(byKai[kai].bonus(runMode));
        } else if (!sets.isEmpty() && i % 3 == 0) {
            set = sets[random.bounded(int(sets.size()))];
        }
        while (set.size() < runMode) {
            const int n = random.bounded(1, maxNo + 1);
            if (!set.contains(n))
                set.append(n);
        }
        sets.append(set);
        QStringList fields{QString::number(kai)};
        for (int n : set)
            fields.append(QString::number(n));
        fields.append(QString::number(random.bounded(1, 6)));
        lines.append(fields.join(u','));
    }
    QTemporaryDir dir;
    const QString path = testsupport::writeTextFile(dir, u"h.csv"_s, historyText(runMode, lines));
    const DrawTable table = realTable(runMode);
    PurchaseList list(table);
    QVERIFY(list.load(path).ok());
    QCOMPARE(list.purchases().count(), 600);

    QHash<QString, PurchaseCheck::Totals> perSet;
    PurchaseCheck::Totals all;
    QSet<int> tiersSeen;
    for (const PurchaseEntry &e : list.purchases().entries()) {
        const int kai = e.kai.toInt();
        QList<int> set;
        for (const QString &n : e.numbers)
            set.append(n.toInt());
        const int tickets = e.buy.toInt();
        PurchaseCheck::Totals &mine = perSet[e.numberSetText()];
        mine.tickets += tickets;
        all.tickets += tickets;
        if (!byKai.contains(kai)) {
            QVERIFY(!e.outcome.inTable && e.cellText(PurchaseColumn::hit(runMode)).isEmpty());
            QVERIFY(e.outcome.date > draws.last().fields[1]);
            continue;
        }
        const drawlines::Draw &d = byKai[kai];
        int hits = 0;
        for (int n : set)
            hits += d.mains(runMode).count(n) + (n == d.bonus(runMode) ? 1 : 0);
        const int tier = drawlines::expectedTier(runMode, set, d);
        tiersSeen.insert(tier);
        QCOMPARE(e.outcome.date, d.fields[1]);
        QCOMPARE(e.cellText(PurchaseColumn::hit(runMode)), QString::number(hits));
        QCOMPARE(e.outcome.tier, tier);
        const qint64 money = tier ? d.prize(runMode, tier).toLongLong() * tickets : 0;
        QCOMPARE(e.cellText(PurchaseColumn::money(runMode)).trimmed(), tier ? QString::number(money) : QString());
        if (tier) {
            for (PurchaseCheck::Totals *t : {&mine, &all}) {
                t->winningTickets += tickets;
                t->winnings += money;
            }
        }
    }
    QCOMPARE(tiersSeen.size(), (runMode == 6 ? 5 : 4) + 1);

    auto text = [](const PurchaseCheck::Totals &t) {
        const QString won = t.winningTickets ? u"%1口当選  賞金総額 %2円  "_s.arg(t.winningTickets).arg(t.winnings)
                                             : u"当選なし  "_s;
        return u"購入口数 %1口  購入金額 %2円  "_s.arg(t.tickets).arg(t.tickets * 200) + won
            + u"差し引き %1円  "_s.arg(t.winnings - t.tickets * 200);
    };
    QCOMPARE(list.selectionText(), u"選択数：600/600"_s);
    QCOMPARE(list.totalsText(), text(all));

    // The totals follow the filter: one set chosen, all of its entries selected.
    list.setNumberSetSelected(0, false);
    list.setNumberSetSelected(1, true);
    list.applyFilter();
    list.selectAllVisible(true);
    QCOMPARE(list.totalsText(), text(perSet.value(list.numberSets()[1])));
}

void TestPurchases::calendar_data()
{
    QTest::addColumn<int>("runMode");
    QTest::addColumn<int>("tableDraws");  // the first draws of the real table; -1 all
    QTest::addColumn<qint64>("drawNo");
    QTest::addColumn<QString>("date");

    QTest::newRow("L6 290, no table") << 6 << 0 << qint64(290) << u"2006/05/11"_s;
    // 256 Thursdays on: the real draw came three weeks later, after three New Year breaks.
    QTest::newRow("L6 542, last weekly") << 6 << 0 << qint64(542) << u"2011/03/10"_s;
    QTest::newRow("L6 in table") << 6 << -1 << qint64(2141) << u"2026/09/28"_s;
    QTest::newRow("L6 after the table, Thursday") << 6 << -1 << qint64(2142) << u"2026/10/01"_s;
    QTest::newRow("L6 four after the table") << 6 << -1 << qint64(2145) << u"2026/10/12"_s;
    QTest::newRow("mini 349, no table") << 5 << 0 << qint64(349) << u"2006/04/04"_s;
    QTest::newRow("mini after the table") << 5 << -1 << qint64(1403) << u"2026/09/08"_s;
    QTest::newRow("draw 0") << 6 << -1 << qint64(0) << QString();
    QTest::newRow("draw 100000") << 5 << -1 << qint64(100000) << QString();
}

void TestPurchases::calendar()
{
    QFETCH(int, runMode);
    QFETCH(int, tableDraws);
    QFETCH(qint64, drawNo);
    QFETCH(QString, date);

    const DrawTable table = realTable(runMode, tableDraws);
    QCOMPARE(DrawCalendar(runMode, &table).dateText(drawNo), date);
}

void TestPurchases::calendarAgainstDayWalk()
{
    const DrawCalendar loto6(6), mini(5);
    for (int n = 1; n <= 3000; ++n) {
        const QDate l6 = n <= 542 ? walk(QDate(2006, 4, 13), n - 286, {Qt::Thursday})
                                  : walk(QDate(2011, 4, 4), n - 543, {Qt::Monday, Qt::Thursday});
        QCOMPARE(loto6.scheduledDate(n), l6);
        QCOMPARE(mini.scheduledDate(n), walk(QDate(2006, 4, 11), n - 350, {Qt::Tuesday}));
    }
    // From the nearest draw below in the table, whatever lies between.
    for (const int known : {300, 1000}) {
        const DrawTable table = realTable(6, known);
        const DrawCalendar calendar(6, &table);
        const QDate base = table.record(known - 1)->date;
        for (int n = known + 1; n <= known + 400; ++n) {
            const QDate expected = n <= 542 ? walk(base, n - known, {Qt::Thursday})
                : known >= 543            ? walk(base, n - known, {Qt::Monday, Qt::Thursday})
                                          : walk(QDate(2011, 4, 4), n - 543, {Qt::Monday, Qt::Thursday});
            QCOMPARE(calendar.scheduledDate(n), expected);
        }
    }
}

void TestPurchases::calendarOnRealTables_data()
{
    QTest::addColumn<int>("runMode");
    QTest::newRow("loto6") << 6;
    QTest::newRow("miniloto") << 5;
}

void TestPurchases::calendarOnRealTables()
{
    // Every real draw against the schedule counted from the draw before it. Breaks (New Year,
    // the early fortnightly miniLOTO) only ever postpone a draw to a later scheduled weekday.
    QFETCH(int, runMode);
    const DrawTable table = realTable(runMode);
    const DrawCalendar calendar(runMode, &table);
    QStringList moved;
    for (int r = 1; r < table.rowCount(); ++r) {
        const DrawRecord &draw = *table.record(r);
        const qint64 n = *draw.drawNo;
        if (*table.record(r - 1)->drawNo != n - 1 || (runMode == 6 && n == 543))
            continue;
        const QList<int> weekdays = runMode == 5 ? QList<int>{Qt::Tuesday}
            : n <= 542                           ? QList<int>{Qt::Thursday}
                                                 : QList<int>{Qt::Monday, Qt::Thursday};
        QVERIFY2(weekdays.contains(draw.date.dayOfWeek()), qPrintable(draw.dateText));
        const QDate scheduled = calendar.scheduledDate(n);
        if (scheduled == draw.date)
            continue;
        moved.append(u"%1 %2 (schedule %3)"_s.arg(n).arg(draw.dateText, DrawCalendar::format(scheduled)));
        QVERIFY2(draw.date > scheduled, qPrintable(moved.last()));
    }
    qInfo("%lld draws off the schedule: %s", qlonglong(moved.size()), qPrintable(moved.join(u", ")));
    QVERIFY(moved.size() * 33 < table.rowCount());
}

QTEST_GUILESS_MAIN(TestPurchases)
#include "tst_purchases.moc"
