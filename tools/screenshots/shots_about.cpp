#include "shots.h"

#include "about/aboutfeature.h"
#include "about/formhelp.h"
#include "about/formsysteminfo.h"
#include "about/formversion.h"
#include "core/formmain.h"
#include "core/program.h"

#include <QAction>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

void shootAbout(FormMain &main, const QString &dir)
{
    main.findChild<QAction *>(u"menuHelpOpen"_s)->trigger();
    auto *help = qobject_cast<FormHelp *>(main.program().programWindow(AboutTools::Help));
    help->resize(1000, 720);
    saveShot(help, dir, u"help-contents"_s);
    help->showPage(u"oldhit.html#tiers"_s);
    saveShot(help, dir, u"help-oldhit"_s);
    help->showPage(u"comblist.html#guarantee"_s);
    saveShot(help, dir, u"help-guarantee"_s);
    help->close();

    main.findChild<QAction *>(u"menuVersion"_s)->trigger();
    auto *box = qobject_cast<FormVersion *>(main.program().programWindow(AboutTools::Version));
    saveShot(box, dir, u"about"_s);
    box->close();

    FormSystemInfo summary;
    saveShot(&summary, dir, u"system-info"_s);
}
