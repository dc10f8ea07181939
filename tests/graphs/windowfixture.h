#pragma once

#include "support/drawlines.h"
#include "support/testsupport.h"

#include "core/formmain.h"

#include <QTemporaryDir>

#include <memory>

// A shown main window loaded with a hand-made draw file, kept small and at the top left so
// the windows placed below it stay inside the offscreen desktop.
struct LoadedWindow
{
    QTemporaryDir dir;
    testsupport::MessageRecorder messages;
    std::unique_ptr<FormMain> main = std::make_unique<FormMain>(testsupport::program());

    bool load(const QString &fileText, const QString &name = QStringLiteral("test_Download.csv"))
    {
        main->resize(500, 120);
        main->move(0, 0);
        main->show();
        const QString path = testsupport::writeTextFile(dir, name, fileText);
        if (!main->loadFile(path))
            return false;
        shrinkToolWindows();
        return true;
    }

    // Fresh tool windows come at their default size; these fit three below each other.
    void shrinkToolWindows()
    {
        for (QWidget *w : main->tools().windows())
            w->resize(500, 150);
    }
};

// Where a window opened below another stands: its frame touching the other's bottom edge.
inline QPoint justBelow(const QWidget *window)
{
    return window->frameGeometry().bottomLeft() + QPoint(0, 1);
}
