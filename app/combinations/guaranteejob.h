#pragma once

#include "combinations/guarantee.h"

#include <QObject>

#include <atomic>
#include <optional>

class QThread;

// One win-guarantee calculation off the owner's thread, so the window stays responsive and can
// offer Cancel. Signals arrive on the owner's thread.
class GuaranteeJob : public QObject
{
    Q_OBJECT
public:
    explicit GuaranteeJob(QObject *parent = nullptr);
    // Cancels a run still going and waits for it.
    ~GuaranteeJob() override;

    // Starts a run; false (and nothing started) while one is still going or for input the
    // calculation does not take.
    bool start(Guarantee::Input input);
    void cancel();
    bool isRunning() const { return m_thread != nullptr; }
    // The result of the last run that completed; a cancelled run leaves none.
    std::optional<Guarantee::Result> takeResult();

Q_SIGNALS:
    void progressed(int percent);
    // completed is false for a cancelled run.
    void finished(bool completed);

private:
    void threadDone();

    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_percent{-1};
    std::optional<Guarantee::Result> m_result;
};
