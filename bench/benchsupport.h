#pragma once

#include <QString>

#include <functional>
#include <memory>

class FormMain;
class Program;

namespace bench {

// The program with every feature, shared by the windows a benchmark makes.
Program &program();

QString dataFile(const QString &name);

// Before the application object: run offscreen unless a platform was chosen.
void useOffscreenUnlessSet();
// Answers every message box by printing it, so nothing waits for a person.
void printMessages();
// A shown main window loaded with a bundled results file; null when the load is refused.
std::unique_ptr<FormMain> shownMainWindow(const QString &dataFileName);

// The frame of a benchmark of windows: an offscreen application whose messages are printed, and
// a shown main window loaded with a bundled results file that `body` measures. Returns the exit
// status (1 when the file is refused).
int runOnLoadedWindow(int argc, char *argv[], const QString &dataFileName, const std::function<int(FormMain &main)> &body);

// Times one user action three ways and reports each: the logic alone, the window filled, and
// the window filled and painted (events processed).
void reportWindowStep(const QString &what, int runs, const std::function<void()> &logic,
                      const std::function<void()> &fill, const QString &target);

// Runs `step` `runs` times (after one warm-up run) and returns the median in milliseconds.
double medianMs(int runs, const std::function<void()> &step);

// Peak resident memory of this process so far, in MiB (VmHWM).
double peakRssMiB();
double currentRssMiB();

// One line of figures: "name: value unit (target ...)".
void report(const QString &name, double value, const QString &unit, const QString &target = {});

} // namespace bench
