#include "stock/StockCheck.h"

#include "data/ConcurrentQueries.h"
#include "data/DbError.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "platform/BusyWindow.h"
#include "platform/Messages.h"
#include "platform/WindowScaler.h"
#include "stock/StockGrid.h"
#include "stock/StockLayout.h"
#include "stock/StockViewRules.h"

#include <QGroupBox>
#include <QScopeGuard>

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
    if (m_running)
        return;
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });
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
    a.box->setTitle(old ? kSourceCaptionOld : kSourceCaptionKrt);
    const Outcome outcome = runStatements(source, {{&query, a.grid, kSuffixKrt}}, filters);
    if (!outcome.ran)
        return;
    a.grid->source()->setQuery(&query);
    StockLayout layout;
    if (outcome.errors.isEmpty()) {
        layout = singleLayout(outcome.empty.at(0));
        arrange(layout);
    }
    m_area->repaint();
    showErrors(outcome.errors);
    if (layout.warn)
        m_messages.warning(kNothingFound);
}

void StockCheck::runAllCompanies(const StockFilters& filters)
{
    m_panels[0].box->setTitle(kSourceCaptionKrt);
    const Outcome outcome = runStatements(StockSource::AllCompanies,
                                          {{m_queries.krt, m_panels[0].grid, kSuffixKrt},
                                           {m_queries.soka, m_panels[1].grid, kSuffixSm},
                                           {m_queries.kw, m_panels[2].grid, kSuffixKw}},
                                          filters);
    if (!outcome.ran)
        return;
    m_panels[0].grid->source()->setQuery(m_queries.krt);
    m_panels[1].grid->source()->setQuery(m_queries.soka);
    m_panels[2].grid->source()->setQuery(m_queries.kw);
    // A company that failed counts as one with rows, so its panel stays in view; when all
    // failed the panels stay as they were.
    StockLayout layout;
    if (outcome.errors.size() < 3) {
        layout = threeCompanyLayout(outcome.empty.at(0), outcome.empty.at(1), outcome.empty.at(2));
        arrange(layout);
    }
    m_area->repaint();
    showErrors(outcome.errors);
    if (layout.warn)
        m_messages.warning(kNothingFound);
}

StockCheck::Outcome StockCheck::runStatements(StockSource source, const QVector<Run>& runs,
                                              const StockFilters& filters)
{
    BusyWindow busy(m_area->window());
    ConcurrentQueries statements;
    QObject::connect(&busy, &BusyWindow::closing, &statements, &ConcurrentQueries::cancel);
    // A fresh connection for every check; this also closes what other features had open
    // on the same database. The grid's first screen comes with the result.
    FbOpenOptions options;
    options.dropConnectionFirst = true;
    options.prefetchRows = QueryTableModel::kRowsPerFetch;
    for (const Run& run : runs) {
        run.query->clearSql();
        for (const QString& line : stockStatement(source, run.suffix, filters))
            run.query->addSql(line);
        statements.add(*run.query, options);
    }
    statements.exec();

    Outcome outcome;
    if (busy.closed())
        return outcome;
    outcome.ran = true;
    for (int i = 0; i < runs.size(); ++i) {
        const Run& run = runs.at(i);
        if (statements.failed(i)) {
            outcome.errors << statements.error(i);
            outcome.empty << false;
            continue;
        }
        FbQuery& query = *run.query;
        outcome.empty << query.eof();
        query.setDisplayFormat(QStringLiteral("UNITPRICE"), kMoneyFormat);
        query.setDisplayFormat(QStringLiteral("PURCHPRICE"), kMoneyFormat);
        query.setDisplayFormat(costColumn(source, run.suffix), kMoneyFormat);
        const QVector<GridColumnSpec> columns = companyColumns(source, run.suffix);
        for (int c = 0; c < columns.size(); ++c) {
            run.grid->bindColumn(c, columns[c].field, columns[c].title);
            if (columns[c].width > 0)
                run.grid->setDesignWidth(c, columns[c].width);
        }
    }
    return outcome;
}

void StockCheck::showErrors(const QStringList& errors)
{
    // In company order; a server that fails all three says so once.
    QStringList shown;
    for (const QString& error : errors) {
        if (shown.contains(error))
            continue;
        shown << error;
        m_messages.error(error);
    }
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
