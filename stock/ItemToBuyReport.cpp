#include "ItemToBuyReport.h"

#include "Clock.h"
#include "ConnectionSet.h"
#include "DbError.h"
#include "ItemToBuyStatements.h"
#include "Messages.h"
#include "QueryReportSource.h"
#include "ReportEngine.h"
#include "ReportLayoutReader.h"
#include "ReportViewer.h"
#include "WaitCursor.h"

namespace
{

const QString kItemNo = QStringLiteral("ITEMNO");

void hold(FbQuery& query, const char* name, const QStringList& lines)
{
    query.setObjectName(QLatin1String(name));
    for (const QString& line : lines)
        query.addSql(line);
}

} // namespace

ItemToBuyReport::ItemToBuyReport(ConnectionSet& connections, ReportViewer& viewer,
                                 Messages& messages, const QLocale& locale, const Clock* clock,
                                 QObject* parent)
    : QObject(parent), m_StockKRT(&connections.VORAKRT), m_stockbsm(&connections.VORASOKA),
      m_stocktwsp(&connections.VORAKW), m_viewer(viewer), m_messages(messages), m_locale(locale),
      m_clock(clock)
{
    hold(m_StockKRT, "StockKRT", itemToBuyMasterStatement());
    hold(m_stockbsm, "stockbsm", itemToBuyDetailStatement());
    hold(m_stocktwsp, "stocktwsp", itemToBuyDetailStatement());
}

void ItemToBuyReport::ItemtoBuy1Click()
{
    for (FbQuery* query : {&m_StockKRT, &m_stockbsm, &m_stocktwsp})
        if (FbConnection* connection = query->connection())
            connection->drop();

    std::optional<PreparedReport> report;
    QString error;
    try {
        WaitCursor wait;
        const std::optional<ReportLayout> layout =
            ReportLayoutReader::fromResource(QStringLiteral("printitemtobuy"), &error);
        if (layout) {
            QueryReportSource master(m_StockKRT), bsm(m_stockbsm), twsp(m_stocktwsp);
            ReportEngine engine(*layout);
            engine.bind(QStringLiteral("StockKRT"), &master);
            engine.bind(QStringLiteral("stockbsm"), &bsm);
            engine.bind(QStringLiteral("stocktwsp"), &twsp);
            // Each master row brings its own item's row of B and C, or none where the
            // company lacks the code; missing values then count as 0.
            engine.setMasterRowHandler([this](const QString&, ReportDataSource& row) {
                const QVariant item = row.value(kItemNo);
                for (FbQuery* detail : {&m_stockbsm, &m_stocktwsp}) {
                    detail->setParam(kItemNo, item);
                    detail->open();
                }
            });
            engine.setLocale(m_locale);
            if (m_clock)
                engine.setPrintTime(m_clock->now());
            report = engine.prepare(&error);
        }
    } catch (const DbError& e) {
        error = e.message();
    }
    if (!report) {
        m_messages.error(error);
        return;
    }
    m_viewer.preview(*report);
}
