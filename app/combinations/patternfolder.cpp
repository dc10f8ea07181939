#include "combinations/patternfolder.h"

#include "core/appfiles.h"
#include "core/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace PatternFolder {

QString path()
{
    const QString fromEnvironment = qEnvironmentVariable("ZEMVARA_PATTERN_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return QDir::cleanPath(data + u"/PatternFile"_s);
}

QString ensure()
{
    const QString folder = path();
    const bool fresh = !QFileInfo::exists(folder);
    if (!QDir().mkpath(folder))
        return {};
    if (fresh)
        installLibrary(folder);
    return folder;
}

QString ready()
{
    const QString made = ensure();
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
    static const QRegularExpression scheme(u"^(\\d+)-([56])([1345])(\\d{1,2})(?:K(\\d+))?\\.txt$"_s,
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
QStringList sortedFileNames(const QString &folder)
{
    QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files | QDir::Readable | QDir::Hidden);
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}
} // namespace

QStringList matchingFiles(const QString &folder, const Request &request)
{
    QStringList out;
    for (const QString &name : sortedFileNames(folder)) {
        const std::optional<Name> parsed = parseName(name);
        if (parsed && parsed->request == request)
            out.append(name);
    }
    return out;
}

QStringList allFiles(const QString &folder)
{
    QStringList out;
    for (const QString &name : sortedFileNames(folder)) {
        if (parseName(name))
            out.append(name);
    }
    return out;
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

int installLibrary(const QString &folder, const QString &library)
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
        if (QFile::copy(QDir(source).filePath(name), QDir(folder).filePath(target))) {
            present.insert(target);
            ++copied;
        }
    }
    return copied;
}

} // namespace PatternFolder
