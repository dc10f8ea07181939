#include "cli.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
void printError(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
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
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        printError(usage());
        return 2;
    }
    const QString name = arguments.takeFirst();
    if (name == u"--help" || name == u"-h") {
        const QByteArray text = usage().toUtf8() + '\n';
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    for (const cli::CommandInfo &command : cli::commands()) {
        if (command.name != name)
            continue;
        cli::Output out;
        try {
            const int status = command.run(arguments, out);
            out.flush();
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
