#pragma once

#include "data/FbConnection.h"
#include "data/FbStatistics.h"

#include <QObject>
#include <QString>

// The five named connections of the program and the server the run settled on.
class ConnectionSet : public QObject
{
    Q_OBJECT
public:
    static constexpr int kLanPort = 3051;
    static constexpr int kRemotePort = 3015;

    explicit ConnectionSet(QObject* parent = nullptr);

    FbConnection control;  // control database
    FbConnection krt;      // company KRT
    FbConnection soka;     // company BSM (SOKA)
    FbConnection kw;       // company TWSP (KW)
    FbConnection oldStock; // old stock

    // Character set and connect time-out shared by all five (the credentials are fixed).
    void setOptions(const QString& charset, int connectTimeoutSeconds);

    // Points `control` at the control database on a server; it stays closed.
    void setControlServer(const QString& host, int port);
    // Points the company and old-stock connections at the chosen server; they stay closed.
    void configureCompanies(const QString& suffixKrt, const QString& suffixSoka,
                            const QString& suffixKw);

    // What the five connections, and others made from their parameters, asked of the server.
    const FbStatistics& statistics() const { return *m_base.statistics; }

    QString serverAddress;
    int serverPort = kRemotePort;

    static QString controlDatabase();
    static QString krtDatabase(const QString& suffix);
    static QString sokaDatabase(const QString& suffix);
    static QString kwDatabase(const QString& suffix);
    static QString oldStockDatabase();

private:
    void point(FbConnection& connection, const QString& database);
    ConnectionParams m_base;
};
