#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

// Work that runs off the owner's thread (a long count, a search, a download) while a window
// stays responsive. The work gets its input by value and reports through its Run only; the
// progress, the result or an error come back on the owner's thread. One run at a time.
//
// Nothing here ever waits for the work: cancel() only asks it to stop, and a task that is
// destroyed, or told to drop() its run, forgets the run, which stops at its own pace with all it
// uses and whose result nobody sees.
class BackgroundTask : public QObject
{
    Q_OBJECT
public:
    struct Progress
    {
        qint64 done = 0;
        qint64 total = 0;  // 0: not known yet
        QString text;      // what the work is doing, for a status line; may be empty
        int percent() const;
    };

    // What the work sees: whether it should stop, and where it reports. Shared by the work and
    // the task, so a dropped run keeps it as long as it runs.
    class Run : public std::enable_shared_from_this<Run>
    {
    public:
        bool isCancelled() const { return m_cancel.load(std::memory_order_relaxed); }
        // For logic that takes a stop flag of its own.
        const std::atomic<bool> *cancelFlag() const { return &m_cancel; }
        void setProgress(qint64 done, qint64 total, const QString &text = {});
        // The run ends with this error instead of its result.
        void fail(const QString &error);

    private:
        friend class BackgroundTask;
        // Nothing of the run reaches its owner any more, and the work is asked to stop.
        void abandon();
        // Queues handler(this run) on the owner's thread; nothing once dropped. m_mutex held.
        void post(void (BackgroundTask::*handler)(const std::shared_ptr<Run> &));

        std::atomic<bool> m_cancel{false};
        QMutex m_mutex;
        BackgroundTask *m_owner = nullptr;  // null once dropped
        Progress m_progress;
        Progress m_notified;                // the last progress the owner was told of
        bool m_notifyPending = false;
        QString m_error;
    };

    explicit BackgroundTask(QObject *parent = nullptr);
    // Drops a run still going.
    ~BackgroundTask() override;

    // Runs work(Run &) on a thread of its own; when it ends, deliver(its result) and then
    // finished() follow on this object's thread (deliver not for an error). Refused (false)
    // while a run goes.
    template <typename Work, typename Deliver>
    bool start(Work work, Deliver deliver)
    {
        using Result = std::invoke_result_t<Work &, Run &>;
        auto slot = std::make_shared<std::optional<Result>>();
        return launch([work = std::move(work), slot](Run &run) mutable { slot->emplace(work(run)); },
                      [deliver = std::move(deliver), slot]() mutable {
                          if (*slot)
                              deliver(std::move(**slot));
                      });
    }

    bool isRunning() const { return m_run != nullptr; }
    // Asks the run to stop; it ends as the work decides (with what it has, or nothing).
    void cancel();
    // Forgets the run: nothing of it is delivered any more, and a new one can start at once.
    void drop();

    // The progress of the run going, or of the last one that ended.
    Progress progress() const;
    int percent() const { return progress().percent(); }
    // The error the last run ended with; empty when it gave its result.
    QString error() const { return m_error; }

Q_SIGNALS:
    void progressChanged();
    void finished();

private:
    // Drops and cancels every run still going, and waits for their threads.
    static void closeRunner();
    bool launch(std::function<void(Run &)> work, std::function<void()> deliver);
    void notified(const std::shared_ptr<Run> &run);
    void ended(const std::shared_ptr<Run> &run);

    std::shared_ptr<Run> m_run;
    std::function<void()> m_deliver;
    Progress m_last;
    QString m_error;
};
