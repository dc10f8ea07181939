#include "core/backgroundtask.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QThreadPool>

#include <algorithm>
#include <exception>
#include <limits>
#include <vector>

namespace {
// The threads runs go on. Every run gets one at once, so a long search never queues a short
// count behind it; the guarantee's helper threads are its own and take none of these.
struct Runner
{
    QThreadPool pool;
    QMutex mutex;
    std::vector<std::weak_ptr<BackgroundTask::Run>> runs;
};
Runner *runner = nullptr;
} // namespace

int BackgroundTask::Progress::percent() const
{
    return total > 0 ? int(std::clamp<qint64>(done * 100 / total, 0, 100)) : 0;
}

void BackgroundTask::Run::setProgress(qint64 done, qint64 total, const QString &text)
{
    QMutexLocker lock(&m_mutex);
    m_progress = {done, total, text};
    // Only what a reader would see differently crosses to the owner's thread, at most once per
    // turn of its event loop.
    if (m_notifyPending || (m_progress.percent() == m_notified.percent() && text == m_notified.text))
        return;
    m_notifyPending = true;
    post(&BackgroundTask::notified);
}

void BackgroundTask::Run::fail(const QString &error)
{
    QMutexLocker lock(&m_mutex);
    m_error = error;
}

void BackgroundTask::Run::abandon()
{
    QMutexLocker lock(&m_mutex);
    m_owner = nullptr;
    m_cancel = true;
}

void BackgroundTask::Run::post(void (BackgroundTask::*handler)(const std::shared_ptr<Run> &))
{
    // The owner cannot go meanwhile: dropping the run takes the mutex first. A call queued for an
    // owner destroyed later is discarded with it.
    if (m_owner)
        QMetaObject::invokeMethod(
            m_owner, [owner = m_owner, handler, run = shared_from_this()] { (owner->*handler)(run); },
            Qt::QueuedConnection);
}

BackgroundTask::BackgroundTask(QObject *parent) : QObject(parent) {}

BackgroundTask::~BackgroundTask()
{
    drop();
}

bool BackgroundTask::launch(std::function<void(Run &)> work, std::function<void()> deliver)
{
    if (m_run)
        return false;
    auto run = std::make_shared<Run>();
    run->m_owner = this;
    m_run = run;
    m_deliver = std::move(deliver);
    m_last = {};
    m_error.clear();
    if (!runner) {
        runner = new Runner;
        runner->pool.setMaxThreadCount(std::numeric_limits<int>::max());
        // Runs whose owner outlives the application end with it.
        qAddPostRoutine(&BackgroundTask::closeRunner);
    }
    {
        QMutexLocker lock(&runner->mutex);
        std::erase_if(runner->runs, [](const std::weak_ptr<Run> &r) { return r.expired(); });
        runner->runs.push_back(run);
    }
    runner->pool.start([run, work = std::move(work)] {
        try {
            work(*run);
        } catch (const std::exception &e) {
            run->fail(QString::fromLocal8Bit(e.what()));
        }
        QMutexLocker lock(&run->m_mutex);
        run->post(&BackgroundTask::ended);
    });
    return true;
}

void BackgroundTask::cancel()
{
    if (m_run)
        m_run->m_cancel = true;
}

void BackgroundTask::drop()
{
    if (!m_run)
        return;
    m_run->abandon();
    m_run.reset();
    m_deliver = {};
    m_last = {};
}

void BackgroundTask::closeRunner()
{
    Runner *closing = std::exchange(runner, nullptr);
    {
        QMutexLocker lock(&closing->mutex);
        for (const std::weak_ptr<Run> &weak : closing->runs) {
            if (const std::shared_ptr<Run> run = weak.lock())
                run->abandon();
        }
    }
    delete closing;  // waits for the threads
}

BackgroundTask::Progress BackgroundTask::progress() const
{
    if (!m_run)
        return m_last;
    QMutexLocker lock(&m_run->m_mutex);
    return m_run->m_progress;
}

void BackgroundTask::notified(const std::shared_ptr<Run> &run)
{
    {
        QMutexLocker lock(&run->m_mutex);
        run->m_notifyPending = false;
        run->m_notified = run->m_progress;
    }
    if (run == m_run)
        Q_EMIT progressChanged();
}

void BackgroundTask::ended(const std::shared_ptr<Run> &run)
{
    if (run != m_run)
        return;
    {
        QMutexLocker lock(&run->m_mutex);
        m_last = run->m_progress;
        m_error = run->m_error;
    }
    m_run.reset();
    const std::function<void()> deliver = std::exchange(m_deliver, {});
    if (m_error.isEmpty())
        deliver();
    Q_EMIT finished();
}
