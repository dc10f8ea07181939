#include "core/resultcopy.h"

#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/game.h"

ResultCopy::ResultCopy(QWidget *owner, const ToolContext &context) : m_owner(owner), m_context(context) {}

FormMain *ResultCopy::window() const
{
    return m_copy.data();
}

FormMain *ResultCopy::ensure()
{
    if (!m_copy)
        m_copy = new FormMain(m_context.program(), FormMain::CopyOf{m_context.runMode()}, m_owner);
    return m_copy;
}

void ResultCopy::prepare(const QString &caption)
{
    FormMain *copy = ensure();
    copy->setWindowTitle(caption);
    if (!copy->isVisible())
        placeWindow(copy, frameTopRight(m_owner));
}

void ResultCopy::fill(int runMode, const RowSource &source, const QList<int> &rows)
{
    FormMain *copy = ensure();
    if (runMode == Game::MiniLoto)
        copy->MakeLvw5();
    else
        copy->MakeLvw6();
    copy->addRowsFrom(source, rows);
    copy->autoSizeColumns();
    copy->Command1_Click(FormMain::SelectAll);
}

void ResultCopy::present()
{
    if (FormMain *copy = m_copy.data())
        showToolWindow(copy);
}

FormMain *ResultCopy::show(const QString &caption, int runMode, const RowSource &source, const QList<int> &rows)
{
    prepare(caption);
    fill(runMode, source, rows);
    present();
    return m_copy.data();
}

void ResultCopy::close()
{
    if (m_copy)
        m_copy->close();
}
