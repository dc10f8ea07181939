#include "updates/siteaccess.h"

#include "updates/httpsite.h"
#include "updates/localsite.h"

#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

std::unique_ptr<SiteAccess> SiteAccess::open(const QString &address, const Limits &limits,
                                             const std::atomic<bool> *cancel, QString *error)
{
    const QString given = address.trimmed();
    const QUrl url(given, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    auto refuse = [error](const QString &why) -> std::unique_ptr<SiteAccess> {
        if (error)
            *error = why;
        return nullptr;
    };
    if (given.isEmpty())
        return refuse(u"更新サイトのアドレスがありません"_s);
    if (scheme == u"https" || scheme == u"http") {
        if (!url.isValid() || url.host().isEmpty())
            return refuse(u"アドレス「%1」が正しくありません"_s.arg(given));
        if (scheme == u"http" && !HttpSite::isLoopback(url.host()))
            return refuse(u"HTTP のサイトは使えません（HTTPS だけが使えます）：%1"_s.arg(given));
        return std::make_unique<HttpSite>(url, given, limits, cancel);
    }
    // A Windows drive letter parses as a one-letter scheme: it is a folder.
    const bool isFileUrl = scheme == u"file";
    if (!isFileUrl && scheme.size() > 1)
        return refuse(u"アドレス「%1」は使えません（https://… またはフォルダー）"_s.arg(given));
    const QString folder = isFileUrl ? url.toLocalFile() : given;
    if (!QFileInfo(folder).isDir())
        return refuse(u"フォルダー「%1」がありません"_s.arg(folder));
    return std::make_unique<LocalSite>(folder, given, cancel);
}
