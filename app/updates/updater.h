#pragma once

#include "updates/siteaccess.h"
#include "updates/sitemanifest.h"
#include "updates/updatelog.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

// The online update: reads a site's signed manifest and brings the user's data folder up to date
// from it (draw files merged, missing wheels added, newer help pages), and tells of a newer
// program and the site's message. Every file is fetched and checked before anything is written,
// and all writes come last, each in one step: a cancelled run, a refused manifest or a failed
// fetch leave every local file as it was. Runs on the calling thread (a background run's).
class Updater
{
public:
    struct Options
    {
        QString site;             // web address or folder
        QString dataFolder;       // draw files and help/ stand in it
        QString patternFolder;    // where wheels go; made with the shipped wheels when missing
        QString patternLibrary;   // the shipped wheels a new pattern folder gets; empty: the bundled ones
        QString downloadFolder;   // where a program package goes
        bool download = false;    // fetch the newer program's package in the same run
        QList<QByteArray> trustedKeys;
        SiteAccess::Limits limits;
        QDateTime now;             // invalid: the current time
        QString programVersion;    // of the running program
        QString platform;          // empty: this machine's
        QString bundledHelpVersion;
    };

    struct Report
    {
        QList<UpdateEntry> entries;
        bool failed = false;       // a step was refused or failed
        bool news = false;         // something the user should see
        bool cancelled = false;
        QList<int> updatedGames;   // RunModes whose draw file got new draws
        std::optional<SiteManifest::Program> newerProgram;
    };

    // Progress of the run: what it does, and a count of steps done out of total.
    struct Listener
    {
        std::function<void(const UpdateEntry &entry)> entry;
        std::function<void(qint64 done, qint64 total, const QString &text)> progress;
    };

    // Runs the whole update. `cancel` (may be null) stops it at once; nothing is written then.
    static Report run(const Options &options, const Listener &listener, const std::atomic<bool> *cancel);
    // Fetches the package of a newer program (from a report of the same site) into the download
    // folder, verified; never opens it.
    static UpdateEntry download(const Options &options, const SiteManifest::File &package,
                                const std::atomic<bool> *cancel);
};
