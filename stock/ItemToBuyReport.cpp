#include "stock/ItemToBuyReport.h"

#include "data/ConnectionSet.h"
#include "platform/BusyWindow.h"
#include "platform/Messages.h"
#include "stock/ItemToBuyProgress.h"
#include "stock/ItemToBuyReader.h"
#include "stock/ItemToBuyStatements.h"

#include <QWidget>
#include <optional>

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
    : QObject(parent), m_connections(connections), m_messages(messages),
      m_krtItems(&connections.krt), m_sokaItems(&connections.soka), m_kwItems(&connections.kw),
      m_report(viewer, messages, locale, clock)
{
    hold(m_krtItems, ObjectNames::krtItems, itemToBuyMasterStatement());
    hold(m_sokaItems, ObjectNames::sokaItems, itemToBuyDetailStatement());
    hold(m_kwItems, ObjectNames::kwItems, itemToBuyDetailStatement());
}

void ItemToBuyReport::run()
{
    ItemToBuyReader reader(
        {m_connections.krt.params(), m_connections.soka.params(), m_connections.kw.params()},
        m_krtItems.sqlLines(), m_sokaItems.sqlLines());
    {
        // The window that owns the command shows the progress and waits; closing it stops
        // the reading.
        auto* window = qobject_cast<QWidget*>(parent());
        std::optional<BusyWindow> busy;
        if (window) {
            busy.emplace(window);
            connect(&*busy, &BusyWindow::closing, &reader, &ItemToBuyReader::cancel);
        }
        ItemToBuyProgress progress(reader, window);
        if (!reader.read()) {
            if (!reader.cancelled())
                m_messages.error(reader.error());
            return;
        }
    }

    // Read in full: now the command's own drop, which empties every other result on the
    // three company databases, then the report over what was read.
    for (FbConnection* connection : {&m_connections.krt, &m_connections.soka, &m_connections.kw})
        connection->drop();
    ItemToBuyData& data = reader.data();
    m_krtItems.openWithRows(data.master.fields, std::move(data.master.rows));

    // Each master row brings its own item's row of B and C, or none where the company
    // lacks the code; missing values then count as 0.
    m_report.preview(QStringLiteral("printitemtobuy"),
                     {{QLatin1String(ObjectNames::krtItems), &m_krtItems},
                      {QLatin1String(ObjectNames::sokaItems), &m_sokaItems},
                      {QLatin1String(ObjectNames::kwItems), &m_kwItems}},
                     [this, &data](const QString&, ReportDataSource& row) {
                         const QString item = row.value(kItemNo).toString();
                         FbQuery* details[2] = {&m_sokaItems, &m_kwItems};
                         for (int i = 0; i < 2; ++i) {
                             const ItemToBuyData::Detail& detail = data.details[size_t(i)];
                             details[i]->openWithRows(detail.fields, detail.rowsByItem.value(item));
                         }
                     });
}
