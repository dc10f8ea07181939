#include "core/featureregistry.h"

#include <algorithm>

void FeatureRegistry::addMenuEntry(MenuEntry entry)
{
    for (MenuEntry &existing : m_entries) {
        if (existing.objectName == entry.objectName) {
            existing = std::move(entry);
            return;
        }
    }
    m_entries.append(std::move(entry));
}

void FeatureRegistry::setMenuHandler(const QString &objectName, MenuHandler handler)
{
    for (MenuEntry &entry : m_entries) {
        if (entry.objectName == objectName) {
            entry.handler = std::move(handler);
            return;
        }
    }
    Q_ASSERT_X(false, "FeatureRegistry::setMenuHandler", "no such menu entry");
}

QList<FeatureRegistry::MenuEntry> FeatureRegistry::menuEntries(Place place) const
{
    QList<MenuEntry> out;
    for (const MenuEntry &entry : m_entries) {
        if (entry.place == place)
            out.append(entry);
    }
    std::stable_sort(out.begin(), out.end(), [](const MenuEntry &a, const MenuEntry &b) { return a.order < b.order; });
    return out;
}

void FeatureRegistry::addToolWindow(const QString &id, ToolFactory factory)
{
    if (const qsizetype at = m_toolIds.indexOf(id); at >= 0) {
        m_toolFactories[at] = std::move(factory);
        return;
    }
    m_toolIds.append(id);
    m_toolFactories.append(std::move(factory));
}

FeatureRegistry::ToolFactory FeatureRegistry::toolFactory(const QString &id) const
{
    const qsizetype at = m_toolIds.indexOf(id);
    return at < 0 ? ToolFactory() : m_toolFactories[at];
}

void FeatureRegistry::setToolFactory(const QString &id, ToolFactory factory)
{
    if (const qsizetype at = m_toolIds.indexOf(id); at >= 0)
        m_toolFactories[at] = std::move(factory);
}

void FeatureRegistry::addProgramWindow(const QString &id, ProgramWindowFactory factory)
{
    if (const qsizetype at = m_programIds.indexOf(id); at >= 0) {
        m_programFactories[at] = std::move(factory);
        return;
    }
    m_programIds.append(id);
    m_programFactories.append(std::move(factory));
}

FeatureRegistry::ProgramWindowFactory FeatureRegistry::programWindowFactory(const QString &id) const
{
    const qsizetype at = m_programIds.indexOf(id);
    return at < 0 ? ProgramWindowFactory() : m_programFactories[at];
}
