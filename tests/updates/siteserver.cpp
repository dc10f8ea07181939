#include "siteserver.h"

#include <QDir>
#include <QFile>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

SiteServer::SiteServer(const QString &folder) : m_folder(folder)
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                QByteArray request = socket->property("request").toByteArray() + socket->readAll();
                socket->setProperty("request", request);
                if (!request.contains("\r\n\r\n"))
                    return;
                ++m_requests;
                answer(socket, QString::fromUtf8(request.split(' ').value(1)).mid(1));
            });
        }
    });
}

QString SiteServer::url() const
{
    return u"http://127.0.0.1:%1/"_s.arg(m_server.serverPort());
}

void SiteServer::answer(QTcpSocket *socket, const QString &path)
{
    const Behaviour behaviour = m_behaviours.value(path, Behaviour::Serve);
    QFile file(QDir(m_folder).filePath(path));
    if (behaviour == Behaviour::RedirectToHttp) {
        socket->write("HTTP/1.1 302 Found\r\nLocation: " + url().toUtf8() + "moved/" + path.toUtf8()
                      + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    } else if (behaviour == Behaviour::NotFound || !file.open(QIODevice::ReadOnly)) {
        socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    } else {
        const QByteArray body = file.readAll();
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n");
        if (behaviour == Behaviour::Stall) {
            socket->write(body.left(body.size() / 2));
            return;
        }
        socket->write(body);
    }
    socket->disconnectFromHost();
}
