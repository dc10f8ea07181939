#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>
#include <QtEndian>

// A loopback "server" that answers each request with crafted datagrams, from the same thread:
// the control's synchronous wait processes events, so the answers arrive during the call.
class FakeNtpServer : public QObject
{
public:
    FakeNtpServer()
    {
        m_socket.bind(QHostAddress::LocalHost, 0);
        connect(&m_socket, &QUdpSocket::readyRead, this, &FakeNtpServer::answer);
    }

    quint16 port() const { return m_socket.localPort(); }

    // Replies sent for every request, in order, after `delayMs`.
    QList<QByteArray> replies;
    int delayMs = 0;

    QList<QNetworkDatagram> requests;

    // A 48-byte reply with the given transmit seconds and noise in every field that must be
    // ignored (the transmit fraction included).
    static QByteArray reply(quint32 transmitSeconds)
    {
        QByteArray data(48, '\x5A');
        data[0] = '\x24';  // version 4, mode 4 (server)
        qToBigEndian(transmitSeconds, data.data() + 40);
        return data;
    }

private:
    void answer()
    {
        while (m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram request = m_socket.receiveDatagram();
            requests.append(request);
            const QList<QByteArray> toSend = replies;
            auto send = [this, toSend, to = request.senderAddress(), port = quint16(request.senderPort())] {
                for (const QByteArray &r : toSend)
                    m_socket.writeDatagram(r, to, port);
            };
            if (delayMs > 0)
                QTimer::singleShot(delayMs, this, send);
            else
                send();
        }
    }

    QUdpSocket m_socket;
};

// A UDP port that was free a moment ago.
inline int freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    return probe.localPort();
}
