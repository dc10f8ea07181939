#pragma once

#include "combinations/wheelgenerator.h"

#include <QObject>

#include <atomic>

class QThread;

// Runs the wheel generator off the calling thread, so the window stays responsive and can
// cancel. Signals arrive on the thread that owns the job.
class WheelJob : public QObject
{
    Q_OBJECT

public:
    explicit WheelJob(QObject *parent = nullptr);
    ~WheelJob() override;  // cancels a running search and waits for it

    // Starts a search; false when one is still running.
    bool start(const PatternFolder::Request &request, double seconds);
    // Asks the search to stop; it finishes with the best wheel found so far.
    void cancel();
    bool isRunning() const;
    // The last finished search.
    const WheelGenerator::Result &result() const { return m_result; }

Q_SIGNALS:
    // Size of the best wheel so far and the share of the time budget used (0..100).
    void progress(qint64 bestSize, int percent);
    void finished();

private:
    void onThreadFinished();

    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancel{false};
    WheelGenerator::Result m_running;
    WheelGenerator::Result m_result;
};
