#include "about/aboutfeature.h"

#include "about/browser.h"
#include "about/formhelp.h"
#include "about/formversion.h"
#include "about/helpkey.h"
#include "about/helppages.h"
#include "core/featureregistry.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/messages.h"
#include "core/program.h"

using namespace Qt::StringLiterals;

namespace {
void menuHelpOpen_Click(FormMain &main)
{
    auto *help = qobject_cast<FormHelp *>(main.program().programWindow(AboutTools::Help));
    if (!help)
        return;
    help->showPage(HelpPages::kContents);
    showToolWindow(help);
}

void openOnline(FormMain &main, const QUrl &url)
{
    if (url.isEmpty()) {
        Messages::warn(&main, u"ヘルプのページが見つかりません。プログラムを入れ直してください。"_s);
        return;
    }
    Browser::open(&main, url);
}

void menuVersion_Click(FormMain &main)
{
    QWidget *box = main.program().programWindow(AboutTools::Version);
    if (!box)
        return;
    // The first showing centres the box over the window it was asked from.
    const QPoint centre = main.frameGeometry().center();
    showToolWindow(box, centre - QPoint(box->width() / 2, box->height() / 2));
}
} // namespace

void registerAbout(FeatureRegistry &features)
{
    using Place = FeatureRegistry::Place;
    features.addProgramWindow(AboutTools::Help, [](Program &) -> QWidget * { return new FormHelp; });
    features.addProgramWindow(AboutTools::Version, [](Program &) -> QWidget * { return new FormVersion; });
    features.addMenuEntry({u"menuHelpOpen"_s, u"ヘルプの表示"_s, Place::Help, 10, {}, menuHelpOpen_Click});
    features.addMenuEntry({u"menuHelpOnline"_s, u"オンラインヘルプ"_s, Place::Help, 20, {},
                           [](FormMain &main) { openOnline(main, HelpPages::onlineHelpUrl()); }});
    features.addMenuEntry({u"menuHelpFAQ"_s, u"FAQ（オンライン）"_s, Place::Help, 30, {},
                           [](FormMain &main) { openOnline(main, HelpPages::onlineFaqUrl()); }});
    features.addMenuEntry({u"menuVersion"_s, u"バージョン(&V)"_s, Place::MenuBar, 10, {}, menuVersion_Click});
    HelpKey::install();
}
