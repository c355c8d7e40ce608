#include "stock/StockCheck.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/Messages.h"
#include "platform/WaitCursor.h"
#include "platform/WindowScaler.h"
#include "stock/StockGrid.h"
#include "stock/StockLayout.h"
#include "stock/StockViewRules.h"

#include <QGroupBox>
#include <QGuiApplication>

namespace
{

const QString kMoneyFormat = QStringLiteral("#,#0.00;(#,#0.00);#,#0.00 ");
const QString kNothingFound = QStringLiteral("Pastikan keyword filter benar");

} // namespace

StockCheck::StockCheck(const std::array<StockPanel, 3>& panels, const Queries& queries,
                       WindowScaler& scaler, Messages& messages, QWidget* area)
    : m_panels(panels), m_queries(queries), m_scaler(scaler), m_messages(messages), m_area(area)
{
}

void StockCheck::run(StockSource source, const StockFilters& filters)
{
    try {
        if (source == StockSource::AllCompanies)
            runAllCompanies(filters);
        else
            runSingle(source, filters);
    } catch (const DbError& e) {
        m_messages.error(e.message());
    }
}

void StockCheck::runSingle(StockSource source, const StockFilters& filters)
{
    const bool old = source == StockSource::OldStock;
    FbQuery& query = old ? *m_queries.oldStock : *m_queries.krt;
    StockPanel& a = m_panels[0];
    StockLayout layout;
    {
        WaitCursor wait;
        a.box->setTitle(old ? kSourceCaptionOld : kSourceCaptionKrt);
        const bool empty = runStatement(query, *a.grid, source, kSuffixKrt, filters);
        a.grid->source()->setQuery(&query);
        layout = singleLayout(empty);
        arrange(layout);
        m_area->repaint();
    }
    if (layout.warn)
        m_messages.warning(kNothingFound);
}

void StockCheck::runAllCompanies(const StockFilters& filters)
{
    const StockSource all = StockSource::AllCompanies;
    StockLayout layout;
    {
        WaitCursor wait;
        m_panels[0].box->setTitle(kSourceCaptionKrt);
        const bool krtEmpty =
            runStatement(*m_queries.krt, *m_panels[0].grid, all, kSuffixKrt, filters);
        const bool sokaEmpty =
            runStatement(*m_queries.soka, *m_panels[1].grid, all, kSuffixSm, filters);
        const bool kwEmpty =
            runStatement(*m_queries.kw, *m_panels[2].grid, all, kSuffixKw, filters);
        m_panels[0].grid->source()->setQuery(m_queries.krt);
        m_panels[1].grid->source()->setQuery(m_queries.soka);
        m_panels[2].grid->source()->setQuery(m_queries.kw);
        layout = threeCompanyLayout(krtEmpty, sokaEmpty, kwEmpty);
        arrange(layout);
        m_area->repaint();
    }
    if (layout.warn)
        m_messages.warning(kNothingFound);
}

bool StockCheck::runStatement(FbQuery& query, StockGrid& grid, StockSource source,
                              const QString& suffix, const StockFilters& filters)
{
    // A fresh connection for every check; this also closes what other features had open
    // on the same database.
    if (FbConnection* connection = query.connection())
        connection->drop();
    query.clearSql();
    for (const QString& line : stockStatement(source, suffix, filters))
        query.addSql(line);
    query.open();
    const bool empty = query.eof();
    query.setDisplayFormat(QStringLiteral("UNITPRICE"), kMoneyFormat);
    query.setDisplayFormat(QStringLiteral("PURCHPRICE"), kMoneyFormat);
    query.setDisplayFormat(costColumn(source, suffix), kMoneyFormat);
    const QVector<GridColumnSpec> columns = companyColumns(source, suffix);
    for (int c = 0; c < columns.size(); ++c) {
        grid.bindColumn(c, columns[c].field, columns[c].title);
        if (columns[c].width > 0)
            grid.setDesignWidth(c, columns[c].width);
    }
    return empty;
}

void StockCheck::arrange(const StockLayout& layout)
{
    for (int i = 0; i < int(m_panels.size()); ++i) {
        const PanelPlacement& p = layout.panels[i];
        QGroupBox* box = m_panels[i].box;
        if (p.visible)
            box->setVisible(*p.visible);
        if (p.top)
            m_scaler.setDesignTop(box, *p.top);
        if (p.height)
            m_scaler.setDesignHeight(box, *p.height);
        if (p.gridHeight)
            m_scaler.setDesignHeight(m_panels[i].grid, *p.gridHeight);
    }
}
