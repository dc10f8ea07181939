// The pattern manager's convert, save, summary and list output on real folders.
#include "combinations/patternaudit.h"
#include "combinations/patternconvert.h"
#include "combinations/patternmanager.h"
#include "core/appfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The 0/1 line of a ticket, built from its positions.
QString ticketLine(int pool, const QList<int> &positions)
{
    QString line(pool, u'0');
    for (const int p : positions)
        line[p - 1] = u'1';
    return line;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QString kExample = u"1 2 3 4 5 6\r\n1 2 3 7 8 9\r\n"_s;
} // namespace

class TestPatternManager : public QObject
{
    Q_OBJECT

private:
    // Converts source over `pool` and saves it; the result of the save.
    PatternManager::SaveResult convertAndSave(const QString &folder, const QString &source, const QString &pool,
                                              int tier = 5, const QString &keys = u"0"_s)
    {
        const PatternConvert::Result converted = PatternConvert::convert(source, pool);
        PatternManager::SaveInput input{folder, converted.text(), converted.picks, converted.pool, tier, keys};
        return PatternManager::save(input);
    }

private Q_SLOTS:
    void convert_data();
    void convert();
    void saveNamesAndRefusesDuplicates();
    void saveKeyPartAndSerials_data();
    void saveKeyPartAndSerials();
    void saveRefusals_data();
    void saveRefusals();
    void saveVerifiesTheWheel_data();
    void saveVerifiesTheWheel();
    void auditReusesVerdicts_data();
    void auditReusesVerdicts();
    void saveReportsWriteFailure();
    void failedSaveLeavesTheFolderAsItWas_data();
    void failedSaveLeavesTheFolderAsItWas();
    void summary_data();
    void summary();
    void listOutput();
};

void TestPatternManager::convert_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("pool");
    QTest::addColumn<QList<QList<int>>>("tickets");  // expected, by positions
    QTest::addColumn<int>("picks");
    QTest::addColumn<bool>("refused");

    const QList<QList<int>> example{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}};
    QTest::newRow("CR LF") << kExample << u"9"_s << example << 6 << false;
    // The editor's LF ends a number like CR does: 6 and 1 are not glued into 61.
    QTest::newRow("LF") << u"1 2 3 4 5 6\n1 2 3 7 8 9\n"_s << u"9"_s << example << 6 << false;
    // The end of the text ends the last number and the last line.
    QTest::newRow("no final line end") << u"1 2 3 4 5 6\n1 2 3 7 8 9"_s << u"9"_s << example << 6 << false;
    QTest::newRow("blank lines, other separators")
        << u"\n1,2,3,4,5\t6\r\n\r\n 1 2 3 7 8 9 \r\n\r\n"_s << u" 9 "_s << example << 6 << false;
    QTest::newRow("miniLOTO, leading zeros") << u"01 02 03 04 05\n6 7 8 9 10"_s << u"10"_s
                                             << QList<QList<int>>{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}} << 5 << false;
    QTest::newRow("pick count of the first line") << u"1 2 3 4 5\n1 2 3 4 5 6"_s << u"6"_s
                                                  << QList<QList<int>>{{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6}} << 5 << false;
    QTest::newRow("a number twice on the first line") << u"1 2 3 4 5 5\n6 7 8 9 1"_s << u"9"_s
                                                      << QList<QList<int>>{{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}} << 5 << false;
    QTest::newRow("position 0") << u"1 2 3 4 5 6\n0 2 3 7 8 9\n"_s << u"9"_s << QList<QList<int>>{} << 0 << true;
    QTest::newRow("position above the pool") << u"1 2 3 4 5 10\n"_s << u"9"_s << QList<QList<int>>{} << 0 << true;
    QTest::newRow("last number above the pool") << u"1 2 3 4 5 6\n1 2 3 4 5 90"_s << u"9"_s << QList<QList<int>>{} << 0 << true;
    QTest::newRow("pool not a number") << kExample << u"9a"_s << QList<QList<int>>{} << 0 << true;
    QTest::newRow("pool empty") << kExample << u""_s << QList<QList<int>>{} << 0 << true;
    QTest::newRow("pool 0") << kExample << u"0"_s << QList<QList<int>>{} << 0 << true;
    QTest::newRow("pool beyond any game") << kExample << u"44"_s << QList<QList<int>>{} << 0 << true;
}

void TestPatternManager::convert()
{
    QFETCH(QString, source);
    QFETCH(QString, pool);
    QFETCH(QList<QList<int>>, tickets);
    QFETCH(int, picks);
    QFETCH(bool, refused);

    const PatternConvert::Result result = PatternConvert::convert(source, pool);
    QCOMPARE(!result.warning.isEmpty(), refused);
    QCOMPARE(result.done, !refused);
    if (refused) {
        QVERIFY(result.lines.isEmpty());
        return;
    }
    QStringList expected;
    for (const QList<int> &ticket : tickets)
        expected.append(ticketLine(result.pool, ticket));
    QCOMPARE(result.lines, expected);
    QCOMPARE(result.picks, picks);
    QCOMPARE(result.text(), expected.join(u"\r\n"_s) + u"\r\n"_s);
}

void TestPatternManager::saveNamesAndRefusesDuplicates()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    PatternManager::SaveResult first = convertAndSave(folder, kExample, u"9"_s);
    QVERIFY2(first.saved, qPrintable(first.message));
    QCOMPARE(first.fileName, u"1-659.txt"_s);
    // Exactly one CR LF after the last line.
    QCOMPARE(fileBytes(dir.filePath(u"1-659.txt"_s)), QByteArray("111111000\r\n111000111\r\n"));

    // The same wheel typed with LF ends and no final line end is still the same content.
    const PatternManager::SaveResult again = convertAndSave(folder, u"1 2 3 4 5 6\n1 2 3 7 8 9"_s, u"9"_s);
    QVERIFY(!again.saved);
    QCOMPARE(again.message, u"1-659.txtと同じです。"_s);
    QVERIFY(again.critical);
    // Nothing was written, not even a scratch file.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"1-659.txt"_s});

    const PatternManager::SaveResult other = convertAndSave(folder, u"1 2 3 4 5 6\n4 5 6 7 8 9\n"_s, u"9"_s);
    QCOMPARE(other.fileName, u"2-659.txt"_s);
    // The same lines with a key are another kind, not a duplicate.
    QCOMPARE(convertAndSave(folder, kExample, u"9"_s, 5, u"1"_s).fileName, u"1-659K1.txt"_s);
    // Converted text edited in the box (LF, blank lines, no final end) saves the same bytes.
    PatternManager::SaveInput edited{folder, u"111111000\n\n111000111"_s, 6, 9, 5, u"0"_s};
    QCOMPARE(PatternManager::save(edited).message, u"1-659.txtと同じです。"_s);
}

void TestPatternManager::saveKeyPartAndSerials_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("expected");

    QTest::newRow("keys 0") << u"0"_s << QStringList{} << u"1-659.txt"_s;
    QTest::newRow("keys empty") << u""_s << QStringList{} << u"1-659.txt"_s;
    QTest::newRow("keys 2") << u"2"_s << QStringList{} << u"1-659K2.txt"_s;
    QTest::newRow("keys typed 02") << u"02"_s << QStringList{u"1-659K2.txt"_s} << u"2-659K2.txt"_s;
    // Files of another key never count: K2 files are not files without keys.
    QTest::newRow("other keys ignored") << u"0"_s << QStringList{u"1-659K2.txt"_s, u"1-6539.txt"_s} << u"1-659.txt"_s;
    // 1-659 was deleted: the count says 2, which is taken, so the next free serial.
    QTest::newRow("lower serial deleted") << u"0"_s << QStringList{u"2-659.txt"_s} << u"3-659.txt"_s;
    QTest::newRow("serial taken in other letter case") << u"0"_s << QStringList{u"1-659.TXT"_s} << u"2-659.txt"_s;
}

void TestPatternManager::saveKeyPartAndSerials()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, present);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    for (const QString &name : present)
        writeFile(dir.filePath(name), "000000111\r\n");
    const PatternManager::SaveResult saved = convertAndSave(dir.path(), kExample, u"9"_s, 5, keys);
    QVERIFY2(saved.saved, qPrintable(saved.message));
    QCOMPARE(saved.fileName, expected);
    // What was there is untouched.
    for (const QString &name : present)
        QCOMPARE(fileBytes(dir.filePath(name)), QByteArray("000000111\r\n"));
}

void TestPatternManager::saveRefusals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("tier");
    QTest::addColumn<QString>("keys");

    QTest::newRow("empty converted text") << u""_s << 6 << 3 << u"0"_s;
    QTest::newRow("only line ends") << u"\r\n\r\n"_s << 6 << 3 << u"0"_s;
    QTest::newRow("line of another pool") << u"111111000\r\n11100011\r\n"_s << 6 << 3 << u"0"_s;
    QTest::newRow("not 0/1") << u"111111000\r\n11100011x\r\n"_s << 6 << 3 << u"0"_s;
    QTest::newRow("pick count of no game") << u"111000000\r\n"_s << 3 << 3 << u"0"_s;
    QTest::newRow("no tier") << u"111111000\r\n"_s << 6 << 0 << u"0"_s;
    QTest::newRow("keys not a number") << u"111111000\r\n"_s << 6 << 3 << u"2a"_s;
    QTest::newRow("keys above the picks") << u"111111000\r\n"_s << 6 << 3 << u"7"_s;
}

void TestPatternManager::saveRefusals()
{
    QFETCH(QString, text);
    QFETCH(int, picks);
    QFETCH(int, tier);
    QFETCH(QString, keys);

    QTemporaryDir dir;
    const PatternManager::SaveResult result = PatternManager::save({dir.path(), text, picks, 9, tier, keys});
    QVERIFY(!result.saved);
    QVERIFY(!result.message.isEmpty());
    QVERIFY(!result.critical);
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestPatternManager::saveVerifiesTheWheel_data()
{
    QTest::addColumn<QString>("text");  // converted lines
    QTest::addColumn<int>("tier");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("asGuaranteed");
    QTest::addColumn<QString>("expected");  // the file written, or the whole refusal

    // By hand: {4,...,9} meets each ticket of the example in 3 numbers, the least any draw of nine
    // does: 5th tier. A draw of seven keeps 5 of {1..6} or {2..7}: 3rd tier. {7..12} misses one ticket.
    const QString example = u"111111000\r\n111000111\r\n"_s;
    const QString shortOf3 = u"このパターンは３等を保証しません（保証：５等）。"_s;
    QTest::newRow("short of the 3rd tier") << example << 3 << u"0"_s << false << shortOf3;
    QTest::newRow("saved under the 5th instead") << example << 3 << u"0"_s << true << u"1-659.txt"_s;
    QTest::newRow("better than claimed") << u"1111110\r\n0111111\r\n"_s << 5 << u"0"_s << false << u"1-657.txt"_s;
    QTest::newRow("nothing to save instead")
        << u"111111000000\r\n"_s << 5 << u"0"_s << true << u"このパターンは５等を保証しません（保証：なし）。"_s;
    QTest::newRow("other mark counts") << u"111111000\r\n111110000\r\n111000111\r\n011111000\r\n"_s << 5 << u"0"_s << false
                                       << u"変換後のテキストの2、4行目の「1」が6個ではありません。"_s;
    QTest::newRow("repeated rows") << example + example << 5 << u"0"_s << false
                                   << u"変換後のテキストの3、4行目は前の行と同じです（同じ口を2回買うことになります）。"_s;
    QTest::newRow("a key missing") << u"111111000\r\n101111100\r\n110001111\r\n"_s << 5 << u"2"_s << false
                                   << u"変換後のテキストの2行目にKey数字（位置1～2）がそろっていません。"_s;
}

void TestPatternManager::saveVerifiesTheWheel()
{
    QFETCH(QString, text);
    QFETCH(int, tier);
    QFETCH(QString, keys);
    QFETCH(bool, asGuaranteed);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const int pool = int(text.indexOf(u'\r'));
    const PatternManager::SaveResult result = PatternManager::save({dir.path(), text, 6, pool, tier, keys}, asGuaranteed);
    QCOMPARE(result.saved ? result.fileName : result.message, expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), result.saved ? QStringList{expected} : QStringList{});
}

void TestPatternManager::auditReusesVerdicts_data()
{
    QTest::addColumn<QByteArray>("rewrite");  // new content of 1-659.txt; empty: only touched, or left
    QTest::addColumn<int>("verified");        // files the second scan verifies
    QTest::addColumn<bool>("holds");
    QTest::newRow("unchanged") << QByteArray() << 0 << true;
    QTest::newRow("touched") << QByteArray("touch") << 1 << true;
    QTest::newRow("cut short") << QByteArray("111111000\r\n") << 1 << true;
    QTest::newRow("a line of eight") << QByteArray("111111000\r\n11100011\r\n") << 1 << false;
}

void TestPatternManager::auditReusesVerdicts()
{
    QFETCH(QByteArray, rewrite);
    QFETCH(int, verified);
    QFETCH(bool, holds);
    QTemporaryDir dir;
    for (const QString &name : {u"1-659.txt"_s, u"1-639.txt"_s, u"1-6310.txt"_s})
        writeFile(dir.filePath(name), "111111000\r\n111000111\r\n");
    const QStringList names = PatternFolder::allFiles(dir.path());  // 639, 6310, 659
    PatternAudit audit;
    const auto shortfalls = [&] {
        audit.scan(dir.path(), names);
        QStringList out;
        for (const std::optional<PatternVerify::Verdict> &v : audit.look(dir.path(), names).verdicts)
            out.append(v ? v->shortfall : u"?"_s);
        return out;
    };
    QCOMPARE(shortfalls(), (QStringList{u"このパターンは３等を保証しません（保証：５等）。"_s,
                                        u"1-6310.txtの行の「0」「1」の数（9個）が名前の選択数（10個）と違います。"_s, QString()}));
    if (!rewrite.isEmpty()) {
        QFile file(dir.filePath(u"1-659.txt"_s));
        QVERIFY(file.open(QIODevice::ReadWrite) && (rewrite == "touch" || (file.resize(0) && file.write(rewrite) > 0)));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFile::FileModificationTime));
    }
    QCOMPARE(shortfalls().at(2).isEmpty(), holds);
    QCOMPARE(audit.verifiedCount(), 3 + verified);
}

void TestPatternManager::saveReportsWriteFailure()
{
    // A folder nobody can create files in, root included.
    const QString folder = u"/proc/self"_s;
    if (!QFileInfo(folder).isDir())
        QSKIP("no /proc");
    const PatternManager::SaveResult result = convertAndSave(folder, kExample, u"9"_s);
    QVERIFY(!result.saved);
    QVERIFY2(result.message.contains(u"保存できませんでした"_s), qPrintable(result.message));
    QVERIFY(!QFileInfo::exists(u"/proc/self/1-639.txt"_s));
}

void TestPatternManager::failedSaveLeavesTheFolderAsItWas_data()
{
    QTest::addColumn<int>("failure");
    QTest::newRow("cannot open") << int(AppFiles::WriteFailure::Open);
    QTest::newRow("disk full while writing") << int(AppFiles::WriteFailure::Write);
    QTest::newRow("rename fails") << int(AppFiles::WriteFailure::Commit);
}

void TestPatternManager::failedSaveLeavesTheFolderAsItWas()
{
    QFETCH(int, failure);
    QTemporaryDir dir;
    QVERIFY(convertAndSave(dir.path(), kExample, u"9"_s).saved);
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(before.size(), 1);
    const QByteArray old = fileBytes(dir.filePath(before.first()));

    const QString other = u"1 2 3 4 5 6\r\n4 5 6 7 8 9\r\n"_s;
    AppFiles::simulateWriteFailure(AppFiles::WriteFailure(failure));
    const PatternManager::SaveResult failed = convertAndSave(dir.path(), other, u"9"_s);
    AppFiles::simulateWriteFailure(AppFiles::WriteFailure::None);
    QVERIFY(!failed.saved);
    QVERIFY2(failed.message.contains(u"保存できませんでした"_s), qPrintable(failed.message));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);  // no partial or scratch file
    QCOMPARE(fileBytes(dir.filePath(before.first())), old);

    // The same save goes through once writing works again, as the next file of the key.
    const PatternManager::SaveResult saved = convertAndSave(dir.path(), other, u"9"_s);
    QVERIFY2(saved.saved, qPrintable(saved.message));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void TestPatternManager::summary_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");

    const QString loto9 = u"LOTO6 3等保証 選択数字数09個 Key数字なし パターンファイル数2個"_s;
    const QString lotoK = u"LOTO6 4等保証 選択数字数12個 Key数字 1個 パターンファイル数1個"_s;
    const QString loto39 = u"LOTO6 5等保証 選択数字数39個 Key数字なし パターンファイル数1個"_s;
    const QString mini = u"miniLOTO 3等保証 選択数字数09個 Key数字なし パターンファイル数1個"_s;
    QTest::newRow("一覧: every game") << 0 << QStringList{loto9, lotoK, loto39, mini};
    QTest::newRow("PatternFiles for LOTO6") << 6 << QStringList{loto9, lotoK, loto39};
    QTest::newRow("PatternFiles for miniLOTO") << 5 << QStringList{mini};
}

void TestPatternManager::summary()
{
    QFETCH(int, mode);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    // 6539 is LOTO6 5th tier over 39, not miniLOTO 3rd tier over 9; PatternList.txt and
    // names outside the scheme are no pattern files.
    for (const QString &name : {u"2-639.txt"_s, u"1-539.txt"_s, u"1-6539.txt"_s, u"1-639.txt"_s, u"1-6412K1.txt"_s,
                                u"PatternList.txt"_s, u"notes-1.txt"_s, u"1-739.txt"_s})
        writeFile(dir.filePath(name), "1\r\n");
    const QStringList lines = PatternManager::summaryLines(dir.path(), mode);
    QCOMPARE(lines, expected);
    QCOMPARE(PatternManager::summaryText(lines), expected.join(u"\r\n"_s) + u"\r\n"_s);
}

void TestPatternManager::listOutput()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"PatternFile"_s);
    QVERIFY(QDir().mkpath(folder));
    for (const QString &name : {u"2-639.txt"_s, u"1-539.txt"_s, u"10-639.txt"_s, u"readme.txt"_s})
        writeFile(QDir(folder).filePath(name), "1\r\n");
    const PatternManager::ListResult result = PatternManager::writeList(folder);
    QVERIFY2(result.written, qPrintable(result.message));
    QCOMPARE(result.path, dir.filePath(u"PatternList.txt"_s));
    QVERIFY(result.status.contains(QDir::toNativeSeparators(result.path)));
    QCOMPARE(fileBytes(result.path), QByteArray("1-539.txt\r\n2-639.txt\r\n10-639.txt\r\n"));
}

QTEST_GUILESS_MAIN(TestPatternManager)
#include "tst_patternmanager.moc"
