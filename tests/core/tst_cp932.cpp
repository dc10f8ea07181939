// The code page the files are read and written in, checked against the structure of Shift-JIS
// and the row contents of JIS X 0208, not against the converter's own table.
#include "core/drawfile.h"
#include "support/testsupport.h"

#include <QFile>
#include <QSet>
#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace testsupport;

namespace {
constexpr char16_t kReplacement = 0xFFFD;

QByteArray pair(int lead, int trail)
{
    QByteArray bytes(2, '\0');
    bytes[0] = char(lead);
    bytes[1] = char(trail);
    return bytes;
}

// Shift-JIS bytes of JIS X 0208 row (ku) and cell (ten), both 1..94.
QByteArray jisPair(int ku, int ten)
{
    const int lead = (ku + 1) / 2 + (ku <= 62 ? 0x80 : 0xC0);
    const int trail = ku % 2 ? ten + (ten <= 63 ? 0x3F : 0x40) : ten + 0x9E;
    return pair(lead, trail);
}

// What an unmapped pair reads as: one replacement, and the second byte when it is ASCII.
QString unmapped(const QByteArray &pair)
{
    QString text{QChar(kReplacement)};
    if (uchar(pair[1]) < 0x80)
        text.append(QLatin1Char(pair[1]));
    return text;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}
} // namespace

class TestCp932 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everySingleByte();
    void jisRows_data();
    void jisRows();
    void extensionsAndGaps();
    void badSequencesKeepAscii_data();
    void badSequencesKeepAscii();
    void encodeAsWindowsDoes();
    void realFilesRoundTrip();
};

void TestCp932::everySingleByte()
{
    for (int b = 0; b < 256; ++b) {
        const QString s = DrawFile::decode(QByteArray(1, char(b)));
        char16_t expected = kReplacement;  // lead bytes without their second byte, and unused bytes
        if (b < 0x80)
            expected = char16_t(b);
        else if (b >= 0xA1 && b <= 0xDF)
            expected = char16_t(0xFF61 + (b - 0xA1));  // half-width katakana
        QVERIFY2(s.size() == 1 && s[0].unicode() == expected,
                 qPrintable(u"byte %1 gave %2"_s.arg(b, 2, 16).arg(hex(s.toUtf8()))));
        // The same byte inside text, followed by an ASCII byte that must survive.
        const QString inText = DrawFile::decode(QByteArray(1, char(b)) + ",1");
        QCOMPARE(inText, QString(QChar(expected)) + u",1"_s);
    }
    // Every ASCII character is written as its own byte.
    for (int c = 0; c < 0x80; ++c)
        QCOMPARE(DrawFile::encode(QString(QChar(c))), QByteArray(1, char(c)));
}

void TestCp932::jisRows_data()
{
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<int>("defined");  // characters the standard places in these rows
    QTest::newRow("row 1 symbols") << 1 << 1 << 94;
    QTest::newRow("row 2 symbols") << 2 << 2 << 53;
    QTest::newRow("row 3 digits and Latin") << 3 << 3 << 62;
    QTest::newRow("row 4 hiragana") << 4 << 4 << 83;
    QTest::newRow("row 5 katakana") << 5 << 5 << 86;
    QTest::newRow("row 6 Greek") << 6 << 6 << 48;
    QTest::newRow("row 7 Cyrillic") << 7 << 7 << 66;
    QTest::newRow("row 8 box drawing") << 8 << 8 << 32;
    QTest::newRow("level 1 kanji") << 16 << 47 << 2965;
    QTest::newRow("level 2 kanji") << 48 << 84 << 3390;
}

void TestCp932::jisRows()
{
    QFETCH(int, firstRow);
    QFETCH(int, lastRow);
    QFETCH(int, defined);
    int mapped = 0;
    QSet<char16_t> seen;
    for (int ku = firstRow; ku <= lastRow; ++ku) {
        for (int ten = 1; ten <= 94; ++ten) {
            const QByteArray bytes = jisPair(ku, ten);
            const QString s = DrawFile::decode(bytes);
            if (s == unmapped(bytes))
                continue;
            QVERIFY2(s.size() == 1, qPrintable(hex(bytes)));
            ++mapped;
            QVERIFY2(s[0].unicode() >= 0x80, qPrintable(hex(bytes)));
            QVERIFY2(!seen.contains(s[0].unicode()), qPrintable(hex(bytes)));
            seen.insert(s[0].unicode());
            // Written back as the same two bytes, also between ASCII text.
            QCOMPARE(DrawFile::encode(s), bytes);
            QCOMPARE(DrawFile::decode("1," + bytes + ",2"), u"1,"_s + s + u",2"_s);
        }
    }
    QCOMPARE(mapped, defined);
}

void TestCp932::extensionsAndGaps()
{
    // Known characters at the ends of the rows.
    const struct { int ku, ten; char16_t c; } anchors[] = {
        {1, 1, 0x3000}, {3, 16, 0xFF10}, {3, 90, 0xFF5A}, {4, 1, 0x3041}, {4, 83, 0x3093},
        {5, 1, 0x30A1}, {5, 86, 0x30F6}, {6, 1, 0x0391}, {7, 1, 0x0410}, {16, 1, 0x4E9C},
        {47, 51, 0x8155}, {48, 1, 0x5F0C}, {84, 6, 0x7199}, {13, 1, 0x2460},
    };
    for (const auto &a : anchors)
        QCOMPARE(DrawFile::decode(jisPair(a.ku, a.ten)), QString(QChar(a.c)));

    // Rows the standard leaves empty read as replacements; row 13 and rows 89-92
    // hold the Windows extensions.
    for (int ku : {9, 10, 11, 12, 14, 15, 85, 86, 87, 88, 93, 94}) {
        for (int ten = 1; ten <= 94; ++ten)
            QCOMPARE(DrawFile::decode(jisPair(ku, ten)), unmapped(jisPair(ku, ten)));
    }
    // A duplicated character is written with the code Windows prefers: the standard's row over
    // row 13, row 13 over the IBM block, the IBM block over the NEC-selected copy.
    const struct { QByteArray written; QByteArray duplicate; } preferred[] = {
        {"\x81\xE0", "\x87\x90"}, {"\x87\x54", "\xFA\x4A"}, {"\xFA\x40", "\xEE\xEF"}, {"\xFA\x5C", "\xED\x40"},
    };
    for (const auto &p : preferred) {
        const QString c = DrawFile::decode(p.duplicate);
        QCOMPARE(DrawFile::decode(p.written), c);
        QCOMPARE(DrawFile::encode(c), p.written);
    }
}

void TestCp932::badSequencesKeepAscii_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("lead before comma") << QByteArray("1\x81,2") << u"1\uFFFD,2"_s;
    QTest::newRow("lead before line end") << QByteArray("\x81\r\n") << u"\uFFFD\r\n"_s;
    QTest::newRow("lead at the end") << QByteArray("0\x81") << u"0\uFFFD"_s;
    QTest::newRow("unmapped pair at the end") << QByteArray("\xFC\xFC") << u"\uFFFD"_s;
    QTest::newRow("unmapped pair, ASCII second byte") << QByteArray("\x85\x40") << u"\uFFFD@"_s;
    QTest::newRow("unmapped pair, high second byte") << QByteArray("\x85\x9F,") << u"\uFFFD,"_s;
    QTest::newRow("lead before DEL") << QByteArray("\x81\x7F") << u"\uFFFD\x7F"_s;
    QTest::newRow("unused bytes") << QByteArray("\x80\xA0\xFD\xFE\xFF") << u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"_s;
    QTest::newRow("NUL and SUB") << QByteArray("\x00\x1A", 2) << u"\u0000\u001A"_s;
}

void TestCp932::badSequencesKeepAscii()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DrawFile::decode(bytes), text);
}

void TestCp932::encodeAsWindowsDoes()
{
    // What the code page lacks becomes one "?" per character.
    QCOMPARE(DrawFile::encode(u"a\u00E9b\U0001F600c"_s), QByteArray("a?b?c"));
    QCOMPARE(DrawFile::encode(u"\uFF71\uFF9F"_s), QByteArray("\xB1\xDF"));
    // Every double-byte character is written as the system's converter writes it.
    QStringEncoder reference("windows-31j");
    if (!reference.isValid())
        QSKIP("no reference converter");
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QString s = DrawFile::decode(pair(lead, trail));
            if (s.size() != 1 || s[0].unicode() == kReplacement || trail == 0x7F)
                continue;
            reference.resetState();
            QCOMPARE(DrawFile::encode(s), QByteArray(reference.encode(s)));
            ++checked;
        }
    }
    // 7,724 characters and the 1,880 user-defined codes.
    QCOMPARE(checked, 9604);
}

void TestCp932::realFilesRoundTrip()
{
    for (const QString &path : {loto6File(), miniLotoFile()}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QString text = DrawFile::decode(bytes);
        QVERIFY(!text.contains(QChar(kReplacement)));
        QVERIFY(text.contains(u"抽選日"_s));
        QCOMPARE(DrawFile::encode(text), bytes);
    }
}

QTEST_APPLESS_MAIN(TestCp932)
#include "tst_cp932.moc"
