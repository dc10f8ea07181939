#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class FeatureRegistry;

// Where updates come from, settled at start-up: nothing of it is kept between runs.
struct UpdateSetup
{
    QString site;                    // empty: the menu entry asks, and no check runs at start-up
    QList<QByteArray> extraKeys;     // trusted besides the built-in ones
    QString dataFolder;              // empty: the user's data folder
    int stallMs = 0;                 // 0: the standard limit

    // The setup of a program started with --update-site `site` and --trust-key `keyFile` (either
    // may be empty): the option, else $ZEMVARA_UPDATE_SITE, else the address built in; the
    // stall limit from $ZEMVARA_UPDATE_STALL_MS. *error receives why a key file was refused.
    static UpdateSetup fromStart(const QString &site, const QString &keyFile, QString *error);
};

namespace UpdateTools {
inline constexpr char Window[] = "FormUpdate";
}

// The data menu's "オンライン更新…", its progress log window, and the check at start-up.
void registerUpdates(FeatureRegistry &features, const UpdateSetup &setup);
