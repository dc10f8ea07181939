#pragma once

#include "horlogix/horlogix_global.h"
#include "horlogix/sntpreply.h"

#include <QString>
#include <QVariantMap>
#include <QWidget>

class QHostAddress;
class QLabel;
class QUdpSocket;

// The saved state of a control: key -> value, so a host can keep it in QSettings, in its form
// file or anywhere else.
using PropertyBag = QVariantMap;

// Asks an SNTP server for the current time over UDP and hands the time to the host, either as
// the result of GetServerTime (synchronous mode) or through GotServerTime. It never sets the
// computer's clock. Date-times are days since 1899-12-30 as a double (see horlogix/datetime.h
// for conversions); they are in Japan Standard Time.
class HORLOGIX_EXPORT SNTP : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString RemoteHost READ RemoteHost WRITE setRemoteHost)
    Q_PROPERTY(int RemotePort READ RemotePort WRITE setRemotePort)
    Q_PROPERTY(int LocalPort READ LocalPort WRITE setLocalPort)
    Q_PROPERTY(bool IsSync READ IsSync WRITE setIsSync)
    Q_PROPERTY(int TimeoutMs READ TimeoutMs WRITE setTimeoutMs)

public:
    // Why the last GetServerTime returned 0 (None when it did not fail).
    enum class Error { None, NoHost, HostNotFound, InvalidPort, PortInUse, BindFailed, SendFailed, Timeout };
    Q_ENUM(Error)

    // The control keeps 420 x 420 twips whatever size it is given.
    static constexpr int kSizeTwips = 420;
    static constexpr int kSizePixels = kSizeTwips / 15;
    static constexpr int kDefaultTimeoutMs = 5000;
    static constexpr int kRequestSize = 48;
    // A reply must reach the end of the transmit seconds (bytes 40 to 43).
    static constexpr int kMinimumReplySize = horlogix::kMinimumReplySize;

    explicit SNTP(QWidget *parent = nullptr);
    ~SNTP() override;

    QString RemoteHost() const { return m_remoteHost; }
    void setRemoteHost(const QString &value) { m_remoteHost = value; }
    int RemotePort() const { return m_remotePort; }
    void setRemotePort(int value) { m_remotePort = value; }
    int LocalPort() const { return m_localPort; }
    void setLocalPort(int value) { m_localPort = value; }
    bool IsSync() const { return m_isSync; }
    void setIsSync(bool value) { m_isSync = value; }
    // How long a synchronous call waits for the reply; below 1 it waits without limit.
    int TimeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int value) { m_timeoutMs = value; }

    // Sends one request. An empty host or a port below 1 stands for the matching property.
    // Synchronous (syncMode or IsSync): keeps processing events until a reply arrives and
    // returns the server time as it stands after GotServerTime, or 0 when TimeoutMs passes
    // first (the socket is then closed). Otherwise returns 0 at once and the time arrives through
    // GotServerTime; a host name is then looked up without blocking and the request leaves once
    // it is known. Any failure to send returns 0 without raising the event; lastError() says
    // why (for an asynchronous request that fails after the call returned, RequestFailed says
    // when).
    Q_INVOKABLE double GetServerTime(const QString &remoteHost = QString(), int remotePort = 0,
                                     int localPort = 0, bool syncMode = false);

    // The last time received (0 before any), and whether a reply came since the last request.
    double serverTime() const { return m_serverTime; }
    bool received() const { return m_received; }

    Error lastError() const { return m_error; }
    QString errorString() const { return m_errorString; }
    // The local port the socket is bound to, 0 when closed.
    int boundPort() const;

    // Saved state under "RemoteHost", "RemotePort", "LocalPort" and "SyncMode". A missing key (or
    // a value of the wrong kind) reads as "", 123, 1024 and false; all four are always written.
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The 48-byte client request: version 1, mode 3, everything else zero.
    static QByteArray request();

Q_SIGNALS:
    // Raised once per reply of at least 44 bytes. The value is the control's stored server
    // time: a handler connected directly may change it, and a waiting GetServerTime returns the
    // changed value.
    void GotServerTime(double &serverTime);
    // An asynchronous request failed after GetServerTime returned: its host name did not
    // resolve, or the socket could not be bound or used. lastError() says why.
    void RequestFailed();

private:
    void readReplies();
    double fail(Error error, const QString &text);
    bool send(const QHostAddress &address, const QString &host, quint16 remotePort, quint16 localPort);
    void abortLookup();

    QString m_remoteHost;
    int m_remotePort = 0;
    int m_localPort = 0;
    bool m_isSync = false;
    int m_timeoutMs = kDefaultTimeoutMs;

    bool m_received = false;
    double m_serverTime = 0;
    Error m_error = Error::None;
    QString m_errorString;
    quint64 m_exchange = 0;  // counts requests, so a reply handler can tell a new one started
    int m_lookupId = -1;     // the host-name lookup of an asynchronous request under way

    QUdpSocket *m_socket = nullptr;
    QLabel *m_icon = nullptr;
};
