#pragma once

#include "core/featureregistry.h"

#include <QHash>
#include <QPointer>
#include <QString>

class FormMain;
class QWidget;

// The running program: the features it was built with, its first main window (whose close ends
// the program) and the windows there is one of per program (pattern manager, about box, help).
class Program
{
public:
    explicit Program(FeatureRegistry features = {});
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    FeatureRegistry &features() { return m_features; }
    const FeatureRegistry &features() const { return m_features; }

    // The first main window made and still alive; it claims the place when it is made.
    FormMain *firstWindow() const { return m_first; }
    void claimFirstWindow(FormMain *window);

    // The program-wide window of that id, made at first use; null when no feature offers it.
    QWidget *programWindow(const QString &id);
    // The window if it was made already.
    QWidget *existingProgramWindow(const QString &id) const;

private:
    FeatureRegistry m_features;
    QPointer<FormMain> m_first;
    QHash<QString, QPointer<QWidget>> m_programWindows;
};
