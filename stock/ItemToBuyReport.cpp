#include "stock/ItemToBuyReport.h"

#include "data/ConnectionSet.h"
#include "stock/ItemToBuyStatements.h"

namespace
{

// The queries' object names, which are also the layout's data-set names.
namespace ObjectNames
{
inline constexpr char krtItems[] = "StockKRT";
inline constexpr char sokaItems[] = "stockbsm";
inline constexpr char kwItems[] = "stocktwsp";
} // namespace ObjectNames

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
    : QObject(parent), m_krtItems(&connections.krt), m_sokaItems(&connections.soka),
      m_kwItems(&connections.kw), m_report(viewer, messages, locale, clock)
{
    hold(m_krtItems, ObjectNames::krtItems, itemToBuyMasterStatement());
    hold(m_sokaItems, ObjectNames::sokaItems, itemToBuyDetailStatement());
    hold(m_kwItems, ObjectNames::kwItems, itemToBuyDetailStatement());
}

void ItemToBuyReport::run()
{
    for (FbQuery* query : {&m_krtItems, &m_sokaItems, &m_kwItems})
        if (FbConnection* connection = query->connection())
            connection->drop();

    // Each master row brings its own item's row of B and C, or none where the company
    // lacks the code; missing values then count as 0.
    m_report.preview(QStringLiteral("printitemtobuy"),
                     {{QLatin1String(ObjectNames::krtItems), &m_krtItems},
                      {QLatin1String(ObjectNames::sokaItems), &m_sokaItems},
                      {QLatin1String(ObjectNames::kwItems), &m_kwItems}},
                     [this](const QString&, ReportDataSource& row) {
                         const QVariant item = row.value(kItemNo);
                         for (FbQuery* detail : {&m_sokaItems, &m_kwItems}) {
                             detail->setParam(kItemNo, item);
                             detail->open();
                         }
                     });
}
