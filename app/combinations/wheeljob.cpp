#include "combinations/wheeljob.h"

#include <QThread>

#include <algorithm>

WheelJob::WheelJob(QObject *parent) : QObject(parent) {}

WheelJob::~WheelJob()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

bool WheelJob::isRunning() const
{
    return m_thread != nullptr;
}

bool WheelJob::start(const PatternFolder::Request &request, double seconds)
{
    if (m_thread)
        return false;
    m_cancel = false;
    CoveringSearch::Options options;
    options.seconds = seconds;
    options.cancel = &m_cancel;
    options.progress = [this, seconds](const CoveringSearch::Progress &p) {
        const int percent = seconds > 0 ? std::clamp(int(100 * p.elapsedSeconds / seconds), 0, 100) : 100;
        const qint64 best = p.bestSize;
        // Runs on the owner's thread; dropped if the job is gone by then.
        QMetaObject::invokeMethod(this, [this, best, percent] { Q_EMIT progress(best, percent); }, Qt::QueuedConnection);
    };
    m_thread = QThread::create([this, request, options] { m_running = WheelGenerator::generate(request, options); });
    connect(m_thread, &QThread::finished, this, &WheelJob::onThreadFinished);
    m_thread->start();
    return true;
}

void WheelJob::cancel()
{
    m_cancel = true;
}

void WheelJob::onThreadFinished()
{
    // The thread has ended: its result is complete and no longer touched.
    m_result = std::move(m_running);
    m_running = {};
    m_thread->deleteLater();
    m_thread = nullptr;
    Q_EMIT finished();
}
