#include "data/ConcurrentQueries.h"

#include "data/FbConnection.h"

ConcurrentQueries::ConcurrentQueries(QObject* parent) : QObject(parent)
{
    connect(&m_jobs, &ConcurrentJobs::jobFinished, this, [this](int job) {
        m_entries[size_t(job)].ran = true;
        adoptReady();
    });
}

ConcurrentQueries::~ConcurrentQueries()
{
    // The workers must be gone before their openings are.
    m_jobs.disconnect(this);
    m_jobs.stop();
}

int ConcurrentQueries::add(FbQuery& query, const FbQuery::OpenOptions& options)
{
    for (const Entry& entry : m_entries)
        if (entry.opening->connection() == query.connection())
            throw DbError(QStringLiteral("Dua query memakai koneksi yang sama"));
    Entry entry;
    entry.query = &query;
    entry.opening = std::make_unique<FbQuery::Opening>(query.beginOpen(options));
    FbQuery::Opening* opening = entry.opening.get();
    const std::atomic<bool>* cancelled = &m_jobs.cancelledFlag();
    m_jobs.add([opening, cancelled] { opening->run(cancelled); }, opening->connection());
    m_entries.push_back(std::move(entry));
    return int(m_entries.size()) - 1;
}

void ConcurrentQueries::start()
{
    m_jobs.start();
    if (m_entries.empty())
        emit finished();
}

void ConcurrentQueries::exec(QEventLoop::ProcessEventsFlags flags)
{
    m_jobs.exec(flags);
}

void ConcurrentQueries::cancel()
{
    m_jobs.cancel();
}

void ConcurrentQueries::adoptReady()
{
    while (m_adopted < int(m_entries.size()) && m_entries[size_t(m_adopted)].ran) {
        const int index = m_adopted++;
        Entry& entry = m_entries[size_t(index)];
        try {
            if (!entry.query)
                throw DbError(QStringLiteral("Query sudah tidak ada"));
            entry.query->finishOpen(std::move(*entry.opening));
        } catch (const DbError& e) {
            entry.error = e.message();
        }
        emit queryFinished(index);
        if (isFinished())
            emit finished();
    }
}
