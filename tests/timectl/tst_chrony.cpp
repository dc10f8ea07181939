// The control against a real NTP server: chronyd, run by the test as a loopback server that
// never touches the clock.
#include "ntpfixture.h"

#include "horlogix/datetime.h"
#include "horlogix/sntp.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

class TestChrony : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void serverTimeIsJstNow();
    void cleanupTestCase();

private:
    // Asks until chronyd answers (it needs a moment after starting); 0 when it never does.
    double askWithRetry(SNTP &control);

    QTemporaryDir m_dir;
    QProcess m_chronyd;
    int m_port = 0;
};

void TestChrony::initTestCase()
{
    QString program = QStandardPaths::findExecutable(u"chronyd"_s);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(u"chronyd"_s, {u"/usr/sbin"_s, u"/sbin"_s});
    if (program.isEmpty())
        QSKIP("chronyd not found: install the chrony package (scripts/setup --test) to run this test");
    QVERIFY(m_dir.isValid());

    m_port = freeUdpPort();
    QVERIFY(m_port > 1024);
    const QString config = m_dir.filePath(u"chrony.conf"_s);
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    file.write(u"port %1\n"
               "bindaddress 127.0.0.1\n"
               "allow 127.0.0.1\n"
               "local stratum 8\n"
               "cmdport 0\n"
               "pidfile %2\n"
               "driftfile %3\n"_s
                   .arg(m_port)
                   .arg(m_dir.filePath(u"chronyd.pid"_s), m_dir.filePath(u"chrony.drift"_s))
                   .toUtf8());
    file.close();

    // -x: never control the clock; -d: stay in the foreground, so the pid is ours to stop;
    // -t: a safety net should the test die before stopping it. As root chronyd would switch to
    // its own user, which cannot reach the temporary folder; unprivileged it must not insist
    // on root.
    QStringList arguments{u"-x"_s, u"-d"_s, u"-t"_s, u"120"_s, u"-f"_s, config};
    arguments << (::geteuid() == 0 ? QStringList{u"-u"_s, u"root"_s} : QStringList{u"-U"_s});
    m_chronyd.setProcessChannelMode(QProcess::MergedChannels);
    m_chronyd.start(program, arguments);
    QVERIFY2(m_chronyd.waitForStarted(5000), qPrintable(m_chronyd.errorString()));
}

double TestChrony::askWithRetry(SNTP &control)
{
    control.setTimeoutMs(250);
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && m_chronyd.state() == QProcess::Running) {
        const double date = control.GetServerTime(u"127.0.0.1"_s, m_port, freeUdpPort(), true);
        if (date != 0)
            return date;
    }
    return 0;
}

void TestChrony::serverTimeIsJstNow()
{
    SNTP control;
    const double date = askWithRetry(control);
    const QByteArray log = m_chronyd.readAll();
    QVERIFY2(date != 0, log.constData());

    // The reported wall clock against the system's UTC plus nine hours; whole seconds only,
    // so the server is up to a second behind.
    const QDateTime systemPlusNine = QDateTime::currentDateTimeUtc().addSecs(9 * 3600);
    const QDateTime got = horlogix::dateToDateTime(date);
    const QDateTime reported(got.date(), got.time(), Qt::UTC);
    QVERIFY2(qAbs(reported.msecsTo(systemPlusNine)) <= 2000,
             qPrintable(reported.toString(Qt::ISODate) + u" vs "_s + systemPlusNine.toString(Qt::ISODate)));
}

void TestChrony::cleanupTestCase()
{
    if (m_chronyd.state() == QProcess::NotRunning)
        return;
    // Stopped by its own pid (SIGTERM), nothing broader.
    m_chronyd.terminate();
    if (!m_chronyd.waitForFinished(5000)) {
        m_chronyd.kill();
        m_chronyd.waitForFinished(2000);
    }
}

QTEST_MAIN(TestChrony)
#include "tst_chrony.moc"
