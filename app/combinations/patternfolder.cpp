#include "combinations/patternfolder.h"

#include "core/appfiles.h"
#include "core/numbers.h"
#include "core/userdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace PatternFolder {

QString path()
{
    const QString fromEnvironment = qEnvironmentVariable("ZEMVARA_PATTERN_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
    return UserData::patternFolder(UserData::folder());
}

QString ensure(QString *error)
{
    const QString folder = path();
    if (QFileInfo(folder).isDir())
        return folder;
    const QString failure = createWithLibrary(folder);
    if (error)
        *error = failure;
    return failure.isEmpty() ? folder : QString();
}

QString ready(QString *error)
{
    const QString made = ensure(error);
    return made.isEmpty() ? path() : made;
}

QString patternKey(const Request &request)
{
    QString key = QString::number(request.picks) + QString::number(request.tier) + QString::number(request.pool);
    if (request.keys > 0)
        key += u'K' + QString::number(request.keys);
    return key;
}

QString patternMask(const Request &request)
{
    return u'*' + patternKey(request) + u".txt"_s;
}

std::optional<Name> parseName(const QString &fileName)
{
    static const QRegularExpression scheme(u"^(\\d+)-([56])([1345])(\\d{1,2})(?:K(\\d+))?\\.txt\\z"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = scheme.match(fileName);
    if (!m.hasMatch())
        return std::nullopt;
    Name name;
    const std::optional<qint64> serial = parseNumber(m.capturedView(1));
    const std::optional<qint64> keys = m.capturedLength(5) > 0 ? parseNumber(m.capturedView(5)) : qint64(0);
    if (!serial || *serial > 1'000'000'000 || !keys || *keys > 99)
        return std::nullopt;
    name.serial = int(*serial);
    // The pattern matched digits only: each part is a number.
    name.request.picks = int(parseNumber(m.capturedView(2)).value_or(0));
    name.request.tier = int(parseNumber(m.capturedView(3)).value_or(0));
    name.request.pool = int(parseNumber(m.capturedView(4)).value_or(0));
    name.request.keys = int(*keys);
    name.key = fileName.mid(m.capturedStart(2), m.capturedEnd(m.lastCapturedIndex()) - m.capturedStart(2));
    // "K0" is not a key part: a pattern without keys has none.
    if (m.capturedLength(5) > 0 && name.request.keys == 0)
        return std::nullopt;
    return name;
}

QString fileName(int serial, const Request &request)
{
    return QString::number(serial) + u'-' + patternKey(request) + u".txt"_s;
}

namespace {
// The pattern files of the folder that `wanted` takes, by kind and serial as numbers; names that
// read the same in another letter case follow in name order.
QStringList sortedPatternFiles(const QString &folder, const std::function<bool(const Request &)> &wanted)
{
    std::vector<std::pair<std::array<int, 5>, QString>> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Readable | QDir::Hidden)) {
        const std::optional<Name> parsed = parseName(name);
        if (!parsed || !wanted(parsed->request))
            continue;
        const Request &r = parsed->request;
        files.push_back({{r.picks, r.tier, r.pool, r.keys, parsed->serial}, name});
    }
    std::sort(files.begin(), files.end(), [](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first < b.first;
        const int folded = a.second.compare(b.second, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.second < b.second;
    });
    QStringList out;
    out.reserve(qsizetype(files.size()));
    for (const auto &file : files)
        out.append(file.second);
    return out;
}

QString cannotMakeMessage(const QString &folder)
{
    return u"パターンファイルのフォルダ %1 を作れませんでした。"_s.arg(QDir::toNativeSeparators(folder));
}
} // namespace

QStringList matchingFiles(const QString &folder, const Request &request)
{
    return sortedPatternFiles(folder, [&](const Request &r) { return r == request; });
}

QStringList allFiles(const QString &folder, int picks)
{
    return sortedPatternFiles(folder, [picks](const Request &r) { return picks == 0 || r.picks == picks; });
}

int nextSerial(const QString &folder, const Request &request)
{
    QSet<int> taken;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        const std::optional<Name> parsed = parseName(name);
        if (parsed && parsed->request == request)
            taken.insert(parsed->serial);
    }
    int serial = int(taken.size()) + 1;
    while (taken.contains(serial))
        ++serial;
    return serial;
}

int installLibrary(const QString &folder, const QString &library, QString *failed)
{
    const QString source = library.isEmpty() ? AppFiles::bundledDir(u"PatternFile"_s) : library;
    if (source.isEmpty() || QDir(source) == QDir(folder))
        return 0;
    QSet<QString> present;
    for (const QString &name : allFiles(folder)) {
        const std::optional<Name> parsed = parseName(name);
        present.insert(fileName(parsed->serial, parsed->request));
    }
    int copied = 0;
    for (const QString &name : allFiles(source)) {
        const std::optional<Name> parsed = parseName(name);
        const QString target = fileName(parsed->serial, parsed->request);
        if (present.contains(target))
            continue;
        // Read whole and written whole: a copy cut short by a full disk leaves no half file.
        const AppFiles::ReadResult read = AppFiles::readFile(QDir(source).filePath(name));
        if (read.ok() && AppFiles::writeFile(QDir(folder).filePath(target), read.bytes)) {
            present.insert(target);
            ++copied;
        } else if (failed && failed->isEmpty()) {
            *failed = name;
        }
    }
    return copied;
}

QString createWithLibrary(const QString &folder, const QString &library)
{
    const QFileInfo info(folder);
    if (!QDir().mkpath(info.absolutePath()))
        return cannotMakeMessage(folder);
    QTemporaryDir scratch(info.absolutePath() + u"/."_s + info.fileName() + u"-XXXXXX"_s);
    if (!scratch.isValid())
        return cannotMakeMessage(folder);
    QString failed;
    installLibrary(scratch.path(), library, &failed);
    if (!failed.isEmpty()) {
        return u"付属のパターンファイル %1 を %2 にコピーできませんでした。"_s.arg(failed,
                                                                                   QDir::toNativeSeparators(folder));
    }
    // The rename never replaces: a folder another instance made meanwhile stays as it is.
    if (!QDir().rename(scratch.path(), folder))
        return QFileInfo(folder).isDir() ? QString() : cannotMakeMessage(folder);
    scratch.setAutoRemove(false);
    return {};
}

} // namespace PatternFolder
