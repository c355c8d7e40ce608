#pragma once

#include "data/FbQuery.h"
#include "report/QueryReport.h"

#include <QObject>
#include <QStringList>

struct AppContext;
class ConnectionSet;
struct LoginState;
class Messages;

// The receivables summary (per salesman and company) and detail (per customer) reports over
// the three company databases, run with the statements the login completed.
class ReceivablesReports : public QObject
{
    Q_OBJECT
public:
    // The session's statements are read on every run, so the login may complete them after
    // construction.
    ReceivablesReports(ConnectionSet& connections, AppContext& context, const LoginState& session,
                       QObject* parent = nullptr);

    // One query per company, in the order KRT, BSM, TWSP.
    FbQuery& companyQuery(int company) { return *m_queries[company]; }

public slots:
    void showSummary();
    void showDetail();

private:
    // Drops the company connections first (which empties every other result on them) and
    // reads every figure afresh, the three companies at the same time while the window that
    // owns the reports (the parent) waits; a database error is shown and no report opens,
    // since totals over the companies would be wrong without one of them.
    void run(const QString& layoutName, const QStringList& statement);

    FbQuery m_krt;
    FbQuery m_bsm;
    FbQuery m_twsp;
    FbQuery* m_queries[3] = {&m_krt, &m_bsm, &m_twsp};
    const LoginState& m_session;
    Messages& m_messages;
    QueryReport m_report;
};
