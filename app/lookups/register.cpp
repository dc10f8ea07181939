#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/game.h"
#include "core/toolwindows.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "lookups/formsearch.h"
#include "lookups/numbersearch.h"

using namespace Qt::StringLiterals;

namespace {
void menuNoSet_Click(FormMain &window)
{
    auto *search = window.tools().get<FormSearch>(ToolSlot::Search);
    if (!search)
        return;
    search->SetFormMain(&window);
    search->setNoEnd(NumberSearch::noEnd(window.RunMode()));
    // Search and check open at the lower right corner of their main window.
    showToolWindow(search, frameBottomRight(&window));
}

void menuOldHit_Click(FormMain &window)
{
    auto *check = window.tools().get<FormOldHit>(ToolSlot::OldHit);
    if (!check)
        return;
    check->Text1(5)->setVisible(window.RunMode() != Game::MiniLoto);
    check->SetFormMain(&window);
    showToolWindow(check, frameBottomRight(&window));
}
} // namespace

// Tool windows and menu entries of the search, past-result check and tally.
void registerLookupWindows()
{
    ToolWindows::setFactory(ToolSlot::Search, [](FormMain *owner) -> QWidget * { return new FormSearch(owner); });
    ToolWindows::setFactory(ToolSlot::OldHit, [](FormMain *owner) -> QWidget * { return new FormOldHit(owner); });
    ToolWindows::setMenuHandler(u"menuNoSet"_s, menuNoSet_Click);
    ToolWindows::setMenuHandler(u"menuOldHit"_s, menuOldHit_Click);
}
