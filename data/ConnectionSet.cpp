#include "data/ConnectionSet.h"

ConnectionSet::ConnectionSet(QObject* parent) : QObject(parent)
{
    m_base.user = QStringLiteral("sysdba");
    m_base.password = QStringLiteral("plumtrees");
    m_base.statistics = std::make_shared<FbStatistics>();
}

void ConnectionSet::setOptions(const QString& charset, int connectTimeoutSeconds)
{
    m_base.charset = charset;
    m_base.connectTimeoutSeconds = connectTimeoutSeconds;
}

QString ConnectionSet::controlDatabase()
{
    return QStringLiteral("f:\\vora\\edp\\edp.fdb");
}

QString ConnectionSet::krtDatabase(const QString& suffix)
{
    return QStringLiteral("f:\\vora\\krt\\krt") + suffix + QStringLiteral(".fdb");
}

QString ConnectionSet::sokaDatabase(const QString& suffix)
{
    return QStringLiteral("f:\\vora\\soka\\soka") + suffix + QStringLiteral(".fdb");
}

QString ConnectionSet::kwDatabase(const QString& suffix)
{
    return QStringLiteral("f:\\vora\\kw\\kw") + suffix + QStringLiteral(".fdb");
}

QString ConnectionSet::oldStockDatabase()
{
    return QStringLiteral("f:\\vora\\old\\OLDSTOCK.fdb");
}

void ConnectionSet::point(FbConnection& connection, const QString& database)
{
    ConnectionParams p = m_base;
    p.host = serverAddress;
    p.port = serverPort;
    p.database = database;
    connection.setParams(p);
}

void ConnectionSet::setControlServer(const QString& host, int port)
{
    ConnectionParams p = m_base;
    p.host = host;
    p.port = port;
    p.database = controlDatabase();
    control.setParams(p);
}

void ConnectionSet::configureCompanies(const QString& suffixKrt, const QString& suffixSoka,
                                       const QString& suffixKw)
{
    point(krt, krtDatabase(suffixKrt));
    point(kw, kwDatabase(suffixKw));
    point(soka, sokaDatabase(suffixSoka));
    point(oldStock, oldStockDatabase());
}
