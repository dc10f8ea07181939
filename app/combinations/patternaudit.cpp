#include "combinations/patternaudit.h"

#include "combinations/patternfile.h"
#include "combinations/patternmanager.h"
#include "core/appfiles.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

PatternAudit::Look PatternAudit::look(const QString &folder, const QStringList &names) const
{
    Look look;
    look.verdicts.reserve(names.size());
    const QDir dir(folder);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        const QFileInfo info(path);
        const qint64 size = info.size();
        const QDateTime modified = info.lastModified();
        const auto kept = m_entries.constFind(path);
        if (kept != m_entries.cend() && kept->size == size && kept->modified == modified) {
            look.verdicts.append(kept->verdict);
            continue;
        }
        look.verdicts.append(std::nullopt);
        if (const std::optional<PatternFolder::Name> parsed = PatternFolder::parseName(name))
            look.pending.append({path, size, modified, parsed->request});
    }
    return look;
}

std::optional<PatternVerify::Verdict> PatternAudit::verify(const QString &path, const PatternFolder::Request &request,
                                                           const PatternVerify::Options &options)
{
    const QString name = QFileInfo(path).fileName();
    const AppFiles::ReadResult read = AppFiles::readFile(path);
    if (!read.ok())
        return PatternVerify::Verdict{0, PatternFile::cannotOpenMessage(name)};
    return verifyBytes(read.bytes, name, request, options);
}

std::optional<PatternVerify::Verdict> PatternAudit::verifyBytes(const QByteArray &bytes, const QString &name,
                                                                const PatternFolder::Request &request,
                                                                const PatternVerify::Options &options)
{
    const PatternFile::Wheel wheel = PatternFile::readWheel(bytes, name);
    if (!wheel.ok())
        return PatternVerify::Verdict{0, wheel.error};
    if (wheel.pool != request.pool) {
        return PatternVerify::Verdict{
            0, u"%1の行の「0」「1」の数（%2個）が名前の選択数（%3個）と違います。"_s.arg(name).arg(wheel.pool).arg(request.pool)};
    }
    if (const QString wrong = PatternManager::markCountRefusal(name, wheel.tickets, request.picks); !wrong.isEmpty())
        return PatternVerify::Verdict{0, wrong};
    const PatternVerify::Input input{request.picks, request.pool, request.keys, wheel.tickets};
    // More keys than a ticket holds.
    if (!PatternVerify::isValid(input))
        return PatternVerify::Verdict{0, u"%1のKey数字の数（%2個）が口の数字の数を超えています。"_s.arg(name).arg(request.keys)};
    const std::optional<int> least = PatternVerify::leastBestMatch(input, options);
    if (!least)
        return std::nullopt;
    return PatternVerify::judge(request.picks, request.tier, *least);
}

void PatternAudit::record(const Job &job, const PatternVerify::Verdict &verdict)
{
    m_entries.insert(job.path, {job.size, job.modified, verdict});
    ++m_verified;
}

void PatternAudit::scan(const QString &folder, const QStringList &names)
{
    for (const Job &job : look(folder, names).pending) {
        if (const std::optional<PatternVerify::Verdict> verdict = verify(job.path, job.request))
            record(job, *verdict);
    }
}
