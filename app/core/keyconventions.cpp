#include "core/keyconventions.h"

#include "core/formmain.h"
#include "core/program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {
// The window a key was typed in, once: the event reaches the focus widget first and then its
// parents; only the first delivery counts.
QWidget *windowTypedIn(QObject *watched)
{
    if (!watched->isWidgetType() || QApplication::activePopupWidget())
        return nullptr;
    auto *widget = static_cast<QWidget *>(watched);
    QWidget *focus = QApplication::focusWidget();
    if (widget != focus && !(focus == nullptr && widget->isWindow()))
        return nullptr;
    return widget->window();
}

QAbstractButton *refreshButton(QWidget *window)
{
    const QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (button->text() == u"更新" && button->window() == window && button->isVisible() && button->isEnabled())
            return button;
    }
    return nullptr;
}
} // namespace

KeyConventions::KeyConventions(QObject *parent) : QObject(parent) {}

void KeyConventions::install()
{
    static QPointer<KeyConventions> installed;
    if (installed || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    installed = new KeyConventions(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(installed);
}

bool KeyConventions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        // Each key reaches the window system's window first, which is no widget: only the
        // delivery to the widget typed in counts.
        if (!windowTypedIn(watched))
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // Alt pressed and let go alone opens the menu bar, as F10 does.
        const bool altAlone = m_altAlone && key->key() == Qt::Key_Alt && !key->isAutoRepeat();
        m_altAlone = false;
        return altAlone && openMenuBar(watched);
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!windowTypedIn(watched))
        return false;
    m_altAlone = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
    // Ctrl+Q on every desktop, also where the platform names no quit key; a question on screen
    // is answered first.
    if (key->key() == Qt::Key_Q && key->modifiers() == Qt::ControlModifier && !QApplication::activeModalWidget())
        return quitProgram();
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    if (key->key() == Qt::Key_F10)
        return openMenuBar(watched);
    if (key->key() != Qt::Key_Escape && key->key() != Qt::Key_F5)
        return false;
    QWidget *window = windowTypedIn(watched);
    if (key->key() == Qt::Key_F5) {
        if (QAbstractButton *button = refreshButton(window)) {
            button->click();
            return true;
        }
        return false;
    }
    // Main windows stay (a result copy is a tool window); dialogs and message boxes answer Esc
    // themselves.
    if (const auto *main = qobject_cast<FormMain *>(window); main && !main->Copied())
        return false;
    if (qobject_cast<QDialog *>(window))
        return false;
    window->close();
    return true;
}

bool KeyConventions::openMenuBar(QObject *watched)
{
    QWidget *window = windowTypedIn(watched);
    QMenuBar *bar = window ? window->findChild<QMenuBar *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!bar) {
        if (auto *main = qobject_cast<QMainWindow *>(window))
            bar = main->menuBar();
    }
    if (!bar || !bar->isVisible())
        return false;
    const QList<QAction *> actions = bar->actions();
    for (QAction *action : actions) {
        if (action->isVisible() && action->isEnabled() && action->menu()) {
            bar->setActiveAction(action);
            return true;
        }
    }
    return false;
}

bool KeyConventions::quitProgram()
{
    // Ctrl+Q anywhere does what it does in the main window: closing the first one ends the program.
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *main = qobject_cast<FormMain *>(w); main && !main->Copied() && main->program().firstWindow() == main) {
            main->close();
            return true;
        }
    }
    return false;
}
