#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class FeatureRegistry;
struct ToolContext;

// The tool windows a main window owns, one of each kind the features registered. Each load (or
// a copy's start) replaces them all with fresh hidden instances.
class ToolWindows
{
public:
    // Closes and drops the current windows and makes fresh hidden ones.
    void recreate(const FeatureRegistry &features, const ToolContext &context);
    // Closes and drops every window; none exist until the next recreate().
    void closeAll();

    QWidget *window(const QString &id) const;
    template<class T>
    T *get(const QString &id) const { return qobject_cast<T *>(window(id)); }
    QList<QWidget *> windows() const;
    // Asks every window that guards unsaved work whether it may go; false as soon as one refuses.
    bool mayDiscardAll() const;
    bool isEmpty() const { return windows().isEmpty(); }

private:
    QList<QString> m_ids;
    QList<QPointer<QWidget>> m_windows;
};
