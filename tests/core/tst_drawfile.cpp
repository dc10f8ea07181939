#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/fields.h"
#include "core/game.h"
#include "core/textlines.h"
#include "support/testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;
using namespace testsupport;

namespace {
QStringList rowCells(const DrawTable &t, int row)
{
    QStringList cells;
    for (int c = 1; c < t.columnCount(); ++c)
        cells.append(t.cellText(row, c));
    return cells;
}

// The data lines of a real file, split the plain way, for comparing against the loader.
QList<QStringList> rawFields(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = DrawFile::decode(file.readAll());
    QStringList lines = text.split(u"\r\n"_s);
    if (lines.last().isEmpty())
        lines.removeLast();
    QList<QStringList> out;
    for (qsizetype i = 2; i < lines.size(); ++i)
        out.append(lines[i].split(u','));
    return out;
}

// Every cell against the file's own fields: nothing shifted, widths kept, and a value longer than
// its cell kept whole. Returns how many values were wider than their cell, or -1 on a mismatch.
int compareWithFile(const DrawTable &t, const QString &path)
{
    const QList<QStringList> raw = rawFields(path);
    if (raw.size() != t.rowCount())
        return -1;
    int cut = 0;
    for (int row = 0; row < t.rowCount(); ++row) {
        for (int c = 1; c < t.columnCount(); ++c) {
            const QString field = raw[row].value(t.column(c).field);
            const int width = t.column(c).width;
            const QString expected = QString(std::max<qsizetype>(0, width - field.size()), u' ') + field;
            if (t.cellText(row, c) != expected) {
                qWarning() << "row" << row << "column" << c << t.cellText(row, c) << "expected" << expected;
                return -1;
            }
            cut += width > 0 && field.size() > width;
        }
    }
    return cut;
}
} // namespace

class TestDrawFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void realLoto6();
    void realMiniLoto();
    void markers_data();
    void markers();
    void titleAndHeadingOnly();
    void lineEnds();
    void textLines_data();
    void textLines();
    void cellWidths();
    void refusedFilesLeaveTableAlone();
    void hostileInput();
    void sortCarriesSelection();
    void validDraws_data();
    void validDraws();
};

void TestDrawFile::realLoto6()
{
    DrawTable t;
    const DrawFile::Result r = DrawFile::read(loto6File(), t);
    QVERIFY(r.ok());
    QCOMPARE(r.runMode, Game::Loto6);
    QCOMPARE(t.rowCount(), 2141);
    QCOMPARE(t.columnCount(), 21);
    QCOMPARE(t.column(20).key, u"Carry"_s);
    QCOMPARE(rowCells(t, 0).mid(0, 9),
             (QStringList{u"    1"_s, u"2000/10/05"_s, u" 2"_s, u" 8"_s, u"10"_s, u"13"_s, u"27"_s, u"30"_s, u"39"_s}));
    // Winners and prizes stand side by side although the file lists all winners first.
    QCOMPARE(t.cellText(0, 10), u"  2"_s);
    QCOMPARE(t.cellText(0, 11), u" 45513600"_s);
    QCOMPARE(t.cellText(0, 18), u" 174452"_s);
    QCOMPARE(t.cellText(0, 19), u"1000"_s);
    QCOMPARE(rowCells(t, 2140).mid(0, 9),
             (QStringList{u" 2141"_s, u"2026/09/28"_s, u"14"_s, u"15"_s, u"22"_s, u"32"_s, u"37"_s, u"41"_s, u" 1"_s}));
    QCOMPARE(t.cellText(2140, 0), QString());
    QCOMPARE(t.selectedCount(), 0);

    // Values longer than their cell are shown whole: the draw's own numbers, not their last digits.
    QVERIFY(compareWithFile(t, loto6File()) > 0);
    QCOMPARE(t.cellText(690, 1), u"  691"_s);
    QCOMPARE(t.cellText(690, 12), u"3470"_s);  // ２等口数
    QCOMPARE(t.cellText(1271, 20), u"1091655132"_s);
    QCOMPARE(t.invalidRowCount(), 0);

    // Sorted by the carry-over, the rows follow the amounts as numbers.
    QList<qint64> carries;
    for (const QStringList &fields : rawFields(loto6File()))
        carries.append(fields.value(19).toLongLong());
    std::sort(carries.begin(), carries.end(), std::greater<>());
    t.sortByColumn(20, Qt::DescendingOrder);
    for (int row = 0; row < t.rowCount(); ++row)
        QCOMPARE(t.cellText(row, 20).trimmed().toLongLong(), carries[row]);
}

void TestDrawFile::realMiniLoto()
{
    DrawTable t;
    const DrawFile::Result r = DrawFile::read(miniLotoFile(), t);
    QVERIFY(r.ok());
    QCOMPARE(r.runMode, Game::MiniLoto);
    QCOMPARE(t.rowCount(), 1402);
    QCOMPARE(t.columnCount(), 17);
    QCOMPARE(t.column(16).key, u"Money4"_s);
    QCOMPARE(rowCells(t, 0),
             (QStringList{u"    1"_s, u"1999/04/13"_s, u" 1"_s, u" 3"_s, u"17"_s, u"20"_s, u"25"_s, u"26"_s,
                          u" 29"_s, u" 6090500"_s, u"  46"_s, u" 275800"_s, u"2331"_s, u" 9400"_s, u" 59593"_s,
                          u" 900"_s}));
    QCOMPARE(compareWithFile(t, miniLotoFile()), 1);
    QCOMPARE(t.cellText(620, 9), u"1129"_s);  // １等口数 of draw 621
    const int last = t.rowCount() - 1;
    QCOMPARE(t.cellText(last, 1), u" 1402"_s);
}

void TestDrawFile::markers_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("game");
    QTest::newRow("loto6") << u"LOTO6 DownloadData"_s << Game::Loto6;
    QTest::newRow("lower case") << u"loto6 downloaddata"_s << Game::Loto6;
    QTest::newRow("inside other text") << u"xx,Loto6 DownLoadData,yy"_s << Game::Loto6;
    QTest::newRow("miniloto") << u"miniLOTO DownloadData"_s << Game::MiniLoto;
    QTest::newRow("both: LOTO6 wins") << u"miniLOTO DownloadData LOTO6 DownloadData"_s << Game::Loto6;
    QTest::newRow("neither") << u"LOTO7 DownloadData"_s << Game::None;
    QTest::newRow("no blank") << u"LOTO6DownloadData"_s << Game::None;
}

void TestDrawFile::markers()
{
    QFETCH(QString, title);
    QFETCH(int, game);
    DrawTable t;
    const DrawFile::Result r = DrawFile::parse(DrawFile::encode(title + u"\r\nheading\r\n1,2000/01/01\r\n"_s), t);
    QCOMPARE(r.runMode, game);
    QCOMPARE(r.ok(), game != Game::None);
    QCOMPARE(t.rowCount(), game != Game::None ? 1 : 0);
}

void TestDrawFile::titleAndHeadingOnly()
{
    for (const QByteArray &bytes : {QByteArray("miniLOTO DownloadData\r\nheading\r\n"),
                                    QByteArray("miniLOTO DownloadData\r\nheading"),
                                    QByteArray("miniLOTO DownloadData")}) {
        DrawTable t;
        const DrawFile::Result r = DrawFile::parse(bytes, t);
        QVERIFY(r.ok());
        QCOMPARE(r.runMode, Game::MiniLoto);
        QCOMPARE(t.rowCount(), 0);
        QCOMPARE(t.columnCount(), 17);
    }
}

void TestDrawFile::lineEnds()
{
    const QByteArray head("LOTO6 DownloadData\r\nheading\r\n");
    struct Case { const char *name; QByteArray body; QStringList draws; };
    const Case cases[] = {
        {"crlf", "1,a\r\n2,b\r\n", {u"    1"_s, u"    2"_s}},
        {"lf only", "1,a\n2,b\n", {u"    1"_s, u"    2"_s}},
        {"no final line end", "1,a\r\n2,b", {u"    1"_s, u"    2"_s}},
        {"empty line makes a blank row", "1,a\r\n\r\n2,b\r\n", {u"    1"_s, u"     "_s, u"    2"_s}},
        {"trailing empty line", "1,a\r\n\r\n", {u"    1"_s, u"     "_s}},
        // A sequence cut off by the end of the file is still a line of its own.
        {"last line a lone lead byte", "1,a\r\n\x81", {u"    1"_s, u"    \uFFFD"_s}},
        {"lone lead byte then line end", "\x81\r\n2,b", {u"    \uFFFD"_s, u"    2"_s}},
    };
    for (const Case &c : cases) {
        DrawTable t;
        QVERIFY2(DrawFile::parse(head + c.body, t).ok(), c.name);
        QStringList draws;
        for (int r = 0; r < t.rowCount(); ++r)
            draws.append(t.cellText(r, 1));
        QVERIFY2(draws == c.draws, c.name);
        // No line end character survives into a cell.
        for (int r = 0; r < t.rowCount(); ++r)
            QVERIFY2(!t.cellText(r, 2).contains(u'\r'), c.name);
    }
    // A cut-off sequence at the end of the last field shows as the replacement character.
    DrawTable cut;
    QVERIFY(DrawFile::parse(head + "1,2020/01/01,1,2,3,4,5,6,7,0,1,2,3,4,0,5,6,7,8,0\x81", cut).ok());
    QCOMPARE(cut.rowCount(), 1);
    QCOMPARE(cut.cellText(0, 20), u"       0\uFFFD"_s);
    QVERIFY(DrawFile::parse(head + "1,2020/01/0\x81", cut).ok());
    QCOMPARE(cut.cellText(0, 2), u"2020/01/0\uFFFD"_s);

    // An empty line is a row of blank cells of the right widths, and an empty date.
    DrawTable t;
    QVERIFY(DrawFile::parse(head + "\r\n", t).ok());
    QCOMPARE(t.rowCount(), 1);
    QCOMPARE(t.cellText(0, 2), QString());
    QCOMPARE(t.cellText(0, 11), QString(9, u' '));
    QCOMPARE(t.cellText(0, 20), QString(9, u' '));
}

void TestDrawFile::textLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("lines");  // "+" after a line a line feed ended
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("no line end") << QByteArray("a") << QStringList{u"a"_s};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{u"a+"_s, u"b+"_s};
    QTest::newRow("CR LF, last without") << QByteArray("a\r\nb") << QStringList{u"a+"_s, u"b"_s};
    QTest::newRow("empty lines") << QByteArray("\n\r\n\n") << QStringList{u"+"_s, u"+"_s, u"+"_s};
    QTest::newRow("a lone CR after the last") << QByteArray("a\n\r") << QStringList{u"a+"_s, u"+"_s};
    QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList{u"a+"_s, u"b+"_s};
    QTest::newRow("mixed, a stray CR in CR LF") << QByteArray("a\r\nb\rc\r\r\nd") << QStringList{u"a+"_s, u"b+"_s, u"c+"_s, u"+"_s, u"d"_s};
}

void TestDrawFile::textLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, lines);
    // Cut alike on bytes and on decoded text.
    const QString decoded = QString::fromLatin1(text);
    TextLines<QByteArrayView> bytes(text);
    TextLines<QStringView> chars(decoded);
    QStringList fromBytes;
    QStringList fromChars;
    while (!bytes.atEnd()) {
        fromBytes.append(QString::fromLatin1(bytes.next()));
        fromBytes.last() += bytes.lineEnded() ? u"+"_s : QString();
    }
    while (!chars.atEnd()) {
        fromChars.append(chars.next().toString());
        fromChars.last() += chars.lineEnded() ? u"+"_s : QString();
    }
    QCOMPARE(fromBytes, lines);
    QCOMPARE(fromChars, lines);
}

void TestDrawFile::cellWidths()
{
    DrawTable t;
    const QString line = u"7, 2001/1/2 ,1,2,3,4,5,6,7,1,2,3,4,5,1234567890,2,3,4,5,6"_s;
    QVERIFY(DrawFile::parse(DrawFile::encode(loto6Text({line, u"8,short"_s})), t).ok());
    QCOMPARE(t.cellText(0, 1), u"    7"_s);
    QCOMPARE(t.cellText(0, 2), u" 2001/1/2 "_s);       // the date stays exactly as written
    QCOMPARE(t.cellText(0, 11), u"1234567890"_s);      // a 10-digit prize is kept whole
    // A short line leaves its missing cells blank.
    QCOMPARE(t.cellText(1, 2), u"short"_s);
    QCOMPARE(t.cellText(1, 3), u"  "_s);
    QCOMPARE(t.cellText(1, 20), QString(9, u' '));
    // Japanese text in a field comes through the Shift-JIS decoding intact.
    DrawTable m;
    QVERIFY(DrawFile::parse(DrawFile::encode(miniLotoText({u"1,令和元年５月"_s})), m).ok());
    QCOMPARE(m.cellText(0, 2), u"令和元年５月"_s);
}

void TestDrawFile::refusedFilesLeaveTableAlone()
{
    QTemporaryDir dir;
    DrawTable t;
    QVERIFY(DrawFile::read(loto6File(), t).ok());
    t.setRangeSelected(0, 9, true);

    const QString wrong = writeTextFile(dir, u"wrong.csv"_s, u"LOTO7 DownloadData\r\nh\r\n1,2\r\n"_s);
    const QString empty = writeBytesFile(dir, u"empty.csv"_s, {});
    for (const QString &path : {wrong, empty, dir.path(), dir.filePath(u"missing.csv"_s), QString()}) {
        const DrawFile::Result r = DrawFile::read(path, t);
        QVERIFY(!r.ok());
        QCOMPARE(t.rowCount(), 2141);
        QCOMPARE(t.selectedCount(), 10);
        QCOMPARE(t.cellText(0, 1), u"    1"_s);
    }
    QCOMPARE(DrawFile::read(wrong, t).status, DrawFile::Status::NotDrawFile);
    QCOMPARE(DrawFile::read(empty, t).status, DrawFile::Status::Unreadable);
    QCOMPARE(DrawFile::read(dir.path(), t).status, DrawFile::Status::Unreadable);
    QCOMPARE(DrawFile::refusedMessage(), u"データファイルが異常です"_s);
}

void TestDrawFile::hostileInput()
{
    // Binary garbage with NULs and invalid Shift-JIS bytes: refused, no crash.
    QByteArray garbage;
    for (int i = 0; i < 100000; ++i)
        garbage.append(char((i * 7919) % 256));
    DrawTable t;
    QCOMPARE(DrawFile::parse(garbage, t).status, DrawFile::Status::NotDrawFile);

    // The same garbage behind a valid title is loaded as text, row by row.
    const QByteArray titled = "LOTO6 DownloadData\r\nh\r\n" + garbage;
    QVERIFY(DrawFile::parse(titled, t).ok());
    // CR LF, LF and a CR alone each end a line.
    const qsizetype lineEnds = garbage.count('\n') + garbage.count('\r') - garbage.count("\r\n");
    QCOMPARE(t.rowCount(), int(lineEnds) + (garbage.endsWith('\n') || garbage.endsWith('\r') ? 0 : 1));

    // NUL bytes and invalid lead bytes inside a data line.
    static const char oddBytes[] = "miniLOTO DownloadData\r\nh\r\n12,\0\x81\xff,3\r\n";
    const QByteArray odd(oddBytes, sizeof oddBytes - 1);
    QVERIFY(DrawFile::parse(odd, t).ok());
    QCOMPARE(t.rowCount(), 1);
    QCOMPARE(t.cellText(0, 1), u"   12"_s);
    QCOMPARE(t.cellText(0, 3), u" 3"_s);

    // A 200,000-character line: its fields are found, the long one kept whole and no number.
    const QByteArray longField(200000, '9');
    QVERIFY(DrawFile::parse("LOTO6 DownloadData\r\nh\r\n5,d," + longField + ",4\r\n", t).ok());
    QCOMPARE(t.cellText(0, 3), QString::fromLatin1(longField));
    QCOMPARE(t.cellText(0, 4), u" 4"_s);
    QCOMPARE(t.invalidRowCount(), 1);

    // A 50 MB file of draws loads, with one row per line.
    QByteArray big("LOTO6 DownloadData\r\nh\r\n");
    const QByteArray line("1234,2020/01/01,1,2,3,4,5,6,7,0,1,2,3,4,0,5,6,7,8,9\r\n");
    const int lines = int((50 << 20) / line.size());
    big.reserve(big.size() + qsizetype(lines) * line.size());
    for (int i = 0; i < lines; ++i)
        big.append(line);
    QVERIFY(DrawFile::parse(big, t).ok());
    QCOMPARE(t.rowCount(), lines);
    QCOMPARE(t.cellText(lines - 1, 20), u"        9"_s);
}

void TestDrawFile::sortCarriesSelection()
{
    DrawTable t;
    QVERIFY(DrawFile::parse(DrawFile::encode(miniLotoText({u"1,d,5"_s, u"2,d,31"_s, u"3,d,10"_s, u"4,d,5"_s})), t).ok());
    t.setSelected(1, true);  // the draw with 31
    t.sortByColumn(3, Qt::AscendingOrder);
    QCOMPARE(t.cellText(0, 3), u" 5"_s);
    QCOMPARE(t.cellText(2, 3), u"10"_s);
    QCOMPARE(t.cellText(3, 3), u"31"_s);
    QCOMPARE(t.cellText(0, 1), u"    1"_s);  // equal keys keep their order
    QCOMPARE(t.cellText(1, 1), u"    4"_s);
    QVERIFY(t.isSelected(3));
    QCOMPARE(t.selectedCount(), 1);
    t.sortByColumn(3, Qt::DescendingOrder);
    QCOMPARE(t.cellText(0, 3), u"31"_s);
    QVERIFY(t.isSelected(0));
    QVERIFY(!t.isSelected(3));
}

void TestDrawFile::validDraws_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<bool>>("valid");
    QTest::newRow("LOTO6 draw") << int(Game::Loto6) << QStringList{u"1,d,1,2,3,4,5,43,7"_s} << QList<bool>{true};
    QTest::newRow("leading zero, blanks") << int(Game::Loto6) << QStringList{u"1,d,01, 2,3,4,5,6 ,7"_s} << QList<bool>{true};
    QTest::newRow("number repeated") << int(Game::Loto6) << QStringList{u"1,d,1,2,3,4,5,5,7"_s} << QList<bool>{false};
    QTest::newRow("bonus among the numbers") << int(Game::Loto6) << QStringList{u"1,d,1,2,3,4,5,6,6"_s} << QList<bool>{false};
    QTest::newRow("44 in LOTO6") << int(Game::Loto6) << QStringList{u"1,d,1,2,3,4,5,44,7"_s} << QList<bool>{false};
    QTest::newRow("0") << int(Game::Loto6) << QStringList{u"1,d,0,2,3,4,5,6,7"_s} << QList<bool>{false};
    QTest::newRow("102, not 2") << int(Game::Loto6) << QStringList{u"1,d,1,102,3,4,5,6,7"_s} << QList<bool>{false};
    QTest::newRow("cut-off last line") << int(Game::Loto6) << QStringList{u"1,d,1,2,3,4,5,6,7"_s, u"2,d,14,15,2"_s}
                                       << QList<bool>{true, false};
    QTest::newRow("draw number again") << int(Game::Loto6)
                                       << QStringList{u"5,d,1,2,3,4,5,6,7"_s, u"6,d,1,2,3,4,5,6,7"_s, u"05,d,8,9,10,11,12,13,14"_s}
                                       << QList<bool>{true, true, false};
    QTest::newRow("miniLOTO 31") << int(Game::MiniLoto) << QStringList{u"1,d,1,2,3,4,31,7"_s} << QList<bool>{true};
    QTest::newRow("miniLOTO 32") << int(Game::MiniLoto) << QStringList{u"1,d,1,2,3,4,32,7"_s} << QList<bool>{false};
    QTest::newRow("miniLOTO repeated") << int(Game::MiniLoto) << QStringList{u"1,d,9,2,3,4,9,7"_s} << QList<bool>{false};
}

void TestDrawFile::validDraws()
{
    QFETCH(int, game);
    QFETCH(QStringList, lines);
    QFETCH(QList<bool>, valid);
    DrawTable t;
    QVERIFY(DrawFile::parse(DrawFile::encode(game == Game::Loto6 ? loto6Text(lines) : miniLotoText(lines)), t).ok());
    QList<bool> got;
    for (int row = 0; row < t.rowCount(); ++row)
        got.append(t.record(row)->valid);
    QCOMPARE(got, valid);
    QCOMPARE(t.invalidRowCount(), int(valid.count(false)));
}

QTEST_APPLESS_MAIN(TestDrawFile)
#include "tst_drawfile.moc"
