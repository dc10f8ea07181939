#include "lookups/tallyjob.h"

#include <QDeadlineTimer>
#include <QThread>

TallyJob::TallyJob(QObject *parent) : QObject(parent) {}

TallyJob::~TallyJob()
{
    cancel();
}

void TallyJob::cancel()
{
    if (!m_thread)
        return;
    m_stop = true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_running.reset();
    // A finish already queued for the stopped run is ignored.
    ++m_generation;
}

void TallyJob::start(Tally::Plan plan)
{
    cancel();
    m_stop = false;
    m_percent = 0;
    m_result.reset();
    auto result = std::make_shared<Tally::Result>();
    m_running = result;
    m_thread = QThread::create([this, result, plan = std::move(plan)] {
        *result = Tally::run(plan, [this](qint64 done, qint64 total) {
            m_percent = total > 0 ? int(done * 100 / total) : 100;
            return !m_stop.load();
        });
    });
    const quint64 generation = ++m_generation;
    connect(
        m_thread, &QThread::finished, this,
        [this, generation] {
            if (generation != m_generation || !m_thread)
                return;
            collect();
            Q_EMIT finished();
        },
        Qt::QueuedConnection);
    m_thread->start();
}

bool TallyJob::waitFor(int ms)
{
    if (!m_thread)
        return true;
    if (!m_thread->wait(QDeadlineTimer(std::max(ms, 0))))
        return false;
    collect();
    return true;
}

void TallyJob::collect()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    ++m_generation;
    if (m_running && !m_running->stopped)
        m_result = std::move(m_running);
    m_running.reset();
}

std::shared_ptr<Tally::Result> TallyJob::takeResult()
{
    return std::exchange(m_result, nullptr);
}
