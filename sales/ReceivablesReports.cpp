#include "sales/ReceivablesReports.h"

#include "data/ConnectionSet.h"
#include "data/LoginState.h"
#include "platform/AppContext.h"

namespace
{
// Object names of the company queries, also the data-set names the layouts read.
const char* const kQueryNames[] = {"piutangKRT", "piutangBSM", "piutangTWSP"};
const QString kSummaryLayout = QStringLiteral("reportsummary");
const QString kDetailLayout = QStringLiteral("reportdetail");
} // namespace

ReceivablesReports::ReceivablesReports(ConnectionSet& connections, AppContext& context,
                                       const LoginState& session, QObject* parent)
    : QObject(parent), m_krt(&connections.krt), m_bsm(&connections.soka), m_twsp(&connections.kw),
      m_session(session),
      m_report(*context.reportViewer, *context.messages, QLocale(), context.clock)
{
    for (int company = 0; company < 3; ++company)
        m_queries[company]->setObjectName(QLatin1String(kQueryNames[company]));
}

void ReceivablesReports::showSummary()
{
    run(kSummaryLayout, m_session.receivablesSummarySql);
}

void ReceivablesReports::showDetail()
{
    run(kDetailLayout, m_session.receivablesDetailSql);
}

void ReceivablesReports::run(const QString& layoutName, const QStringList& statement)
{
    QList<QPair<QString, FbQuery*>> dataSets;
    for (FbQuery* query : m_queries) {
        if (FbConnection* connection = query->connection())
            connection->drop();
        query->clearSql();
        for (const QString& line : statement)
            query->addSql(line);
        dataSets.append({query->objectName(), query});
    }
    m_report.preview(layoutName, dataSets);
}
