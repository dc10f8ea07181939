#pragma once

#include "core/toolcontext.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class FormMain;
class Program;
class QWidget;

// What the program's features contribute to the main windows: menu entries, the tool windows
// each main window owns, and program-wide windows. Core builds menus and windows from it without
// knowing any feature.
class FeatureRegistry
{
public:
    // The menus of the main window an entry can stand in.
    enum class Place { Analysis, Help, MenuBar, Master, Data };

    using MenuHandler = std::function<void(FormMain &window)>;
    struct MenuEntry
    {
        QString objectName;
        QString caption;
        Place place = Place::Analysis;
        int order = 0;              // entries of a place stand in ascending order
        QString separatorBefore;    // object name of a separator put before the entry, if any
        MenuHandler handler;        // an entry without one stays disabled
    };

    using ToolFactory = std::function<QWidget *(const ToolContext &context)>;
    using ProgramWindowFactory = std::function<QWidget *(Program &program)>;

    void addMenuEntry(MenuEntry entry);
    // Fills in the handler of an entry added before (a feature's window arrives later).
    void setMenuHandler(const QString &objectName, MenuHandler handler);
    QList<MenuEntry> menuEntries(Place place) const;

    // Every main window owns one tool window of each id, made fresh (hidden) at every load.
    void addToolWindow(const QString &id, ToolFactory factory);
    QStringList toolWindowIds() const { return m_toolIds; }
    ToolFactory toolFactory(const QString &id) const;
    void setToolFactory(const QString &id, ToolFactory factory);

    // Run once for the program's first main window, after it is on screen.
    void addStartupAction(MenuHandler action) { m_startup.append(std::move(action)); }
    const QList<MenuHandler> &startupActions() const { return m_startup; }

    // One instance per program, made at first use.
    void addProgramWindow(const QString &id, ProgramWindowFactory factory);
    ProgramWindowFactory programWindowFactory(const QString &id) const;

private:
    QList<MenuEntry> m_entries;
    QList<MenuHandler> m_startup;
    QStringList m_toolIds;
    QList<ToolFactory> m_toolFactories;
    QStringList m_programIds;
    QList<ProgramWindowFactory> m_programFactories;
};
