#include "updates/httpsite.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

using namespace Qt::StringLiterals;

HttpSite::HttpSite(const QUrl &base, const QString &address, const Limits &limits, const std::atomic<bool> *cancel)
    : m_base(base), m_address(address), m_limits(limits), m_cancel(cancel)
{
    if (!m_base.path().endsWith(u'/'))
        m_base.setPath(m_base.path() + u'/');
}

HttpSite::~HttpSite() = default;

bool HttpSite::isLoopback(const QString &host)
{
    if (host.compare(u"localhost"_s, Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

namespace {
QString networkError(const QNetworkReply &reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 404)
        return u"見つかりません（HTTP 404）"_s;
    if (status >= 400)
        return u"サーバーが断りました（HTTP %1）"_s.arg(status);
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return u"接続を拒否されました"_s;
    case QNetworkReply::HostNotFoundError:
        return u"サーバーが見つかりません"_s;
    case QNetworkReply::RemoteHostClosedError:
        return u"サーバーが接続を切りました"_s;
    case QNetworkReply::SslHandshakeFailedError:
        return u"安全な接続を確立できません（%1）"_s.arg(reply.errorString());
    default:
        return reply.errorString();
    }
}
} // namespace

SiteAccess::Fetched HttpSite::fetch(const QString &path, qint64 maxBytes, const Progress &progress)
{
    Fetched fetched;
    if (m_cancel && m_cancel->load()) {
        fetched.cancelled = true;
        return fetched;
    }
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    QUrl relative;
    relative.setPath(path);
    QNetworkRequest request(m_base.resolved(relative));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, u"Zemvara updater"_s);

    QEventLoop loop;
    std::unique_ptr<QNetworkReply> reply(m_network->get(request));
    QString failure;
    auto stop = [&](const QString &why) {
        // A timer that fires after the last byte came ends nothing.
        if (reply->isFinished())
            return;
        if (failure.isEmpty())
            failure = why;
        reply->abort();
    };

    // Until the request is out, the connect limit counts; then the stall limit, restarted by
    // every byte that arrives.
    QTimer limit;
    limit.setSingleShot(true);
    bool sent = false;
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        stop(sent ? u"サーバーの応答が %1 秒間止まりました"_s.arg(m_limits.stallMs / 1000.0)
                  : u"%1 秒以内に接続できませんでした"_s.arg(m_limits.connectMs / 1000.0));
    });
    limit.start(m_limits.connectMs);
    QObject::connect(reply.get(), &QNetworkReply::requestSent, &loop, [&] {
        sent = true;
        limit.start(m_limits.stallMs);
    });
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, [&](const QUrl &target) {
        if (target.scheme() == u"https")
            Q_EMIT reply->redirectAllowed();
        else
            stop(u"HTTPS でない転送先（%1）には従いません"_s.arg(target.toDisplayString()));
    });
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        // An answer means the request is out, whatever signalled it or not.
        sent = true;
        limit.start(m_limits.stallMs);
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes)
            stop(u"ファイルが大きすぎます（%1 バイトまで）"_s.arg(maxBytes));
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        fetched.bytes += reply->readAll();
        sent = true;
        limit.start(m_limits.stallMs);
        if (fetched.bytes.size() > maxBytes)
            stop(u"ファイルが大きすぎます（%1 バイトまで）"_s.arg(maxBytes));
        else if (progress)
            progress(fetched.bytes.size());
    });
    // Cancel is a flag of another thread: looked at often enough to feel immediate.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (m_cancel && m_cancel->load()) {
            fetched.cancelled = true;
            reply->abort();
        }
    });
    watch.start(50);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    if (!fetched.cancelled && failure.isEmpty()) {
        fetched.bytes += reply->readAll();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError || status != 200)
            failure = reply->error() == QNetworkReply::NoError && status != 200
                          ? u"サーバーの応答が正しくありません（HTTP %1）"_s.arg(status)
                          : networkError(*reply);
        else if (fetched.bytes.size() > maxBytes)
            failure = u"ファイルが大きすぎます（%1 バイトまで）"_s.arg(maxBytes);
    }
    if (fetched.cancelled || !failure.isEmpty())
        fetched.bytes.clear();
    fetched.error = fetched.cancelled ? QString() : failure;
    if (!fetched.error.isEmpty())
        fetched.error = path + u"："_s + fetched.error;
    return fetched;
}
