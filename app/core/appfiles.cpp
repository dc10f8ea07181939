#include "core/appfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace AppFiles {

QString bundledDir(const QString &name)
{
    const QString exe = QCoreApplication::applicationDirPath();
    QStringList candidates{exe + u'/' + name, exe + u"/../share/zemvara/"_s + name};
#ifdef ZEMVARA_SOURCE_DIR
    candidates.append(QStringLiteral(ZEMVARA_SOURCE_DIR) + u'/' + name);
#endif
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return {};
}

ReadResult readFile(const QString &path, qint64 maxBytes)
{
    ReadResult result;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        result.error = ReadError::Missing;
        return result;
    }
    // Checked before opening: opening a FIFO for reading blocks until a writer comes.
    if (!info.isFile()) {
        result.error = ReadError::NotRegular;
        return result;
    }
    if (info.size() > maxBytes) {
        result.error = ReadError::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = ReadError::Unreadable;
        return result;
    }
    // The size may have changed since it was asked: never read more than the limit.
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.bytes.clear();
        result.error = ReadError::Unreadable;
    } else if (result.bytes.size() > maxBytes) {
        result.bytes.clear();
        result.error = ReadError::TooLarge;
    }
    return result;
}

namespace {
WriteFailure &simulatedFailure()
{
    static WriteFailure failure = WriteFailure::None;
    return failure;
}
} // namespace

void simulateWriteFailure(WriteFailure failure)
{
    simulatedFailure() = failure;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    const WriteFailure failure = simulatedFailure();
    QSaveFile file(path);
    if (failure == WriteFailure::Open || !file.open(QIODevice::WriteOnly))
        return false;
    if (failure == WriteFailure::Write || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (failure == WriteFailure::Commit)
        file.cancelWriting();
    return file.commit();
}

} // namespace AppFiles
