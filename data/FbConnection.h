#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

class FbQuery;

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
};

// One attachment to a Firebird database through the client's C API.
// Opens by itself when a query on it opens; drop() closes every query on it first.
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
    QList<QPointer<FbQuery>> m_queries;
};
