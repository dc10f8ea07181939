#include "shots.h"

#include "combinations/combinationsfeature.h"
#include "combinations/formpattern.h"
#include "combinations/patternfolder.h"
#include "core/formmain.h"
#include "core/program.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

void shootPatterns(FormMain &main, const QString &dir)
{
    // A folder of the shots' own, holding the shipped wheels.
    static QTemporaryDir patterns;
    const QString folder = patterns.filePath(main.RunMode() == 6 ? u"loto6"_s : u"miniloto"_s);
    qputenv("ZEMVARA_PATTERN_DIR", QFile::encodeName(folder));
    PatternFolder::ensure();

    main.findChild<QAction *>(u"menuPatternFile"_s)->trigger();
    auto *manager = qobject_cast<FormPattern *>(main.program().programWindow(CombinationTools::PatternManager));
    if (!manager)
        return;
    manager->Text1()->setPlainText(u"1 2 3 4 5 6\n1 2 3 7 8 9\n"_s);
    manager->Text3()->setText(u"9"_s);
    manager->Option1(1)->setChecked(true);
    manager->Command1()->click();
    manager->Command4()->click();
    saveShot(manager, dir, u"patterns-summary"_s);

    // A wheel for the loaded game, generated, converted and ready to save.
    const bool loto6 = main.RunMode() == 6;
    manager->Text3()->setText(loto6 ? u"12"_s : u"10"_s);
    manager->Option1(loto6 ? 3 : 2)->setChecked(true);
    manager->Text4()->setText(u"1"_s);
    manager->Text6()->setText(u"3"_s);
    QSignalSpy done(manager, &FormPattern::generatorFinished);
    manager->Command5()->click();
    if (!done.wait(30000))
        return;
    manager->Command1()->click();
    manager->PatternAll(main.RunMode());
    saveShot(manager, dir, u"patterns-generated"_s);
    manager->close();
}
