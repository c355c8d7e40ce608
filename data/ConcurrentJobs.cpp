#include "data/ConcurrentJobs.h"

#include "data/FbConnection.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

namespace
{

// One job's thread; a job that throws ends with its error kept.
class JobThread : public QThread
{
public:
    JobThread(const ConcurrentJobs::Job& job, std::optional<DbError>& error)
        : m_job(job), m_error(error)
    {
    }

protected:
    void run() override
    {
        try {
            m_job();
        } catch (const DbError& e) {
            m_error = e;
        } catch (const std::exception& e) {
            m_error = DbError(QString::fromLocal8Bit(e.what()));
        }
    }

private:
    const ConcurrentJobs::Job& m_job;
    std::optional<DbError>& m_error;
};

} // namespace

ConcurrentJobs::ConcurrentJobs(QObject* parent) : QObject(parent) {}

ConcurrentJobs::~ConcurrentJobs()
{
    if (m_running > 0)
        stop();
}

int ConcurrentJobs::add(Job job, FbConnection* connection)
{
    Q_ASSERT(!m_started);
    auto entry = std::make_unique<Entry>();
    entry->job = std::move(job);
    entry->connection = connection;
    m_entries.push_back(std::move(entry));
    return count() - 1;
}

void ConcurrentJobs::start()
{
    if (m_started)
        return;
    m_started = true;
    for (int i = 0; i < count(); ++i) {
        Entry* entry = m_entries[size_t(i)].get();
        entry->thread = new JobThread(entry->job, entry->error);
        // Emitted by the worker as it ends; `this` lives in the starting thread, so the call
        // is queued there.
        connect(entry->thread, &QThread::finished, this, [this, i] { complete(i); });
        ++m_running;
        entry->thread->start();
    }
    if (m_running == 0)
        emit finished();
}

void ConcurrentJobs::exec(QEventLoop::ProcessEventsFlags flags)
{
    start();
    if (m_running == 0)
        return;
    QEventLoop loop;
    connect(this, &ConcurrentJobs::finished, &loop, &QEventLoop::quit);
    loop.exec(flags);
    if (m_running > 0)
        stop();
}

void ConcurrentJobs::cancel()
{
    m_cancelled = true;
    for (const auto& entry : m_entries)
        if (entry->thread && !entry->done && entry->connection)
            entry->connection->cancelOperation();
}

void ConcurrentJobs::stop(int graceMs)
{
    cancel();
    const QDeadlineTimer grace(graceMs);
    for (const auto& entry : m_entries)
        if (entry->thread && !entry->done && !entry->thread->wait(grace) && entry->connection)
            entry->connection->cancelOperation(true);
    for (int i = 0; i < count(); ++i)
        complete(i);
}

void ConcurrentJobs::throwIfCancelled() const
{
    if (m_cancelled)
        throw DbError(QStringLiteral("Proses dibatalkan"));
}

QString ConcurrentJobs::error(int job) const
{
    const auto& error = m_entries.at(size_t(job))->error;
    return error ? error->message() : QString();
}

void ConcurrentJobs::complete(int job)
{
    Entry& entry = *m_entries[size_t(job)];
    if (entry.done || !entry.thread)
        return;
    entry.thread->wait();
    delete entry.thread;
    entry.thread = nullptr;
    entry.done = true;
    --m_running;
    emit jobFinished(job);
    if (m_running == 0)
        emit finished();
}
