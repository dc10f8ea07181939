#include "about/helpkey.h"

#include "about/aboutfeature.h"
#include "about/formhelp.h"
#include "about/helppages.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/program.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
// The program a window belongs to: through the main window that owns it, or, for a program-wide
// window, through any main window (they all belong to the one program).
Program *programOf(const QWidget *window)
{
    for (const QWidget *w = window; w; w = w->parentWidget()) {
        if (const auto *main = qobject_cast<const FormMain *>(w))
            return &main->program();
    }
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (auto *main = qobject_cast<FormMain *>(w))
            return &main->program();
    }
    return nullptr;
}
} // namespace

void HelpKey::install()
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app || app->findChild<HelpKey *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new HelpKey(app));
}

QWidget *HelpKey::openHelpFor(Program &program, QWidget *window)
{
    auto *help = qobject_cast<FormHelp *>(program.programWindow(AboutTools::Help));
    if (!help)
        return nullptr;
    if (window != help)
        help->showPage(HelpPages::pageForWindow(window));
    showToolWindow(help);
    return help;
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QWidget *window = static_cast<QWidget *>(watched)->window();
    // A modal dialog answers its own question; the help would open behind it, out of reach.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != window)
        return false;
    if (window->isModal())
        return false;
    Program *program = programOf(window);
    if (!program)
        return false;
    // Taken here, so the key is not seen again by the parents it would be passed on to.
    return openHelpFor(*program, window) != nullptr;
}
