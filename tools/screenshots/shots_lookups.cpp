#include "shots.h"

#include "core/formmain.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "lookups/lookupsfeature.h"
#include "lookups/formsearch.h"
#include "lookups/numbersearch.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

void shootLookups(FormMain &main, const QString &dir)
{
    main.Command1_Click(FormMain::SelectAll);
    const bool loto6 = main.RunMode() == 6;

    main.findChild<QAction *>(u"menuOldHit"_s)->trigger();
    FormOldHit *check = main.tools().get<FormOldHit>(LookupTools::OldHit);
    const QStringList numbers = loto6 ? QStringList{u"3"_s, u"14"_s, u"15"_s, u"26"_s, u"35"_s, u"43"_s}
                                      : QStringList{u"2"_s, u"9"_s, u"16"_s, u"23"_s, u"30"_s};
    for (int i = 0; i < numbers.size(); ++i)
        check->Text1(i)->setText(numbers[i]);
    check->Command1_Click();
    saveShot(check, dir, u"oldhit"_s);
    check->resultWindow()->resize(1000, 420);
    saveShot(check->resultWindow(), dir, u"oldhit-copy"_s);
    check->close();

    main.findChild<QAction *>(u"menuNoSet"_s)->trigger();
    FormSearch *search = main.tools().get<FormSearch>(LookupTools::Search);
    search->Text1()->setText(u"7 13"_s);
    search->Option1(NumberSearch::And)->setChecked(true);
    search->Command1_Click();
    saveShot(search, dir, u"search"_s);
    search->resultWindow()->resize(1000, 420);
    saveShot(search->resultWindow(), dir, u"search-copy"_s);
    search->close();
}
