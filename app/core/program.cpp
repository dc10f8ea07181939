#include "core/program.h"

#include "core/formmain.h"
#include "core/keyconventions.h"

#include <QCoreApplication>
#include <QWidget>

Program::Program(FeatureRegistry features) : m_features(std::move(features))
{
    KeyConventions::install();
}

Program::~Program()
{
    // A program kept until after the application is gone (a static in a test) cannot destroy
    // widgets any more; the process is ending and takes them with it.
    if (!QCoreApplication::instance())
        return;
    for (QPointer<QWidget> &window : m_programWindows)
        delete window.data();
}

void Program::claimFirstWindow(FormMain *window)
{
    if (!m_first)
        m_first = window;
}

QWidget *Program::programWindow(const QString &id)
{
    if (QWidget *existing = existingProgramWindow(id))
        return existing;
    const FeatureRegistry::ProgramWindowFactory make = m_features.programWindowFactory(id);
    if (!make)
        return nullptr;
    QWidget *window = make(*this);
    m_programWindows.insert(id, window);
    return window;
}

QWidget *Program::existingProgramWindow(const QString &id) const
{
    return m_programWindows.value(id).data();
}
