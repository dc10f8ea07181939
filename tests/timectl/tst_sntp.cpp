#include "ntpfixture.h"

#include "horlogix/datetime.h"
#include "horlogix/sntp.h"

#include <QLabel>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
QString shown(double date)
{
    return horlogix::dateToDateTime(date).toString(u"yyyy/MM/dd HH:mm:ss"_s);
}

// Every value GotServerTime delivered (a spy cannot take the reference parameter).
struct Received
{
    explicit Received(SNTP &control)
    {
        QObject::connect(&control, &SNTP::GotServerTime, &control,
                         [this](double &date) { values.append(date); });
    }
    QList<double> values;
};

// A control aimed at the fake server from a free local port.
void aim(SNTP &control, const FakeNtpServer &server)
{
    control.setRemoteHost(u"127.0.0.1"_s);
    control.setRemotePort(server.port());
    control.setLocalPort(freeUdpPort());
}
} // namespace

class TestSntp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsBlankAndKeepsItsSize();
    void replyTime_data();
    void replyTime();
    void shortRepliesAndTimeout();
    void asyncEventsIncludingLateOnes();
    void asyncLookupDoesNotBlock();
    void handlerChangesReturnedValue();
    void handlersMayDeleteOrRestart();
    void argumentsAndPropertyFallBacks();
    void sendFailuresReturnZero();
    void savedState();
    void conversions();
};

void TestSntp::startsBlankAndKeepsItsSize()
{
    SNTP control;
    QCOMPARE(control.RemoteHost(), QString());
    QCOMPARE(control.RemotePort(), 0);
    QCOMPARE(control.LocalPort(), 0);
    QCOMPARE(control.IsSync(), false);
    QCOMPARE(control.TimeoutMs(), 5000);

    control.resize(200, 90);
    QCOMPARE(control.size(), QSize(28, 28));
    auto *pic1 = control.findChild<QLabel *>(u"pic1"_s);
    QVERIFY(pic1 && !pic1->pixmap().isNull());
}

void TestSntp::replyTime_data()
{
    QTest::addColumn<quint32>("seconds");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    // 1900-01-01 is day 2 and 2020-01-01 day 43831 counted from 1899-12-30.
    QTest::newRow("zero") << quint32(0) << u"1900/01/01 09:00:00"_s << 2.375;
    QTest::newRow("2020 new year UTC") << quint32(3786825600u) << u"2020/01/01 09:00:00"_s << 43831.375;
    QTest::newRow("largest") << quint32(0xFFFFFFFFu) << u"2036/02/07 15:28:15"_s
                             << 49712.0 + (15 * 3600 + 28 * 60 + 15) / 86400.0;
}

void TestSntp::replyTime()
{
    QFETCH(quint32, seconds);
    QFETCH(QString, text);
    QFETCH(double, value);

    FakeNtpServer server;
    server.replies = {FakeNtpServer::reply(seconds)};
    SNTP control;
    aim(control, server);
    const Received events(control);

    const double date = control.GetServerTime({}, 0, 0, true);
    QCOMPARE(control.lastError(), SNTP::Error::None);
    QCOMPARE(shown(date), text);
    QVERIFY(qAbs(date - value) < 1e-9);
    QCOMPARE(events.values, QList<double>{date});

    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(server.requests.first().data(), QByteArray(1, '\x0B') + QByteArray(47, '\0'));
    QCOMPARE(server.requests.first().senderPort(), control.LocalPort());
}

void TestSntp::shortRepliesAndTimeout()
{
    FakeNtpServer server;
    // 43 bytes stop one short of the transmit seconds; the wait goes on to the next reply.
    server.replies = {FakeNtpServer::reply(1000).left(43), FakeNtpServer::reply(0).left(44)};
    SNTP control;
    aim(control, server);
    const Received events(control);
    QCOMPARE(shown(control.GetServerTime({}, 0, 0, true)), u"1900/01/01 09:00:00"_s);
    QCOMPARE(events.values.size(), 1);

    server.replies = {QByteArray(43, '\x01')};
    control.setTimeoutMs(300);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(control.GetServerTime({}, 0, 0, true), 0.0);
    QVERIFY2(clock.elapsed() >= 290 && clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(control.lastError(), SNTP::Error::Timeout);
    QCOMPARE(control.boundPort(), 0);
    QCOMPARE(events.values.size(), 1);
}

void TestSntp::asyncEventsIncludingLateOnes()
{
    FakeNtpServer server;
    server.delayMs = 200;
    server.replies = {FakeNtpServer::reply(3786825600u), FakeNtpServer::reply(86400)};
    SNTP control;
    aim(control, server);
    const Received events(control);

    QCOMPARE(control.GetServerTime({}, 0, 0, false), 0.0);
    QCOMPARE(control.lastError(), SNTP::Error::None);
    QTest::qWait(50);
    QVERIFY(events.values.isEmpty());
    QTRY_COMPARE(events.values.size(), 2);
    QCOMPARE(shown(events.values[0]), u"2020/01/01 09:00:00"_s);
    QCOMPARE(shown(events.values[1]), u"1900/01/02 09:00:00"_s);
    QCOMPARE(control.serverTime(), events.values[1]);
}

void TestSntp::asyncLookupDoesNotBlock()
{
    FakeNtpServer server;
    server.replies = {FakeNtpServer::reply(3786825600u)};
    SNTP control;
    aim(control, server);
    control.setRemoteHost(u"localhost"_s);
    const Received events(control);
    QSignalSpy failed(&control, &SNTP::RequestFailed);

    // The call returns while the name is still being looked up: nothing is bound or sent yet.
    QCOMPARE(control.GetServerTime({}, 0, 0, false), 0.0);
    QCOMPARE(control.boundPort(), 0);
    QVERIFY(server.requests.isEmpty());
    QTRY_COMPARE(events.values.size(), 1);
    QCOMPARE(shown(events.values[0]), u"2020/01/01 09:00:00"_s);
    QCOMPARE(server.requests.size(), 1);

    // A request made while a lookup is under way replaces it: one request reaches the server.
    server.requests.clear();
    control.GetServerTime({}, 0, 0, false);
    const int local = freeUdpPort();
    control.GetServerTime({}, 0, local, false);
    QTRY_COMPARE(events.values.size(), 2);
    QTest::qWait(100);
    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(server.requests.first().senderPort(), local);

    // A name that does not resolve fails after the call, with RequestFailed and no event.
    QCOMPARE(control.GetServerTime(u"nosuchhost.invalid"_s, 0, 0, false), 0.0);
    QCOMPARE(control.lastError(), SNTP::Error::None);
    QTRY_COMPARE(failed.size(), 1);
    QCOMPARE(control.lastError(), SNTP::Error::HostNotFound);
    QCOMPARE(events.values.size(), 2);
}

void TestSntp::handlerChangesReturnedValue()
{
    FakeNtpServer server;
    server.replies = {FakeNtpServer::reply(3786825600u)};
    SNTP control;
    aim(control, server);
    connect(&control, &SNTP::GotServerTime, this, [](double &date) { date += 1.5; });

    const double date = control.GetServerTime({}, 0, 0, true);
    QCOMPARE(shown(date), u"2020/01/02 21:00:00"_s);
    QCOMPARE(control.serverTime(), date);
}

void TestSntp::handlersMayDeleteOrRestart()
{
    FakeNtpServer server;
    server.replies = {FakeNtpServer::reply(3786825600u), FakeNtpServer::reply(86400)};

    // Deleted by the handler of its first reply, in either mode: no crash, nothing after it.
    for (const bool sync : {true, false}) {
        auto *control = new SNTP;
        aim(*control, server);
        QPointer<SNTP> alive(control);
        int events = 0;
        connect(control, &SNTP::GotServerTime, this, [&events, control](double &) {
            ++events;
            delete control;
        });
        control->GetServerTime({}, 0, 0, sync);
        QTRY_VERIFY(alive.isNull());
        QTest::qWait(50);
        QCOMPARE(events, 1);
    }

    // A synchronous call made from a handler gets its own reply.
    {
        SNTP control;
        aim(control, server);
        server.replies = {FakeNtpServer::reply(3786825600u)};
        double inner = -1;
        bool asked = false;
        connect(&control, &SNTP::GotServerTime, this, [&](double &) {
            if (asked)
                return;
            asked = true;
            inner = control.GetServerTime({}, 0, freeUdpPort(), true);
        });
        control.GetServerTime({}, 0, 0, false);
        QTRY_VERIFY(inner >= 0);
        QCOMPARE(shown(inner), u"2020/01/01 09:00:00"_s);
        QCOMPARE(control.lastError(), SNTP::Error::None);
    }

    // A failing call made while a synchronous one waits ends that wait at once, with its own error.
    {
        FakeNtpServer silent;
        SNTP control;
        aim(control, silent);
        control.setTimeoutMs(3000);
        QTimer::singleShot(20, &control, [&control] { control.GetServerTime(u"host.invalid"_s, 123, 0, false); });
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(control.GetServerTime({}, 0, 0, true), 0.0);
        QVERIFY(timer.elapsed() < 2000);
        // The name is looked up after the failing call returned; its error comes with it.
        QTRY_COMPARE(control.lastError(), SNTP::Error::HostNotFound);
    }
}

void TestSntp::argumentsAndPropertyFallBacks()
{
    FakeNtpServer server;
    server.replies = {FakeNtpServer::reply(0)};
    SNTP control;
    aim(control, server);
    control.setIsSync(true);  // waits even though syncMode is false

    for (int port : {0, -7}) {
        server.requests.clear();
        QVERIFY(control.GetServerTime(QString(), port, port, false) != 0);
        QCOMPARE(server.requests.size(), 1);
        QCOMPARE(server.requests.first().senderPort(), control.LocalPort());
    }

    // Given arguments win over the properties.
    control.setRemoteHost(u"nosuchhost.invalid"_s);
    control.setRemotePort(1);
    control.setLocalPort(1);
    const int local = freeUdpPort();
    QVERIFY(control.GetServerTime(u"127.0.0.1"_s, server.port(), local, false) != 0);
    QCOMPARE(server.requests.last().senderPort(), local);
}

void TestSntp::sendFailuresReturnZero()
{
    FakeNtpServer server;
    server.replies = {FakeNtpServer::reply(0)};
    SNTP control;
    aim(control, server);
    const Received events(control);

    QCOMPARE(control.GetServerTime(u"nosuchhost.invalid"_s, 0, 0, true), 0.0);
    QCOMPARE(control.lastError(), SNTP::Error::HostNotFound);

    // Held by a socket that shares its port or not, the port is refused either way.
    QUdpSocket exclusive;
    QUdpSocket sharing;
    QVERIFY(exclusive.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
    QVERIFY(sharing.bind(QHostAddress::LocalHost, 0, QAbstractSocket::ShareAddress));
    for (const QUdpSocket *holder : {&exclusive, &sharing}) {
        QCOMPARE(control.GetServerTime({}, 0, holder->localPort(), false), 0.0);
        QCOMPARE(control.lastError(), SNTP::Error::PortInUse);
    }

    SNTP blank;
    QCOMPARE(blank.GetServerTime({}, server.port(), 0, true), 0.0);
    QCOMPARE(blank.lastError(), SNTP::Error::NoHost);

    QTest::qWait(100);
    QVERIFY(events.values.isEmpty());
    QVERIFY(server.requests.isEmpty());
    // A failure does not spoil the next call.
    QVERIFY(control.GetServerTime({}, 0, 0, true) != 0);
}

void TestSntp::savedState()
{
    SNTP control;
    // As a text-only store such as an INI file gives it back.
    control.ReadProperties({{u"RemoteHost"_s, u"ntp.example"_s}, {u"SyncMode"_s, u"true"_s}});
    QCOMPARE(control.RemoteHost(), u"ntp.example"_s);
    QCOMPARE(control.RemotePort(), 123);
    QCOMPARE(control.LocalPort(), 1024);
    QCOMPARE(control.IsSync(), true);

    control.ReadProperties({{u"RemotePort"_s, u"5123"_s}, {u"LocalPort"_s, u"not a port"_s}});
    QCOMPARE(control.RemoteHost(), QString());
    QCOMPARE(control.RemotePort(), 5123);
    QCOMPARE(control.LocalPort(), 1024);
    QCOMPARE(control.IsSync(), false);

    // Values of the wrong kind read as the defaults; no silent wrap of 64-bit numbers.
    control.ReadProperties({{u"RemoteHost"_s, 5}, {u"SyncMode"_s, u"no"_s},
                            {u"LocalPort"_s, qlonglong(5000000000)}, {u"RemotePort"_s, 1.0}});
    QCOMPARE(control.RemoteHost(), QString());
    QCOMPARE(control.IsSync(), false);
    QCOMPARE(control.LocalPort(), 1024);
    QCOMPARE(control.RemotePort(), 1);
    control.ReadProperties({{u"SyncMode"_s, u"1"_s}});
    QCOMPARE(control.IsSync(), true);

    SNTP fresh;
    PropertyBag bag;
    fresh.WriteProperties(bag);
    const PropertyBag expected{{u"RemoteHost"_s, QString()}, {u"RemotePort"_s, 0},
                               {u"LocalPort"_s, 0}, {u"SyncMode"_s, false}};
    QCOMPARE(bag, expected);
}

void TestSntp::conversions()
{
    using namespace horlogix;
    // Before the origin the fraction is still the time of day.
    const QDateTime early = dateToDateTime(-1.25);
    QCOMPARE(early, QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::OffsetFromUTC, 9 * 3600));
    QCOMPARE(dateTimeToDate(early), -1.25);
    QCOMPARE(dateTimeToDate(QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC)), 43831.375);
    // Whatever a handler stored: no date, and no overflow on the way.
    for (double odd : {1e300, -1e300, 1e18, qInf(), -qInf(), qQNaN()})
        QVERIFY(!dateToDateTime(odd).isValid());

    for (quint32 seconds : {0u, 59u, 86399u, 3786825600u - 32401u, 0xFFFFFFFFu}) {
        const QDateTime instant = QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC).addSecs(seconds);
        QCOMPARE(dateToDateTime(transmitSecondsToDate(seconds)), instant);
    }
}

QTEST_MAIN(TestSntp)
#include "tst_sntp.moc"
