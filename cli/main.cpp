#include "cli.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
void printError(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// A standard stream the caller closed is held by /dev/null opened for reading, so that no file
// the program opens takes its number: output meant for it then fails as it should, instead of
// landing in that file.
void holdClosedStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // open() takes the lowest free number, which is this one.
            const int held = ::open("/dev/null", O_RDONLY);
            if (held > 2)
                ::close(held);
        }
    }
}

int outputFailed(int error)
{
    printError(u"zemvara-cli: cannot write to standard output: "_s + QString::fromLocal8Bit(std::strerror(error)));
    return 1;
}

QString usage()
{
    QStringList lines{u"usage: zemvara-cli COMMAND ..."_s};
    for (const cli::CommandInfo &c : cli::commands())
        lines.append(u"       zemvara-cli "_s + c.usage);
    return lines.join(u'\n');
}
} // namespace

int main(int argc, char *argv[])
{
    holdClosedStandardStreams();
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        printError(usage());
        return 2;
    }
    const QString name = arguments.takeFirst();
    if (name == u"--help" || name == u"-h") {
        cli::Output out;
        out.line(usage());
        return out.flush() ? 0 : outputFailed(out.error());
    }
    for (const cli::CommandInfo &command : cli::commands()) {
        if (command.name != name)
            continue;
        cli::Output out;
        try {
            const int status = command.run(arguments, out);
            if (!out.flush())
                return outputFailed(out.error());
            return status;
        } catch (const cli::UsageError &e) {
            printError(u"usage: zemvara-cli "_s + command.usage + u"  ("_s + e.message + u')');
            return 2;
        } catch (const cli::Refused &e) {
            printError(e.message);
            return 1;
        }
    }
    printError(u"unknown command "_s + name + u'\n' + usage());
    return 2;
}
