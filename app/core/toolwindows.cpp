#include "core/toolwindows.h"

#include "core/discardguard.h"
#include "core/featureregistry.h"

void ToolWindows::recreate(const FeatureRegistry &features, const ToolContext &context)
{
    closeAll();
    m_features = &features;
    m_context.emplace(context);
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
    m_features = nullptr;
}

bool ToolWindows::mayDiscardAll() const
{
    for (QWidget *w : madeWindows()) {
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

QWidget *ToolWindows::window(const QString &id)
{
    const qsizetype at = m_ids.indexOf(id);
    if (at >= 0)
        return m_windows[at].data();
    if (!m_features)
        return nullptr;
    const FeatureRegistry::ToolFactory make = m_features->toolFactory(id);
    if (!make)
        return nullptr;
    QWidget *made = make(*m_context);
    made->hide();
    m_ids.append(id);
    m_windows.append(made);
    return made;
}

QList<QWidget *> ToolWindows::windows()
{
    QList<QWidget *> out;
    if (!m_features)
        return out;
    for (const QString &id : m_features->toolWindowIds()) {
        if (QWidget *w = window(id))
            out.append(w);
    }
    return out;
}

QList<QWidget *> ToolWindows::madeWindows() const
{
    QList<QWidget *> out;
    for (const QPointer<QWidget> &w : m_windows) {
        if (w)
            out.append(w.data());
    }
    return out;
}
