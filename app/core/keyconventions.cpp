#include "core/keyconventions.h"

#include "core/formmain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
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
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    if (key->key() != Qt::Key_Escape && key->key() != Qt::Key_F5)
        return false;
    QWidget *window = windowTypedIn(watched);
    if (!window)
        return false;
    if (key->key() == Qt::Key_F5) {
        if (QAbstractButton *button = refreshButton(window)) {
            button->click();
            return true;
        }
        return false;
    }
    // Main windows stay; dialogs and message boxes answer Esc themselves.
    if (qobject_cast<FormMain *>(window) || qobject_cast<QDialog *>(window))
        return false;
    window->close();
    return true;
}
