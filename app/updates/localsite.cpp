#include "updates/localsite.h"

#include "core/appfiles.h"

#include <QDir>

using namespace Qt::StringLiterals;

LocalSite::LocalSite(const QString &folder, const QString &address, const std::atomic<bool> *cancel)
    : m_folder(folder), m_address(address), m_cancel(cancel)
{
}

SiteAccess::Fetched LocalSite::fetch(const QString &path, qint64 maxBytes, const Progress &progress)
{
    Fetched fetched;
    if (m_cancel && m_cancel->load()) {
        fetched.cancelled = true;
        return fetched;
    }
    const AppFiles::ReadResult read = AppFiles::readFile(QDir(m_folder).filePath(path), maxBytes);
    switch (read.error) {
    case AppFiles::ReadError::None:
        fetched.bytes = read.bytes;
        if (progress)
            progress(read.bytes.size());
        break;
    case AppFiles::ReadError::Missing:
        fetched.error = u"サイトに %1 がありません"_s.arg(path);
        break;
    case AppFiles::ReadError::TooLarge:
        fetched.error = u"%1 が大きすぎます（%2 バイトまで）"_s.arg(path).arg(maxBytes);
        break;
    case AppFiles::ReadError::NotRegular:
    case AppFiles::ReadError::Unreadable:
        fetched.error = u"サイトの %1 を読めません"_s.arg(path);
        break;
    }
    return fetched;
}
