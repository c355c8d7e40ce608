#include "stock/ItemToBuyReport.h"

#include "data/ConnectionSet.h"
#include "stock/ItemToBuyStatements.h"

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
    : QObject(parent), m_StockKRT(&connections.krt), m_stockbsm(&connections.soka),
      m_stocktwsp(&connections.kw), m_report(viewer, messages, locale, clock)
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

    // Each master row brings its own item's row of B and C, or none where the company
    // lacks the code; missing values then count as 0.
    m_report.preview(QStringLiteral("printitemtobuy"),
                     {{QStringLiteral("StockKRT"), &m_StockKRT},
                      {QStringLiteral("stockbsm"), &m_stockbsm},
                      {QStringLiteral("stocktwsp"), &m_stocktwsp}},
                     [this](const QString&, ReportDataSource& row) {
                         const QVariant item = row.value(kItemNo);
                         for (FbQuery* detail : {&m_stockbsm, &m_stocktwsp}) {
                             detail->setParam(kItemNo, item);
                             detail->open();
                         }
                     });
}
