#pragma once

#include "data/DbError.h"

#include <QEventLoop>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class FbConnection;
class QThread;

// Runs jobs at the same time, each in a thread of its own, and tells the thread that started
// them through queued signals as each one ends. A job fails by throwing DbError. While a job
// runs, the connection it was given is its own: the starting thread leaves it alone (and the
// queries on it) and may only cancel. Jobs touch no widget.
class ConcurrentJobs : public QObject
{
    Q_OBJECT
public:
    using Job = std::function<void()>;

    explicit ConcurrentJobs(QObject* parent = nullptr);
    ~ConcurrentJobs() override; // stops and waits for what still runs

    // `connection`: where the job runs its statements, so cancel() can reach them; may be null.
    int add(Job job, FbConnection* connection = nullptr);
    int count() const { return int(m_entries.size()); }
    void start();
    // Starts the jobs if needed, then waits in a local event loop, so windows keep painting
    // and queued signals arrive, until every job has ended; with ExcludeUserInputEvents the
    // user's input waits until then. When the program is ending meanwhile (its event loops
    // told to quit), stops the jobs and waits for them without one.
    void exec(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

    // Asks the running jobs to end: the statement each waits in fails, and a job between
    // statements learns it from cancelled() or throwIfCancelled(). They still end by
    // themselves and report as usual.
    void cancel();
    // cancel(), then waits until every job has ended; the links of those that do not answer
    // within `graceMs` are closed on the client side. A job still attaching ends when the
    // connect time-out expires.
    void stop(int graceMs = 1000);
    bool isCancelled() const { return m_cancelled.load(); }
    const std::atomic<bool>& cancelledFlag() const { return m_cancelled; }
    void throwIfCancelled() const; // for jobs

    bool isFinished() const { return m_started && m_running == 0; }
    bool failed(int job) const { return m_entries.at(job)->error.has_value(); }
    // The error that ended the job (the database's text), empty when it succeeded.
    QString error(int job) const;

signals:
    void jobFinished(int job);
    void finished();

private:
    struct Entry {
        Job job;
        FbConnection* connection = nullptr;
        QThread* thread = nullptr;
        std::optional<DbError> error;
        bool done = false;
    };
    void complete(int job);

    std::vector<std::unique_ptr<Entry>> m_entries;
    std::atomic<bool> m_cancelled{false};
    bool m_started = false;
    int m_running = 0;
};
