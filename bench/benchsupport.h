#pragma once

#include <QString>

#include <functional>

namespace bench {

QString dataFile(const QString &name);

// Runs `step` `runs` times (after one warm-up run) and returns the median in milliseconds.
double medianMs(int runs, const std::function<void()> &step);

// Peak resident memory of this process so far, in MiB (VmHWM).
double peakRssMiB();
double currentRssMiB();

// One line of figures: "name: value unit (target ...)".
void report(const QString &name, double value, const QString &unit, const QString &target = {});

} // namespace bench
