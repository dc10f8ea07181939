#pragma once

#include "updates/siteaccess.h"

// A site that is a folder of this machine.
class LocalSite final : public SiteAccess
{
public:
    LocalSite(const QString &folder, const QString &address, const std::atomic<bool> *cancel);

    QString address() const override { return m_address; }
    Fetched fetch(const QString &path, qint64 maxBytes, const Progress &progress) override;

private:
    QString m_folder;
    QString m_address;
    const std::atomic<bool> *m_cancel;
};
