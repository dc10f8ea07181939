#include "core/toolwindows.h"

#include "core/discardguard.h"
#include "core/featureregistry.h"

void ToolWindows::recreate(const FeatureRegistry &features, const ToolContext &context)
{
    closeAll();
    for (const QString &id : features.toolWindowIds()) {
        const FeatureRegistry::ToolFactory make = features.toolFactory(id);
        if (!make)
            continue;
        QWidget *window = make(context);
        window->hide();
        m_ids.append(id);
        m_windows.append(window);
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
    }
    m_ids.clear();
    m_windows.clear();
}

bool ToolWindows::mayDiscardAll() const
{
    for (QWidget *w : windows()) {
        // Windows a tool window holds (a result copy and the copy's own tool windows) go with it.
        QList<QWidget *> held = w->findChildren<QWidget *>();
        held.prepend(w);
        for (QWidget *h : std::as_const(held)) {
            if (auto *guard = dynamic_cast<DiscardGuard *>(h); guard && !guard->mayDiscard())
                return false;
        }
    }
    return true;
}

QWidget *ToolWindows::window(const QString &id) const
{
    const qsizetype at = m_ids.indexOf(id);
    return at < 0 ? nullptr : m_windows[at].data();
}

QList<QWidget *> ToolWindows::windows() const
{
    QList<QWidget *> out;
    for (const QPointer<QWidget> &w : m_windows) {
        if (w)
            out.append(w.data());
    }
    return out;
}
