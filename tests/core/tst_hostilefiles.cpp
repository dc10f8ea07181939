// Files no draw history is: a FIFO, endless devices, a file larger than any real history.
// Each must be refused at once, by the reader, the command-line tool and the main window alike.
#include "core/appfiles.h"
#include "core/controlarray.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "support/testsupport.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace testsupport;

namespace {
// A refusal must come at once; a reader that blocks or reads on would take far longer.
constexpr qint64 kPromptMs = 5000;

struct HostileFile
{
    QString name;
    QString path;
    AppFiles::ReadError error;
};

// The hostile files, made in dir where they are not devices of the system.
QList<HostileFile> hostileFiles(const QTemporaryDir &dir)
{
    QList<HostileFile> files;
    const QString fifo = dir.filePath(u"fifo_Download.csv"_s);
    if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0)
        files.append({u"FIFO"_s, fifo, AppFiles::ReadError::NotRegular});
    files.append({u"/dev/zero"_s, u"/dev/zero"_s, AppFiles::ReadError::NotRegular});
    files.append({u"/dev/urandom"_s, u"/dev/urandom"_s, AppFiles::ReadError::NotRegular});
    const QString link = dir.filePath(u"zero_Download.csv"_s);
    if (QFile::link(u"/dev/zero"_s, link))
        files.append({u"link to /dev/zero"_s, link, AppFiles::ReadError::NotRegular});
    // A valid title, then a hole: a sparse file one byte over the limit takes no disk space.
    const QString sparse = dir.filePath(u"big_Download.csv"_s);
    QFile big(sparse);
    if (big.open(QIODevice::WriteOnly) && big.write("LOTO6 DownloadData\r\nh\r\n") > 0
        && big.resize(AppFiles::kMaxFileBytes + 1)) {
        files.append({u"sparse, one byte too large"_s, sparse, AppFiles::ReadError::TooLarge});
    }
    return files;
}

QString status(const FormMain &w)
{
    return w.findChild<PanelStatusBar *>(u"StatusBar1"_s)->panelText(1);
}
} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void reader();
    void readerLimit_data();
    void readerLimit();
    void commandLine();
    void mainWindow();

private:
    QTemporaryDir m_dir;
    QList<HostileFile> m_files;
};

void TestHostileFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_files = hostileFiles(m_dir);
    QCOMPARE(m_files.size(), 5);
}

void TestHostileFiles::reader()
{
    for (const HostileFile &f : std::as_const(m_files)) {
        QElapsedTimer timer;
        timer.start();
        const AppFiles::ReadResult r = AppFiles::readFile(f.path);
        QVERIFY2(timer.elapsed() < kPromptMs, qPrintable(f.name));
        QVERIFY2(r.error == f.error, qPrintable(f.name));
        QVERIFY2(r.bytes.isEmpty(), qPrintable(f.name));
    }
    // A file that claims to be empty, as those of /proc do, is still read to its end.
    const AppFiles::ReadResult maps = AppFiles::readFile(u"/proc/self/maps"_s);
    QVERIFY(maps.ok());
    QVERIFY(maps.bytes.size() > 4096);
    QVERIFY(maps.bytes.endsWith('\n'));
}

void TestHostileFiles::readerLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("read");
    QTest::newRow("empty") << 0 << 10 << true;
    QTest::newRow("at the limit") << 10 << 10 << true;
    QTest::newRow("one over") << 11 << 10 << false;
    // Past the first guess of the buffer (the size the file gives), still exact.
    QTest::newRow("large, at the limit") << 3 * 4096 + 7 << 3 * 4096 + 7 << true;
    QTest::newRow("large, one over") << 3 * 4096 + 8 << 3 * 4096 + 7 << false;
}

void TestHostileFiles::readerLimit()
{
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, read);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 31 + i / 256);
    const QString path = writeBytesFile(m_dir, u"limit.bin"_s, bytes);
    const AppFiles::ReadResult r = AppFiles::readFile(path, limit);
    QCOMPARE(r.ok(), read);
    QCOMPARE(r.error, read ? AppFiles::ReadError::None : AppFiles::ReadError::TooLarge);
    QCOMPARE(r.bytes, read ? bytes : QByteArray());
}

void TestHostileFiles::commandLine()
{
    for (const HostileFile &f : std::as_const(m_files)) {
        QElapsedTimer timer;
        timer.start();
        const CliRun r = runCli({u"load"_s, f.path});
        QVERIFY2(timer.elapsed() < kPromptMs, qPrintable(f.name));
        QVERIFY2(r.status == 1, qPrintable(f.name));
        QVERIFY2(r.err == u"データファイルが異常です\n"_s, qPrintable(f.name));
        QVERIFY2(r.out.isEmpty(), qPrintable(f.name));
    }
}

void TestHostileFiles::mainWindow()
{
    MessageRecorder messages;
    FormMain w(testsupport::program());
    QVERIFY(w.loadFile(miniLotoFile()));
    w.findChild<QLineEdit *>(u"Text1"_s)->setText(u"7"_s);
    QPushButton *lastRows = controlAt<QPushButton>(&w, u"Command2"_s, 1);
    QVERIFY(lastRows);
    lastRows->click();
    const QString before = status(w);
    QCOMPARE(before, u"選択数：7/1402"_s);

    FileDialogAnswer answer{QString()};
    for (const HostileFile &f : std::as_const(m_files)) {
        answer.setPath(f.path);
        messages.clear();
        QElapsedTimer timer;
        timer.start();
        w.findChild<QAction *>(u"menuDataLoad"_s)->trigger();
        QVERIFY2(timer.elapsed() < kPromptMs, qPrintable(f.name));
        QVERIFY2(messages.texts() == QStringList{u"データファイルが異常です"_s}, qPrintable(f.name));
        QCOMPARE(w.RunMode(), 5);
        QCOMPARE(w.MaxNo(), 31);
        QCOMPARE(w.table().rowCount(), 1402);
        QCOMPARE(status(w), before);
    }
}

QTEST_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
