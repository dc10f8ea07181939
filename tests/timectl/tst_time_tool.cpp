// horlogix-time against the loopback server: what it prints and how it exits.
#include "ntpfixture.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

class TestTimeTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
    void outputFailures_data();
    void outputFailures();
};

void TestTimeTool::run_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");

    QTest::newRow("synchronous") << QStringList() << true << 0 << u"2020/01/01 09:00:00\n"_s;
    QTest::newRow("event") << QStringList{u"--async"_s} << true << 0 << u"2020/01/01 09:00:00\n"_s;
    QTest::newRow("no reply") << QStringList{u"--timeout-ms"_s, u"200"_s} << false << 1 << QString();
    QTest::newRow("no reply to the event") << QStringList{u"--async"_s, u"--timeout-ms"_s, u"200"_s}
                                           << false << 1 << QString();
    QTest::newRow("unresolvable host") << QStringList{u"--host"_s, u"nosuchhost.invalid"_s} << true << 1
                                       << QString();
    // Reported when the lookup fails, long before the wait for a reply would end.
    QTest::newRow("unresolvable host, event")
        << QStringList{u"--async"_s, u"--host"_s, u"nosuchhost.invalid"_s, u"--timeout-ms"_s, u"600000"_s}
        << true << 1 << QString();
    QTest::newRow("bad option") << QStringList{u"--timeout-ms"_s, u"soon"_s} << true << 2 << QString();
    // Every port outside 1..65535 is wrong usage, however large.
    QTest::newRow("port 0") << QStringList{u"--port"_s, u"0"_s} << true << 2 << QString();
    QTest::newRow("port 65536") << QStringList{u"--port"_s, u"65536"_s} << true << 2 << QString();
    QTest::newRow("port 2^31") << QStringList{u"--port"_s, u"2147483648"_s} << true << 2 << QString();
    QTest::newRow("port of 30 digits") << QStringList{u"--port"_s, QString(30, u'9')} << true << 2 << QString();
    QTest::newRow("local port 65536") << QStringList{u"--local-port"_s, u"65536"_s} << true << 2 << QString();
}

void TestTimeTool::run()
{
    QFETCH(QStringList, options);
    QFETCH(bool, answer);
    QFETCH(int, exitCode);
    QFETCH(QString, out);

    FakeNtpServer server;
    if (answer)
        server.replies = {FakeNtpServer::reply(3786825600u)};
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    // The server is served by this thread's events while the tool runs.
    process.start(QString::fromUtf8(HORLOGIX_TIME_TOOL),
                  QStringList{u"--port"_s, QString::number(server.port()), u"--local-port"_s,
                              QString::number(freeUdpPort())} + options);
    QVERIFY(finished.wait(15000));
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), out);
    // Every failure says why.
    if (exitCode != 0)
        QVERIFY(process.readAllStandardError().contains("horlogix-time: "));
}

void TestTimeTool::outputFailures_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("closed");  // standard output closed, else /dev/full
    QTest::newRow("synchronous, full disk") << QStringList() << false;
    QTest::newRow("synchronous, output closed") << QStringList() << true;
    QTest::newRow("event, full disk") << QStringList{u"--async"_s} << false;
    QTest::newRow("event, output closed") << QStringList{u"--async"_s} << true;
    QTest::newRow("help, full disk") << QStringList{u"--help"_s} << false;
}

void TestTimeTool::outputFailures()
{
    QFETCH(QStringList, options);
    QFETCH(bool, closed);

    FakeNtpServer server;
    server.replies = {FakeNtpServer::reply(3786825600u)};
    QProcess process;
    if (closed)
        process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    else
        process.setStandardOutputFile(u"/dev/full"_s);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QString::fromUtf8(HORLOGIX_TIME_TOOL),
                  QStringList{u"--port"_s, QString::number(server.port()), u"--local-port"_s,
                              QString::number(freeUdpPort())} + options);
    QVERIFY(finished.wait(15000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("horlogix-time: cannot write to standard output: "));
}

QTEST_MAIN(TestTimeTool)
#include "tst_time_tool.moc"
