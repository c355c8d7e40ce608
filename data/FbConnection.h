#pragma once

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <memory>

class FbQuery;
struct FbStatistics;

// Matches FB_API_HANDLE of the client headers, which this header does not include.
#ifdef _WIN32
using FbApiHandle = void*;
#else
using FbApiHandle = unsigned int;
#endif

struct ConnectionParams {
    QString host;
    int port = 3050;
    QString database;
    QString user = QStringLiteral("sysdba");
    QString password;
    QString charset = QStringLiteral("WIN1252");
    int connectTimeoutSeconds = 10;
    // Counts what connections with these parameters ask of the server; may be null.
    std::shared_ptr<FbStatistics> statistics;
};

// One attachment to a Firebird database through the client's C API.
// Opens by itself when a query on it opens; drop() closes every query on it first.
//
// The client library is safe per attachment: one thread at a time may use a connection, and
// it may pass from thread to thread. A worker may open(), detach() and run statements on a
// connection while the thread that owns it (and its queries) leaves both alone; only
// cancelOperation() may be called from another thread meanwhile.
class FbConnection : public QObject
{
    Q_OBJECT
public:
    explicit FbConnection(QObject* parent = nullptr);
    ~FbConnection() override;

    void setParams(const ConnectionParams& params);
    const ConnectionParams& params() const { return m_params; }
    // "host/port:path", the string the client attaches to.
    QString connectString() const;

    // Creates an empty database at params.database (character set: params.charset).
    static void createDatabase(const ConnectionParams& params);

    void open(); // throws DbError
    void drop(); // never throws: closes queries, detaches
    bool isOpen() const { return m_handle != 0; }

    // The two halves of drop(): the queries are closed by the thread that owns them, the
    // attachment may then be ended by a worker (detach() closes nothing; never throws).
    void closeQueries();
    void detach();

    // Stops what a worker is running on this connection: the call it waits in fails with
    // "operation was cancelled"; with `abort` the client also closes its side of the link,
    // for a server that no longer answers. Safe from any thread; nothing when not attached.
    void cancelOperation(bool abort = false);

    // Runs one statement that returns no rows in its own read-write transaction,
    // committed on success and rolled back on error. Parameters by name (":NAME").
    // Returns the rows it changed.
    int execute(const QString& sql, const QVariantMap& params = {});

    // Internal, for FbQuery and the statement helpers.
    FbApiHandle* handlePtr() { return &m_handle; }
    void registerQuery(FbQuery* query);
    void unregisterQuery(FbQuery* query);
    void markLost();

private:
    ConnectionParams m_params;
    FbApiHandle m_handle = 0;
    // Guards m_handle against cancelOperation() from another thread.
    QMutex m_handleLock;
    QList<QPointer<FbQuery>> m_queries;
};
