#include "about/systeminfo.h"

#include "about/formsysteminfo.h"
#include "core/formhelpers.h"


#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace SystemInfo {

namespace {
Host &host()
{
    static Host h;
    return h;
}

QString findProgram(const QString &program)
{
    if (host().find)
        return host().find(program);
    return QStandardPaths::findExecutable(program);
}

bool startProgram(const QString &path, const QStringList &arguments)
{
    if (host().startDetached)
        return host().startDetached(path, arguments);
    return QProcess::startDetached(path, arguments);
}
} // namespace

QList<Tool> candidates()
{
    // Information tools first; the desktops' system monitors show at least the system's load,
    // memory and disks where no information tool is installed.
    return {
        {u"hardinfo2"_s, {}},
        {u"hardinfo"_s, {}},
        {u"kinfocenter"_s, {}},
        {u"gnome-system-monitor"_s, {}},
        {u"plasma-systemmonitor"_s, {}},
        {u"mate-system-monitor"_s, {}},
        {u"xfce4-taskmanager"_s, {}},
        {u"lxtask"_s, {}},
    };
}

void setHost(Host h)
{
    host() = std::move(h);
}

bool start(QWidget *parent)
{
    for (const Tool &tool : candidates()) {
        const QString path = findProgram(tool.program);
        if (path.isEmpty())
            continue;
        if (startProgram(path, tool.arguments))
            return true;
        break;  // the tool of choice is there but broken: say so rather than open another
    }
    // Without a tool, the program's own summary: what a support mail needs, ready to copy.
    auto *own = new FormSystemInfo(parent ? parent->window() : nullptr);
    showToolWindow(own, parent ? frameTopRight(parent->window()) : QPoint());
    return false;
}

} // namespace SystemInfo
