#pragma once

#include <QHash>
#include <QString>
#include <QTcpServer>

// A web server on a loopback port serving a folder, for the updater's tests: a real server over
// real sockets, with a few misbehaviours a path can be given. Serves on the thread it lives on,
// so the updater under test runs on another one.
class SiteServer : public QObject
{
public:
    enum class Behaviour {
        Serve,
        NotFound,        // 404
        Stall,           // headers and half the body, then silence
        RedirectToHttp,  // 302 to the same path on plain HTTP
    };

    explicit SiteServer(const QString &folder);
    QString url() const;
    void setBehaviour(const QString &path, Behaviour behaviour) { m_behaviours.insert(path, behaviour); }
    int requestCount() const { return m_requests; }

private:
    void answer(QTcpSocket *socket, const QString &path);

    QTcpServer m_server;
    QString m_folder;
    QHash<QString, Behaviour> m_behaviours;
    int m_requests = 0;
};
