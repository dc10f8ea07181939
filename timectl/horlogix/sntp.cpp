#include "horlogix/sntp.h"

#include "horlogix/clockicon.h"
#include "horlogix/sntpreply.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostInfo>
#include <QLabel>
#include <QNetworkDatagram>
#include <QPointer>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>

#include <limits>

using namespace Qt::StringLiterals;

namespace {
const auto kKeyRemoteHost = u"RemoteHost"_s;
const auto kKeyRemotePort = u"RemotePort"_s;
const auto kKeyLocalPort = u"LocalPort"_s;
const auto kKeySyncMode = u"SyncMode"_s;
constexpr int kSavedRemotePort = 123;
constexpr int kSavedLocalPort = 1024;

// A saved 32-bit integer, or the fall-back when the key is missing or the value is not one.
int savedInt(const PropertyBag &bag, const QString &key, int fallback)
{
    const auto it = bag.constFind(key);
    if (it == bag.cend())
        return fallback;
    bool ok = false;
    const qlonglong value = it->toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return fallback;
    return int(value);
}

// A saved flag: a boolean, 0/1, or the texts "true"/"false"/"1"/"0"; anything else is the fall-back.
bool savedBool(const PropertyBag &bag, const QString &key, bool fallback)
{
    const auto it = bag.constFind(key);
    if (it == bag.cend())
        return fallback;
    if (it->typeId() == QMetaType::Bool)
        return it->toBool();
    const QString text = it->toString().trimmed().toLower();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return fallback;
}

// A saved text; a value of another kind reads as the fall-back.
QString savedText(const PropertyBag &bag, const QString &key, const QString &fallback)
{
    const auto it = bag.constFind(key);
    if (it == bag.cend() || (it->typeId() != QMetaType::QString && it->typeId() != QMetaType::QByteArray))
        return fallback;
    return it->toString();
}

// IPv4 first: a name such as "localhost" often maps to both, and many servers listen on
// IPv4 only.
QHostAddress pickAddress(const QList<QHostAddress> &addresses)
{
    for (const QHostAddress &a : addresses) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    }
    return addresses.isEmpty() ? QHostAddress() : addresses.first();
}
} // namespace

SNTP::SNTP(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kSizePixels, kSizePixels);
    setToolTip(u"SNTP"_s);

    m_icon = new QLabel(this);
    m_icon->setObjectName(u"pic1"_s);
    m_icon->setGeometry(0, 0, kSizePixels, kSizePixels);
    m_icon->setPixmap(horlogix::clockPixmap(kSizePixels, devicePixelRatioF()));

    m_socket = new QUdpSocket(this);
    m_socket->setObjectName(u"Winsock"_s);
    // Queued: a handler of GotServerTime may delete this control or start a new exchange, which
    // must not happen inside the socket's own notification.
    connect(m_socket, &QUdpSocket::readyRead, this, &SNTP::readReplies, Qt::QueuedConnection);
}

SNTP::~SNTP()
{
    abortLookup();
}

QSize SNTP::sizeHint() const
{
    return {kSizePixels, kSizePixels};
}

QSize SNTP::minimumSizeHint() const
{
    return sizeHint();
}

QByteArray SNTP::request()
{
    QByteArray data(kRequestSize, '\0');
    data[0] = '\x0B';
    return data;
}

int SNTP::boundPort() const
{
    return m_socket->state() == QAbstractSocket::BoundState ? m_socket->localPort() : 0;
}

double SNTP::fail(Error error, const QString &text)
{
    m_socket->abort();
    m_error = error;
    m_errorString = text;
    return 0;
}

void SNTP::abortLookup()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_lookupId = -1;
}

double SNTP::GetServerTime(const QString &remoteHost, int remotePort, int localPort,
                           bool syncMode)
{
    ++m_exchange;
    abortLookup();
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    m_error = Error::None;
    m_errorString.clear();

    const QString host = remoteHost.isEmpty() ? m_remoteHost : remoteHost;
    const int serverPort = remotePort < 1 ? m_remotePort : remotePort;
    const int ownPort = localPort < 1 ? m_localPort : localPort;

    if (host.isEmpty())
        return fail(Error::NoHost, u"no remote host given"_s);
    if (serverPort < 1 || serverPort > 65535)
        return fail(Error::InvalidPort, u"remote port %1 is out of range"_s.arg(serverPort));
    if (ownPort < 0 || ownPort > 65535)
        return fail(Error::InvalidPort, u"local port %1 is out of range"_s.arg(ownPort));

    m_received = false;
    const bool sync = syncMode || m_isSync;
    QHostAddress address(host);
    if (address.isNull() && !sync) {
        // The host's events go on while the name is looked up; the request leaves when it is
        // known, unless another request has been made meanwhile.
        const quint64 exchange = m_exchange;
        m_lookupId = QHostInfo::lookupHost(host, this, [this, exchange, host, serverPort, ownPort](const QHostInfo &info) {
            if (exchange != m_exchange)
                return;
            m_lookupId = -1;
            const QHostAddress resolved = pickAddress(info.addresses());
            if (info.error() != QHostInfo::NoError || resolved.isNull()) {
                fail(Error::HostNotFound, u"cannot resolve host %1"_s.arg(host));
                Q_EMIT RequestFailed();
            } else if (!send(resolved, host, quint16(serverPort), quint16(ownPort))) {
                Q_EMIT RequestFailed();
            }
        });
        return 0;
    }
    if (address.isNull()) {
        const QHostInfo info = QHostInfo::fromName(host);
        address = pickAddress(info.addresses());
        if (info.error() != QHostInfo::NoError || address.isNull())
            return fail(Error::HostNotFound, u"cannot resolve host %1"_s.arg(host));
    }
    if (!send(address, host, quint16(serverPort), quint16(ownPort)) || !sync)
        return 0;

    // The host stays responsive while we wait, and may even delete us from a handler.
    const QPointer<SNTP> alive(this);
    const quint64 exchange = m_exchange;
    const QDeadlineTimer deadline = m_timeoutMs > 0
        ? QDeadlineTimer(m_timeoutMs, Qt::PreciseTimer) : QDeadlineTimer(QDeadlineTimer::Forever);
    QTimer wake;  // wakes the blocking wait for events below when the time is up
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!m_received) {
        if (deadline.hasExpired()) {
            return fail(Error::Timeout, u"no reply from %1:%2 within %3 ms"_s.arg(host)
                                            .arg(serverPort).arg(m_timeoutMs));
        }
        if (!deadline.isForever() && !wake.isActive())
            wake.start(int(std::max<qint64>(1, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (!alive)
            return 0;
        // A handler started another exchange: the socket is its now, and this wait is over.
        if (m_exchange != exchange)
            return m_received ? m_serverTime : 0;
    }
    return m_serverTime;
}

bool SNTP::send(const QHostAddress &address, const QString &host, quint16 remotePort, quint16 localPort)
{
    // Binding without address sharing, so a port another socket holds is reported as in use.
    const QHostAddress any = address.protocol() == QAbstractSocket::IPv6Protocol
        ? QHostAddress(QHostAddress::AnyIPv6) : QHostAddress(QHostAddress::AnyIPv4);
    if (!m_socket->bind(any, localPort, QAbstractSocket::DontShareAddress)) {
        if (m_socket->error() == QAbstractSocket::AddressInUseError)
            fail(Error::PortInUse, u"local port %1 is in use"_s.arg(localPort));
        else
            fail(Error::BindFailed, u"cannot use local port %1: %2"_s.arg(localPort).arg(m_socket->errorString()));
        return false;
    }
    const QByteArray packet = request();
    if (m_socket->writeDatagram(packet, address, remotePort) != packet.size()) {
        fail(Error::SendFailed, u"cannot send to %1:%2: %3"_s.arg(host).arg(remotePort).arg(m_socket->errorString()));
        return false;
    }
    return true;
}

void SNTP::readReplies()
{
    while (m_socket->hasPendingDatagrams()) {
        const std::optional<double> time = horlogix::replyServerTime(m_socket->receiveDatagram().data());
        if (!time)
            continue;
        m_serverTime = *time;
        m_received = true;
        // A handler may delete the control or start a new exchange; stop reading then.
        const QPointer<SNTP> alive(this);
        const quint64 exchange = m_exchange;
        Q_EMIT GotServerTime(m_serverTime);
        if (!alive || exchange != m_exchange)
            return;
    }
}

void SNTP::ReadProperties(const PropertyBag &bag)
{
    m_remoteHost = savedText(bag, kKeyRemoteHost, QString());
    m_remotePort = savedInt(bag, kKeyRemotePort, kSavedRemotePort);
    m_localPort = savedInt(bag, kKeyLocalPort, kSavedLocalPort);
    m_isSync = savedBool(bag, kKeySyncMode, false);
}

void SNTP::WriteProperties(PropertyBag &bag) const
{
    bag.insert(kKeyRemoteHost, m_remoteHost);
    bag.insert(kKeyRemotePort, m_remotePort);
    bag.insert(kKeyLocalPort, m_localPort);
    bag.insert(kKeySyncMode, m_isSync);
}
