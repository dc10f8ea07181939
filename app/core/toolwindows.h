#pragma once

#include "core/toolcontext.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

class FeatureRegistry;

// The tool windows a main window owns, one of each kind the features registered. Each load (or
// a copy's start) replaces them all with fresh hidden instances, each made when it is first
// asked for: making every window on every load was most of a load's time.
class ToolWindows
{
public:
    // Closes and drops the current windows; fresh ones come from these features and context.
    void recreate(const FeatureRegistry &features, const ToolContext &context);
    // Closes and drops every window; none exist until the next recreate().
    void closeAll();

    // The window of a kind, made (hidden) if this is the first request since recreate();
    // nullptr for an unknown kind, after closeAll(), or once the window was destroyed.
    QWidget *window(const QString &id);
    template<class T>
    T *get(const QString &id) { return qobject_cast<T *>(window(id)); }
    // Every kind's window, made now where not yet.
    QList<QWidget *> windows();
    // Asks every window that guards unsaved work whether it may go; false as soon as one refuses.
    // Windows not made yet hold nothing.
    bool mayDiscardAll() const;
    bool isEmpty() const { return m_features == nullptr; }

private:
    QList<QWidget *> madeWindows() const;

    const FeatureRegistry *m_features = nullptr;
    std::optional<ToolContext> m_context;
    QList<QString> m_ids;  // kinds made since recreate(), with their windows
    QList<QPointer<QWidget>> m_windows;
};
