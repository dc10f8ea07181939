#pragma once

#include <QString>
#include <QWidget>

class FormMain;

// Renders a window (shown offscreen, events processed) to DIR/NAME.png.
void saveShot(QWidget *window, const QString &dir, const QString &name);

// Each subsystem renders its windows from a main window loaded with real results.
void shootCore(FormMain &main, const QString &dir);
void shootGraphs(FormMain &main, const QString &dir);
void shootLookups(FormMain &main, const QString &dir);
void shootAbout(FormMain &main, const QString &dir);
void shootTally(FormMain &main, const QString &dir);
void shootCombinations(FormMain &main, const QString &dir);
void shootPatterns(FormMain &main, const QString &dir);
void shootPurchases(FormMain &main, const QString &dir);
void shootUpdates(FormMain &main, const QString &dir);
void shootBackTest(FormMain &main, const QString &dir);
