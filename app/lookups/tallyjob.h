#pragma once

#include "lookups/tally.h"

#include <QObject>

#include <atomic>
#include <memory>

class QThread;

// One run of the tally on a thread of its own. The owner waits a moment for it (most runs end
// well within that), and only a longer run is left to finish in the background, reporting
// progress, while the window stays responsive.
class TallyJob : public QObject
{
    Q_OBJECT
public:
    explicit TallyJob(QObject *parent = nullptr);
    // Stops a run still going and waits for it.
    ~TallyJob() override;

    // Starts a run, stopping one still going first.
    void start(Tally::Plan plan);
    // Waits up to ms milliseconds; true when the run has ended (finished() is then not emitted).
    bool waitFor(int ms);
    bool isRunning() const { return m_thread != nullptr; }
    // Stops a run still going and waits for it; its result is dropped.
    void cancel();
    int percent() const { return m_percent; }
    // The result of the run that ended last; null once taken or when it was stopped.
    std::shared_ptr<Tally::Result> takeResult();

Q_SIGNALS:
    // A run left to the background has ended.
    void finished();

private:
    void collect();

    QThread *m_thread = nullptr;
    quint64 m_generation = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_percent{0};
    std::shared_ptr<Tally::Result> m_running;
    std::shared_ptr<Tally::Result> m_result;
};
