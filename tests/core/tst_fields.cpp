#include "core/drawtable.h"
#include "core/fields.h"
#include "core/numbers.h"
#include "core/filedialogs.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestFields : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getField_data();
    void getField();
    void getFieldLongLine();
    void padding();
    void numberEncoding();
    void counts();
    void rowRanges();
    void dialogFilter();
};

void TestFields::getField_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first") << u"a,b,c"_s << u","_s << 0 << u"a"_s;
    QTest::newRow("middle") << u"a,b,c"_s << u","_s << 1 << u"b"_s;
    QTest::newRow("last") << u"a,b,c"_s << u","_s << 2 << u"c"_s;
    QTest::newRow("one past") << u"a,b,c"_s << u","_s << 3 << QString();
    QTest::newRow("far past") << u"a,b,c"_s << u","_s << 40 << QString();
    QTest::newRow("empty middle") << u"a,,c"_s << u","_s << 1 << QString();
    QTest::newRow("leading blank kept") << u"a, b,c"_s << u","_s << 1 << u" b"_s;
    QTest::newRow("no separator") << u"whole line"_s << u","_s << 0 << u"whole line"_s;
    QTest::newRow("trailing empty") << u"a,b,"_s << u","_s << 2 << QString();
    QTest::newRow("quotes kept") << u"\"a\",b"_s << u","_s << 0 << u"\"a\""_s;
    QTest::newRow("separator case ignored") << u"1X2x3"_s << u"x"_s << 2 << u"3"_s;
    QTest::newRow("multi-char separator") << u"1<>2<>3"_s << u"<>"_s << 1 << u"2"_s;
    QTest::newRow("negative index") << u"a,b"_s << u","_s << -1 << QString();
}

void TestFields::getField()
{
    QFETCH(QString, line);
    QFETCH(QString, separator);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(GetField(line, separator, n), expected);
}

void TestFields::getFieldLongLine()
{
    // Fields far beyond 16-bit positions are still found.
    const QString big(40000, u'7');
    const QString line = big + u',' + big + u",end"_s;
    QCOMPARE(GetField(line, u","_s, 1), big);
    QCOMPARE(GetField(line, u","_s, 2), u"end"_s);
    QCOMPARE(GetField(line, u","_s, 3), QString());
}

void TestFields::padding()
{
    QCOMPARE(padCell(u"7", 5), u"    7"_s);
    QCOMPARE(padCell(u"12", 2), u"12"_s);
    QCOMPARE(padCell(u"", 3), u"   "_s);
    // A value longer than its cell is kept whole: a 10-digit carry-over in a 9-wide cell.
    QCOMPARE(padCell(u"1091655132", 9), u"1091655132"_s);
    QCOMPARE(padCell(u" 7 ", 2), u" 7 "_s);
    // Padded texts sort like the numbers they hold.
    QVERIFY(padCell(u"9", 2) < padCell(u"10", 2));
}

void TestFields::numberEncoding()
{
    // One character per number of either game, in the numbers' order (keys sort as their
    // numbers), each read back from its place in a longer text.
    QString all;
    for (int n = 0; n <= 43; ++n) {
        const QString c = NoToChr(n);
        QCOMPARE(c.size(), 1);
        QVERIFY(all.isEmpty() || all.back() < c.front());
        all += c;
    }
    for (int n = 0; n <= 43; ++n)
        QCOMPARE(ChrToNo(all, n + 1), u"%1"_s.arg(n, 2));
    // A place outside the text reads as blanks.
    QCOMPARE(ChrToNo(u"12"_s, 3), u"  "_s);
    QCOMPARE(ChrToNo(u"12"_s, 0), u"  "_s);
}

void TestFields::counts()
{
    QCOMPARE(parseNumber(u"50"), std::optional<qint64>(50));
    QCOMPARE(parseNumber(u"0"), std::optional<qint64>(0));
    QCOMPARE(parseNumber(u""), std::nullopt);
    QCOMPARE(parseNumber(u"5a"), std::nullopt);
    QCOMPARE(parseNumber(u"-5"), std::nullopt);
    QCOMPARE(parseNumber(u"５"), std::nullopt);  // full-width digit
    // Far beyond any integer: saturates instead of wrapping to a small or negative count.
    QCOMPARE(parseNumber(u"99999999999999999999999999"), std::optional<qint64>(std::numeric_limits<qint64>::max()));
}

void TestFields::rowRanges()
{
    // 250 rows, the last 50: rows 201..250 (0-based 200..249).
    RowRange r = lastRows(250, 50);
    QCOMPARE(r.first, 200);
    QCOMPARE(r.last, 249);
    r = firstRows(250, 50);
    QCOMPARE(r.first, 0);
    QCOMPARE(r.last, 49);
    // More than there are: all rows, from either end.
    QCOMPARE(firstRows(30, 50).last, 29);
    QCOMPARE(lastRows(30, 50).first, 0);
    QCOMPARE(lastRows(30, 30).first, 0);
    QVERIFY(firstRows(30, 0).isEmpty());
    QVERIFY(lastRows(30, 0).isEmpty());
    QVERIFY(lastRows(0, 5).isEmpty());
    QCOMPARE(lastRows(30, std::numeric_limits<qint64>::max()).first, 0);
}

void TestFields::dialogFilter()
{
    QCOMPARE(FileDialogs::qtFilter(u"*Download.csv|*Download.csv|*.csv|*.csv|*.*|*.*"_s),
             u"*Download.csv (*Download.csv);;*.csv (*.csv);;*.* (*)"_s);
}

QTEST_APPLESS_MAIN(TestFields)
#include "tst_fields.moc"
