// horlogix-time: asks an SNTP server for the time with the SNTP control and prints it.
#include "horlogix/datetime.h"
#include "horlogix/sntp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// A standard stream the caller closed is held by /dev/null opened for reading, so that no file
// or socket the program opens takes its number: output meant for it then fails as it should.
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

// Writes one line and flushes it; false when it did not all reach the stream.
bool print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
        && std::fflush(stream) == 0;
}

// Output the caller asked for that could not be written is a failure, not a success.
int printResult(const QString &text)
{
    if (print(stdout, text))
        return 0;
    const int error = errno;
    print(stderr, u"horlogix-time: cannot write to standard output: "_s
                      + QString::fromLocal8Bit(std::strerror(error)));
    return 1;
}

QString formatted(double date)
{
    return horlogix::dateToDateTime(date).toString(u"yyyy/MM/dd HH:mm:ss"_s);
}

// An option that must be a whole number from `minimum` to `maximum`.
bool intOption(const QCommandLineParser &parser, const QCommandLineOption &option, int minimum,
               int maximum, int &value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const qlonglong given = parser.value(option).toLongLong(&ok);
    if (ok && given >= minimum && given <= maximum) {
        value = int(given);
        return true;
    }
    print(stderr, u"horlogix-time: --%1 needs a whole number from %2 to %3, not \"%4\""_s
                      .arg(option.names().constFirst()).arg(minimum).arg(maximum).arg(parser.value(option)));
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    // A widget is created, so a GUI application is needed, but nothing is ever shown.
    holdClosedStandardStreams();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"horlogix-time"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prints the time an SNTP server reports, in Japan Standard Time (UTC+9). "
        "It never sets the computer's clock."_s);
    parser.addHelpOption();
    const QCommandLineOption host(u"host"_s, u"Server name or address (default 127.0.0.1)."_s,
                                  u"H"_s, u"127.0.0.1"_s);
    const QCommandLineOption port(u"port"_s, u"Server UDP port (default 123)."_s, u"P"_s);
    const QCommandLineOption localPort(u"local-port"_s,
                                       u"Local UDP port to send from (default 1024)."_s, u"L"_s);
    const QCommandLineOption async(u"async"_s, u"Take the time from the event instead of the "
                                               "synchronous call."_s);
    const QCommandLineOption timeout(u"timeout-ms"_s, u"How long to wait for the reply (default 5000)."_s,
                                     u"T"_s);
    parser.addOptions({host, port, localPort, async, timeout});
    if (!parser.parse(QCoreApplication::arguments())) {
        print(stderr, u"horlogix-time: "_s + parser.errorText());
        return 2;
    }
    if (parser.isSet(u"help"_s))
    {
        QString help = parser.helpText();
        if (help.endsWith(u'\n'))
            help.chop(1);
        return printResult(help);
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, u"horlogix-time: unexpected argument "_s + parser.positionalArguments().constFirst());
        return 2;
    }

    SNTP control;
    control.ReadProperties({});  // the saved-state defaults: port 123, local port 1024
    int remotePort = control.RemotePort();
    int local = control.LocalPort();
    int timeoutMs = SNTP::kDefaultTimeoutMs;
    constexpr int kMaxPort = 65535;
    if (!intOption(parser, port, 1, kMaxPort, remotePort) || !intOption(parser, localPort, 1, kMaxPort, local)
        || !intOption(parser, timeout, 1, std::numeric_limits<int>::max(), timeoutMs))
        return 2;
    control.setTimeoutMs(timeoutMs);

    if (!parser.isSet(async)) {
        const double date = control.GetServerTime(parser.value(host), remotePort, local, true);
        if (control.lastError() != SNTP::Error::None) {
            print(stderr, u"horlogix-time: "_s + control.errorString());
            return 1;
        }
        return printResult(formatted(date));
    }

    int status = 1;
    bool answered = false;
    QObject::connect(&control, &SNTP::GotServerTime, &app, [&status, &answered](double &date) {
        // Only the first reply counts; more may already be waiting.
        if (answered)
            return;
        answered = true;
        status = printResult(formatted(date));
        QCoreApplication::quit();
    });
    // A host name is looked up after the call returns; its failure comes as an event too.
    QObject::connect(&control, &SNTP::RequestFailed, &app, [&control, &answered] {
        if (answered)
            return;
        answered = true;
        print(stderr, u"horlogix-time: "_s + control.errorString());
        QCoreApplication::quit();
    });
    control.GetServerTime(parser.value(host), remotePort, local, false);
    if (control.lastError() != SNTP::Error::None) {
        print(stderr, u"horlogix-time: "_s + control.errorString());
        return 1;
    }
    QTimer::singleShot(timeoutMs, &app, [&] {
        print(stderr, u"horlogix-time: no reply from %1:%2 within %3 ms"_s.arg(parser.value(host))
                          .arg(remotePort).arg(timeoutMs));
        QCoreApplication::quit();
    });
    app.exec();
    return status;
}
