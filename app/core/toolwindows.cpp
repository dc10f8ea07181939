#include "core/toolwindows.h"

#include <mutex>

namespace {
std::array<ToolWindows::Factory, ToolWindows::kCount> &factories()
{
    static std::array<ToolWindows::Factory, ToolWindows::kCount> f;
    return f;
}

QHash<QString, ToolWindows::MenuHandler> &menuHandlers()
{
    static QHash<QString, ToolWindows::MenuHandler> h;
    return h;
}
} // namespace

void ToolWindows::setMenuHandler(const QString &actionName, MenuHandler handler)
{
    menuHandlers().insert(actionName, std::move(handler));
}

ToolWindows::MenuHandler ToolWindows::menuHandler(const QString &actionName)
{
    return menuHandlers().value(actionName);
}

void ToolWindows::setFactory(ToolSlot slot, Factory factory)
{
    factories()[size_t(slot)] = std::move(factory);
}

ToolWindows::Factory ToolWindows::factory(ToolSlot slot)
{
    return factories()[size_t(slot)];
}

void ToolWindows::recreate(FormMain *owner)
{
    closeAll();
    for (int i = 0; i < kCount; ++i) {
        if (const Factory &make = factories()[size_t(i)]) {
            QWidget *w = make(owner);
            w->hide();
            m_windows[size_t(i)] = w;
        }
    }
}

void ToolWindows::closeAll()
{
    for (QPointer<QWidget> &w : m_windows) {
        if (w) {
            w->close();
            // Deferred: the window may be in the middle of one of its own handlers.
            w->deleteLater();
        }
        w.clear();
    }
}

bool ToolWindows::isEmpty() const
{
    for (const QPointer<QWidget> &w : m_windows) {
        if (w)
            return false;
    }
    return true;
}

void registerToolWindows()
{
    static std::once_flag once;
    std::call_once(once, [] {
        registerGraphWindows();
        registerLookupWindows();
    });
}
