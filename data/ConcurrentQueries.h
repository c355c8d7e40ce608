#pragma once

#include "data/ConcurrentJobs.h"
#include "data/FbQuery.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

// Opens queries at the same time, each on a connection of its own in a thread of its own.
// The results come back to the thread that asked, which makes each query active again in the
// order the queries were added, as soon as it and those before it have run; queryFinished()
// tells of each. Until then a query and its connection belong to their worker: the asking
// thread leaves both alone.
class ConcurrentQueries : public QObject
{
    Q_OBJECT
public:
    explicit ConcurrentQueries(QObject* parent = nullptr);
    ~ConcurrentQueries() override; // stops what still runs; such queries stay closed

    // Closes the query at once. Throws DbError when it cannot run (no connection, a parameter
    // without a value) or when an earlier query has the same connection.
    int add(FbQuery& query, const FbQuery::OpenOptions& options = {});
    void start();
    // Starts if needed and waits in a local event loop (windows keep painting) until every
    // query is back; see ConcurrentJobs::exec().
    void exec(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    void cancel(); // the statements still running fail; see ConcurrentJobs::cancel()
    bool isCancelled() const { return m_jobs.isCancelled(); }
    bool isFinished() const { return m_adopted == int(m_entries.size()); }

    // The database's text for a query that did not open, empty for one that did.
    QString error(int index) const { return m_entries.at(size_t(index)).error; }
    bool failed(int index) const { return !error(index).isEmpty(); }

signals:
    void queryFinished(int index); // open, or error(index) says why not
    void finished();

private:
    struct Entry {
        QPointer<FbQuery> query;
        std::unique_ptr<FbQuery::Opening> opening;
        QString error;
        bool ran = false;
    };
    void adoptReady();

    ConcurrentJobs m_jobs;
    std::vector<Entry> m_entries;
    int m_adopted = 0;
};
