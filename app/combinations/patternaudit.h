#pragma once

#include "combinations/patternfolder.h"
#include "combinations/patternverify.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Whether the files of a pattern folder keep the promise of their names. Each file is verified
// once; its verdict is kept with the file's size and modification time and reused while both
// stay, so only a new or changed file is read and counted again. Kept in memory by its owner.
class PatternAudit
{
public:
    // A file to verify, with its size and time when it was looked at.
    struct Job
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        PatternFolder::Request request;  // what its name claims
    };
    struct Look
    {
        QList<std::optional<PatternVerify::Verdict>> verdicts;  // per name; nothing while unknown
        QList<Job> pending;                                     // the files whose verdict is unknown
    };

    // The kept verdicts of the folder's files `names` (pattern file names), and the files that
    // need verifying because they are new or changed.
    Look look(const QString &folder, const QStringList &names) const;
    // Verifies a file against its name (any thread): a file that is no pattern of its name's
    // game and pool guarantees nothing. Nothing when cancelled.
    static std::optional<PatternVerify::Verdict> verify(const QString &path, const PatternFolder::Request &request,
                                                        const PatternVerify::Options &options = {});
    // The same for the content of a file named `name` that is not written yet.
    static std::optional<PatternVerify::Verdict> verifyBytes(const QByteArray &bytes, const QString &name,
                                                             const PatternFolder::Request &request,
                                                             const PatternVerify::Options &options = {});
    void record(const Job &job, const PatternVerify::Verdict &verdict);
    // Verifies what look() finds pending, here and now, and records it.
    void scan(const QString &folder, const QStringList &names);
    // How many files were verified and recorded so far.
    int verifiedCount() const { return m_verified; }

private:
    struct Entry
    {
        qint64 size = -1;
        QDateTime modified;
        PatternVerify::Verdict verdict;
    };
    QHash<QString, Entry> m_entries;  // by path
    int m_verified = 0;
};
