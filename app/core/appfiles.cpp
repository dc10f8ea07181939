#include "core/appfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

namespace {
ReadResult failed(ReadError error)
{
    ReadResult result;
    result.error = error;
    return result;
}

#ifdef Q_OS_UNIX
// Reads an open descriptor to its end, never more than maxBytes + 1 bytes, growing the buffer
// from the size the file claims (a file of /proc claims 0).
ReadResult readDescriptor(int fd, qint64 claimedSize, qint64 maxBytes)
{
    ReadResult result;
    qint64 capacity = std::min(std::max<qint64>(claimedSize, 4096), maxBytes) + 1;
    result.bytes.resize(capacity);
    qint64 total = 0;
    while (total < capacity) {
        const ssize_t n = ::read(fd, result.bytes.data() + total, size_t(capacity - total));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failed(ReadError::Unreadable);
        }
        if (n == 0)
            break;
        total += n;
        if (total == capacity && capacity <= maxBytes) {
            capacity = std::min(capacity * 2, maxBytes + 1);
            result.bytes.resize(capacity);
        }
    }
    if (total > maxBytes)
        return failed(ReadError::TooLarge);
    result.bytes.truncate(total);
    result.bytes.squeeze();
    return result;
}
#endif
} // namespace

ReadResult readFile(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return failed(ReadError::Missing);
    // Checked before opening: opening a FIFO for reading blocks until a writer comes, and
    // opening a device may do something.
    if (!info.isFile())
        return failed(ReadError::NotRegular);
    if (info.size() > maxBytes)
        return failed(ReadError::TooLarge);
#ifdef Q_OS_UNIX
    // The path may have been replaced since: open without waiting and check what was opened.
    // Non-blocking also keeps a special file that calls itself regular from holding the read.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failed(errno == ENOENT ? ReadError::Missing : ReadError::Unreadable);
    struct stat st;
    ReadResult result;
    if (::fstat(fd, &st) != 0)
        result = failed(ReadError::Unreadable);
    else if (!S_ISREG(st.st_mode))
        result = failed(ReadError::NotRegular);
    else if (st.st_size > maxBytes)
        result = failed(ReadError::TooLarge);
    else
        result = readDescriptor(fd, st.st_size, maxBytes);
    ::close(fd);
    return result;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(ReadError::Unreadable);
    // The size may have changed since it was asked: never read more than the limit.
    ReadResult result;
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(ReadError::Unreadable);
    if (result.bytes.size() > maxBytes)
        return failed(ReadError::TooLarge);
    return result;
#endif
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

QString writeFailedText(const QString &path)
{
    return u"ファイルに保存できませんでした。\n"_s + QDir::toNativeSeparators(path);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    return writeFile(path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); });
}

bool writeFile(const QString &path, const std::function<bool(QIODevice &file)> &write)
{
    const WriteFailure failure = simulatedFailure();
    QSaveFile file(path);
    if (failure == WriteFailure::Open || !file.open(QIODevice::WriteOnly))
        return false;
    if (failure == WriteFailure::Write || !write(file)) {
        file.cancelWriting();
        return false;
    }
    if (failure == WriteFailure::Commit)
        file.cancelWriting();
    return file.commit();
}

} // namespace AppFiles
