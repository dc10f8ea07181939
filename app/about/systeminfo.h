#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The host's system-information tool, which the version box offers to start.
namespace SystemInfo {

struct Tool
{
    QString program;        // executable name, looked up on PATH
    QStringList arguments;
};

// Desktop tools that show the computer's hardware and system, in order of preference.
QList<Tool> candidates();

// How tools are found and started; tests replace it. An empty member restores the real one.
struct Host
{
    std::function<QString(const QString &program)> find;   // full path, or empty when absent
    std::function<bool(const QString &path, const QStringList &arguments)> startDetached;
};
void setHost(Host host);

// Starts the first candidate found, detached from the program. None found, or it would not start:
// the program's own summary in a window of its own. True when a tool was started.
bool start(QWidget *parent);

} // namespace SystemInfo
