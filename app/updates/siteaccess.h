#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

// Where an update site's files are read from: a web address (HTTPS; plain HTTP only on a
// loopback address) or a folder (a path or a file: URL, such as a site copied to a USB stick).
// A fetch blocks the calling thread until it ends; it is meant for a background run.
class SiteAccess
{
public:
    struct Limits
    {
        int connectMs = 10'000;  // to reach the server
        int stallMs = 30'000;    // longest wait without a byte once the request is sent
    };
    struct Fetched
    {
        QByteArray bytes;
        QString error;  // in words, empty on success
        bool cancelled = false;
        bool ok() const { return error.isEmpty() && !cancelled; }
    };
    // Told the bytes received so far of the file being fetched.
    using Progress = std::function<void(qint64 received)>;

    virtual ~SiteAccess() = default;
    SiteAccess(const SiteAccess &) = delete;
    SiteAccess &operator=(const SiteAccess &) = delete;

    // The site as the user gave it, for the log.
    virtual QString address() const = 0;
    // The file at `path` (relative to the site, already checked safe), refused when longer than
    // maxBytes.
    virtual Fetched fetch(const QString &path, qint64 maxBytes, const Progress &progress = {}) = 0;

    // The access to the site at `address`; null and *error set for an address the program does
    // not use (plain HTTP to another machine, an unknown scheme, a folder that does not exist).
    // `cancel` (may be null) stops a fetch going on at once.
    static std::unique_ptr<SiteAccess> open(const QString &address, const Limits &limits,
                                            const std::atomic<bool> *cancel, QString *error);

protected:
    SiteAccess() = default;
};
