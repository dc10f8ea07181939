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

// Four draws in which 7 comes up in the first and the third, 13 never, and 2 is the bonus of
// the last.
inline QStringList fourDraws()
{
    return {loto6Line(101, {7, 10, 20, 30, 40, 41}, 2), loto6Line(102, {1, 10, 21, 31, 40, 42}, 3),
            loto6Line(103, {2, 7, 22, 30, 40, 43}, 4), loto6Line(104, {1, 11, 20, 33, 39, 42}, 2)};
}
