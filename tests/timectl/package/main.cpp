// Uses the installed control: its headers, its library and the Qt it brings along.
#include <horlogix/datetime.h>
#include <horlogix/sntp.h>
#include <horlogix/sntpreply.h>

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SNTP control;
    control.ReadProperties({});
    QByteArray reply(48, '\0');
    reply[40] = '\xE1';
    reply[41] = '\xB6';
    reply[42] = '\x5F';
    reply[43] = '\x80';  // 3786825600: 2020-01-01 00:00:00 UTC
    const std::optional<double> date = horlogix::replyServerTime(reply);
    const QString shown = date ? horlogix::dateToDateTime(*date).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")) : QString();
    const bool ok = SNTP::request().size() == 48 && control.RemotePort() == 123 && control.LocalPort() == 1024
        && shown == QStringLiteral("2020/01/01 09:00:00");
    std::printf("%s\n", qPrintable(shown));
    return ok ? 0 : 1;
}
