#include "core/featureregistry.h"

#include <algorithm>

namespace {
// Lists of ids with a value each: adding an id that is there already replaces its value.
template<class T>
void put(QStringList &ids, QList<T> &values, const QString &id, T value)
{
    if (const qsizetype at = ids.indexOf(id); at >= 0) {
        values[at] = std::move(value);
        return;
    }
    ids.append(id);
    values.append(std::move(value));
}

template<class T>
T find(const QStringList &ids, const QList<T> &values, const QString &id)
{
    const qsizetype at = ids.indexOf(id);
    return at < 0 ? T() : values[at];
}
} // namespace

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
    put(m_toolIds, m_toolFactories, id, std::move(factory));
}

FeatureRegistry::ToolFactory FeatureRegistry::toolFactory(const QString &id) const
{
    return find(m_toolIds, m_toolFactories, id);
}

void FeatureRegistry::setToolFactory(const QString &id, ToolFactory factory)
{
    if (m_toolIds.contains(id))
        put(m_toolIds, m_toolFactories, id, std::move(factory));
}

void FeatureRegistry::addProgramWindow(const QString &id, ProgramWindowFactory factory)
{
    put(m_programIds, m_programFactories, id, std::move(factory));
}

FeatureRegistry::ProgramWindowFactory FeatureRegistry::programWindowFactory(const QString &id) const
{
    return find(m_programIds, m_programFactories, id);
}
