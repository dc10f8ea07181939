#pragma once

#include "updates/siteaccess.h"

#include <QUrl>

#include <memory>

class QNetworkAccessManager;

// A site on a web server. Every fetch runs its own event loop on the calling thread, so a
// background run can fetch file after file in plain sequence.
class HttpSite final : public SiteAccess
{
public:
    HttpSite(const QUrl &base, const QString &address, const Limits &limits, const std::atomic<bool> *cancel);
    ~HttpSite() override;

    QString address() const override { return m_address; }
    Fetched fetch(const QString &path, qint64 maxBytes, const Progress &progress) override;

    // Whether plain HTTP may be used with this host: loopback addresses only.
    static bool isLoopback(const QString &host);

private:
    QUrl m_base;  // ends with '/'
    QString m_address;
    Limits m_limits;
    const std::atomic<bool> *m_cancel;
    std::unique_ptr<QNetworkAccessManager> m_network;
};
