#include "combinations/guaranteejob.h"

#include <QThread>

GuaranteeJob::GuaranteeJob(QObject *parent)
    : QObject(parent)
{
}

GuaranteeJob::~GuaranteeJob()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

bool GuaranteeJob::start(Guarantee::Input input)
{
    if (m_thread || !Guarantee::isValid(input))
        return false;
    m_cancel = false;
    m_percent = -1;
    m_result.reset();
    m_thread = QThread::create([this, input = std::move(input)] {
        Guarantee::Options options;
        options.cancel = &m_cancel;
        options.progress = [this](qint64 done, qint64 total) {
            const int percent = total > 0 ? int(done * 100 / total) : 100;
            // Only changes cross the thread boundary.
            if (m_percent.exchange(percent) != percent)
                Q_EMIT progressed(percent);
        };
        m_result = Guarantee::CalcGuarantee(input, options);
    });
    connect(m_thread, &QThread::finished, this, &GuaranteeJob::threadDone);
    m_thread->start();
    return true;
}

void GuaranteeJob::cancel()
{
    m_cancel = true;
}

std::optional<Guarantee::Result> GuaranteeJob::takeResult()
{
    if (m_thread)
        return std::nullopt;
    return std::exchange(m_result, std::nullopt);
}

void GuaranteeJob::threadDone()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    Q_EMIT finished(m_result.has_value());
}
