// horlogix-time against the loopback server: what it prints and how it exits.
#include "ntpfixture.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTimeTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
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
    QTest::newRow("bad option") << QStringList{u"--timeout-ms"_s, u"soon"_s} << true << 2 << QString();
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

QTEST_MAIN(TestTimeTool)
#include "tst_time_tool.moc"
