#include "shots.h"

#include "core/formmain.h"
#include "graphs/formgraph.h"
#include "lookups/formway.h"
#include "lookups/lookupsfeature.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

void shootTally(FormMain &main, const QString &dir)
{
    // The last 50 draws, as a user would look at a recent stretch.
    main.findChild<QLineEdit *>(u"Text1"_s)->setText(u"50"_s);
    main.Command2_Click(FormMain::LastRows);
    main.findChild<QAction *>(u"menuWay"_s)->trigger();
    FormWay *way = main.tools().get<FormWay>(LookupTools::Way);
    const auto settled = [way] { return QTest::qWaitFor([way] { return !way->isRunning(); }, 20000); };
    settled();
    saveShot(way, dir, u"tally-exact"_s);
    saveShot(way->Graph(), dir, u"tally-graph"_s);

    way->Check2()->setChecked(true);
    way->Command1_Click();
    settled();
    saveShot(way, dir, u"tally-merged"_s);
    way->close();
    main.Command1_Click(FormMain::SelectAll);
}
