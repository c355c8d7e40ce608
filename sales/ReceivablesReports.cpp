#include "sales/ReceivablesReports.h"

#include "data/ConcurrentQueries.h"
#include "data/ConnectionSet.h"
#include "data/DbError.h"
#include "data/LoginState.h"
#include "platform/AppContext.h"
#include "platform/BusyWindow.h"
#include "platform/Messages.h"

#include <QWidget>
#include <optional>

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
      m_session(session), m_messages(*context.messages),
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
    ConcurrentQueries companies;
    {
        // The window that owns the reports waits, painting; closing it stops the reading.
        auto* window = qobject_cast<QWidget*>(parent());
        std::optional<BusyWindow> busy;
        if (window) {
            busy.emplace(window);
            connect(&*busy, &BusyWindow::closing, &companies, &ConcurrentQueries::cancel);
        }
        // The three companies at the same time, each on a fresh connection in a worker
        // thread that reads every row the report will print.
        FbOpenOptions options;
        options.dropConnectionFirst = true;
        options.prefetchRows = -1;
        try {
            for (FbQuery* query : m_queries) {
                query->clearSql();
                for (const QString& line : statement)
                    query->addSql(line);
                dataSets.append({query->objectName(), query});
                companies.add(*query, options);
            }
        } catch (const DbError& e) {
            m_messages.error(e.message());
            return;
        }
        companies.exec(window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        if (busy && busy->closed())
            return;
    }
    for (int company = 0; company < 3; ++company) {
        if (companies.failed(company)) {
            m_messages.error(companies.error(company));
            return;
        }
    }
    m_report.preview(layoutName, dataSets);
}
