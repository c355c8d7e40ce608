#include "data/FbConnection.h"

#include "data/DbError.h"
#include "data/FbQuery.h"
#include "data/FbStatement.h"
#include "data/FbStatistics.h"
#include "data/SqlParameters.h"
#include "data/SqlText.h"
#include "data/TextCodec.h"

#include <QMutexLocker>
#include <QThread>
#include <ibase.h>

namespace
{
void addText(QByteArray& dpb, char tag, const QByteArray& value)
{
    dpb.append(tag);
    dpb.append(char(qMin<qsizetype>(value.size(), 255)));
    dpb.append(value.left(255));
}
} // namespace

FbConnection::FbConnection(QObject* parent) : QObject(parent) {}

FbConnection::~FbConnection()
{
    drop();
    // Queries may outlive their connection (members destroyed before a window's children).
    for (const QPointer<FbQuery>& q : std::as_const(m_queries))
        if (q)
            q->forgetConnection();
}

void FbConnection::setParams(const ConnectionParams& params)
{
    drop();
    m_params = params;
}

QString FbConnection::connectString() const
{
    return QStringLiteral("%1/%2:%3").arg(m_params.host).arg(m_params.port).arg(m_params.database);
}

void FbConnection::open()
{
    if (m_handle)
        return;
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    addText(dpb, isc_dpb_user_name, m_params.user.toUtf8());
    addText(dpb, isc_dpb_password, m_params.password.toUtf8());
    addText(dpb, isc_dpb_lc_ctype, m_params.charset.toLatin1());
    const qint32 timeout = qMax(1, m_params.connectTimeoutSeconds);
    dpb.append(char(isc_dpb_connect_timeout));
    dpb.append(char(4));
    for (int i = 0; i < 4; ++i)
        dpb.append(char((timeout >> (8 * i)) & 0xff));

    // The path is text of the server; it travels in the connection character set.
    const QByteArray path = TextCodec(m_params.charset).encode(connectString());
    ISC_STATUS_ARRAY status;
    isc_db_handle handle = 0;
    isc_attach_database(status, 0, path.constData(), &handle, short(dpb.size()), dpb.constData());
    if (status[0] == 1 && status[1]) {
        if (handle) {
            ISC_STATUS_ARRAY ignored;
            isc_detach_database(ignored, &handle);
        }
        throwStatus(status);
    }
    if (m_params.statistics)
        ++m_params.statistics->attachments;
    QMutexLocker lock(&m_handleLock);
    m_handle = handle;
}

void FbConnection::createDatabase(const ConnectionParams& params)
{
    FbConnection probe;
    probe.m_params = params;
    const QString sql =
        QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 DEFAULT CHARACTER SET %4")
            .arg(sqlQuoted(probe.connectString()), sqlQuoted(params.user),
                 sqlQuoted(params.password), params.charset);
    const QByteArray text = sql.toUtf8();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    isc_dsql_execute_immediate(status, &db, &tr, 0, text.constData(), SQL_DIALECT_V6, nullptr);
    if (status[0] == 1 && status[1])
        throwStatus(status);
    ISC_STATUS_ARRAY ignored;
    isc_detach_database(ignored, &db);
}

void FbConnection::drop()
{
    // Close queries first: their statements and transactions must go before the attachment.
    closeQueries();
    detach();
}

void FbConnection::closeQueries()
{
    const auto queries = m_queries;
    for (const QPointer<FbQuery>& q : queries)
        if (q)
            q->release();
}

void FbConnection::detach()
{
    FbApiHandle handle = 0;
    {
        QMutexLocker lock(&m_handleLock);
        std::swap(handle, m_handle);
    }
    if (handle) {
        ISC_STATUS_ARRAY ignored;
        isc_detach_database(ignored, &handle);
    }
}

void FbConnection::cancelOperation(bool abort)
{
    QMutexLocker lock(&m_handleLock);
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY ignored;
    isc_db_handle handle = m_handle;
    fb_cancel_operation(ignored, &handle, abort ? fb_cancel_abort : fb_cancel_raise);
}

void FbConnection::markLost()
{
    // The attachment is dead: close its queries, free what the client still holds of it,
    // and let the next open attach afresh. A worker leaves the queries to their own thread,
    // which closed them before it handed the connection over.
    if (QThread::currentThread() == thread())
        closeQueries();
    detach();
}

int FbConnection::execute(const QString& sql, const QVariantMap& params)
{
    open();
    const ParsedSql parsed = parseNamedParameters(sql);
    QVariantMap upper;
    for (auto it = params.begin(); it != params.end(); ++it)
        upper.insert(it.key().toUpper(), it.value());
    QVariantList values;
    for (const QString& name : parsed.names) {
        if (!upper.contains(name))
            throw DbError(QStringLiteral("Parameter %1 tidak diberi nilai").arg(name));
        values << upper.value(name);
    }
    FbStatement statement(*this, FbStatement::Mode::ReadWrite);
    statement.execute(parsed.text, values);
    const int rows = statement.affectedRows();
    statement.commit();
    return rows;
}

void FbConnection::registerQuery(FbQuery* query)
{
    if (!m_queries.contains(query))
        m_queries.append(query);
}

void FbConnection::unregisterQuery(FbQuery* query)
{
    m_queries.removeAll(query);
}
