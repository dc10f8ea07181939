#include "shots.h"

#include "core/controlarray.h"
#include "core/formmain.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

void shootCore(FormMain &main, const QString &dir)
{
    saveShot(&main, dir, u"main-loaded"_s);

    main.findChild<QLineEdit *>(u"Text1"_s)->setText(u"50"_s);
    controlAt<QPushButton>(&main, u"Command2"_s, 1)->click();
    saveShot(&main, dir, u"main-last50"_s);

    FormMain copy(main.program(), FormMain::CopyOf{main.RunMode()});
    copy.setWindowTitle(u"結果のコピー"_s);
    if (main.RunMode() == 6)
        copy.MakeLvw6();
    else
        copy.MakeLvw5();
    for (int r = main.table().rowCount() - 12; r < main.table().rowCount(); ++r)
        copy.addRowFrom(main.table(), r);
    copy.autoSizeColumns();
    copy.Command1_Click(FormMain::SelectAll);
    copy.resize(900, 380);
    saveShot(&copy, dir, u"copy"_s);
}
