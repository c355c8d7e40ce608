#include "sales/SalesChecks.h"

#include "data/ConcurrentQueries.h"
#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/Decimal.h"
#include "data/SalesTeamRecords.h"
#include "platform/WaitCursor.h"
#include "sales/ReceivablesStatements.h"
#include "sales/SalesCheckRules.h"
#include "sales/SalesStatements.h"

#include <QScopeGuard>

namespace
{

const QString kRankingLayout = QStringLiteral("Printrank");
const QString kInvoiceLayout = QStringLiteral("printdetail");
const QString kInvoiced = QStringLiteral("INVAMTBEFORETAX");
const QString kReturns = QStringLiteral("TOTRETUR");

// Amounts are summed as doubles whatever the column type; a missing value is 0.
double amount(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<Decimal>())
        return value.value<Decimal>().toDouble();
    return value.isNull() ? 0 : value.toDouble();
}

void setLines(FbQuery& query, const QStringList& lines)
{
    query.clearSql();
    for (const QString& line : lines)
        query.addSql(line);
}

} // namespace

SalesChecks::SalesChecks(ConnectionSet& connections, ReportViewer& viewer, Messages& messages,
                         const QLocale& locale, const Clock* clock, QObject* parent)
    : QObject(parent), m_connections(connections), m_krt(&connections.krt),
      m_bsm(&connections.soka), m_twsp(&connections.kw),
      m_control(&connections.control), m_companies{&m_krt, &m_bsm, &m_twsp},
      m_report(viewer, messages, locale, clock)
{
    // Children, so that support and tests find them by name.
    for (FbQuery* query : {&m_krt, &m_bsm, &m_twsp, &m_control})
        query->setParent(this);
    m_krt.setObjectName(QStringLiteral("Zkrt"));
    m_bsm.setObjectName(QStringLiteral("Zbsm"));
    m_twsp.setObjectName(QStringLiteral("Ztwsp"));
    m_control.setObjectName(QStringLiteral("Zedp"));
}

QStringList SalesChecks::readColumn(const QString& sql, const QString& field)
{
    m_control.setSql(sql);
    m_control.open();
    QStringList values;
    for (m_control.first(); !m_control.eof(); m_control.next())
        values << m_control.field(field).toString();
    return values;
}

QStringList SalesChecks::teamMembers(const QString& team)
{
    m_control.setSql(ControlRecords::teamMembersSql(team));
    m_control.open();
    QStringList members;
    for (m_control.first(); !m_control.eof(); m_control.next())
        members << ControlRecords::memberName(m_control);
    return members;
}

SalesList SalesChecks::salesList(const SalesScope& scope)
{
    WaitCursor wait;
    if (seesAllSalesmen(scope)) {
        const QStringList teams =
            readColumn(ControlRecords::salesTeamNamesSql(), QStringLiteral("INFO1"));
        const QStringList members =
            readColumn(ControlRecords::salesTeamMembersSql(), QStringLiteral("INFO2"));
        return fullSalesList(teams, members);
    }
    m_control.setSql(teamLookupStatement(scope));
    m_control.open();
    QStringList members;
    for (m_control.first(); !m_control.eof(); m_control.next())
        members << ControlRecords::memberName(m_control);
    return restrictedSalesList(scope, members);
}

void SalesChecks::openCompanies(const QStringList& lines, const SalesPeriod& period,
                                const QString& salesman, bool allRows)
{
    // The three companies at the same time, each on its own connection in a worker thread
    // that reads what the command needs; the window keeps painting, and the user's input
    // waits until they are back.
    ConcurrentQueries statements;
    FbOpenOptions options;
    options.prefetchRows = allRows ? -1 : 1;
    for (FbQuery* query : m_companies) {
        setLines(*query, lines);
        if (query->paramNames().contains(QLatin1String(kSalesmanParam), Qt::CaseInsensitive))
            query->setParam(QLatin1String(kSalesmanParam), salesman);
        query->setParam(QLatin1String(kPeriodFirstParam), period.first);
        query->setParam(QLatin1String(kPeriodLastParam), period.last);
        statements.add(*query, options);
    }
    statements.exec(QEventLoop::ExcludeUserInputEvents);
    // The first company that failed, in company order, ends the command.
    for (int i = 0; i < int(m_companies.size()); ++i)
        if (statements.failed(i))
            throw DbError(statements.error(i));
}

SalesChecks::Figures SalesChecks::sumCompanies(const QStringList& lines, const SalesPeriod& period,
                                               const QString& salesman)
{
    openCompanies(lines, period, salesman);
    QList<CompanySales> sales;
    for (FbQuery* query : m_companies) {
        // Only the first row counts; a company without one adds nothing.
        if (query->eof())
            sales << CompanySales{};
        else
            sales << CompanySales{amount(query->field(kInvoiced)), amount(query->field(kReturns))};
    }
    return {{}, achievedAmount(sales), {}};
}

SalesChecks::Figures SalesChecks::checkTeam(const QString& team, const SalesPeriod& period)
{
    WaitCursor wait;
    const auto close = qScopeGuard([this] { closeCompanies(); });
    const QStringList members = teamMembers(team);
    m_division = teamDivisionStatement(members);
    m_working = rankingStatement(members);
    m_workingTeam = team;

    m_control.setSql(ControlRecords::teamTargetSql(team));
    m_control.open();
    const QString division = ControlRecords::teamName(m_control);
    const QString target = ControlRecords::teamTarget(m_control);

    Figures figures = sumCompanies(m_division, period);
    figures.division = division;
    figures.target = target;
    return figures;
}

SalesChecks::Figures SalesChecks::checkSalesman(const QString& name, const SalesPeriod& period)
{
    WaitCursor wait;
    const auto close = qScopeGuard([this] { closeCompanies(); });
    m_working = singleSalesmanStatement();
    m_workingTeam.reset();

    m_control.setSql(ControlRecords::salesmanTargetSql(name));
    m_control.open();
    const QString division = ControlRecords::teamName(m_control);
    const QString target = ControlRecords::salesmanTarget(m_control);

    Figures figures = sumCompanies(m_working, period, name);
    figures.division = division;
    figures.target = target;
    return figures;
}

void SalesChecks::rankAllSales(const SalesPeriod& period)
{
    rankSalesmen({}, period);
}

void SalesChecks::rankSalesmen(const QStringList& names, const SalesPeriod& period)
{
    const auto close = qScopeGuard([this] { closeCompanies(); });
    {
        WaitCursor wait;
        m_working = rankingStatement(names);
        m_workingTeam.reset();
        openCompanies(m_working, period, {}, true);
    }
    preview(kRankingLayout);
}

void SalesChecks::rankTeam(const QString& team, const SalesPeriod& period)
{
    const auto close = qScopeGuard([this] { closeCompanies(); });
    {
        WaitCursor wait;
        // Only the team check's own ranking of this team fits the report; anything else the
        // working statement holds (another team, one salesman, invoices, nothing yet) is
        // replaced by this team's ranking.
        if (m_workingTeam != team) {
            m_working = rankingStatement(teamMembers(team));
            m_workingTeam = team;
        }
        openCompanies(m_working, period, {}, true);
    }
    preview(kRankingLayout);
}

void SalesChecks::showInvoices(const QString& salesman, const SalesPeriod& period)
{
    const auto close = qScopeGuard([this] { closeCompanies(); });
    {
        WaitCursor wait;
        m_working = invoiceDetailStatement(salesman == QLatin1String(kAllSalesEntry));
        m_workingTeam.reset();
        openCompanies(m_working, period, salesman, true);
    }
    preview(kInvoiceLayout);
}

void SalesChecks::preview(const QString& layout)
{
    m_report.preview(layout, {{m_krt.objectName(), &m_krt},
                              {m_bsm.objectName(), &m_bsm},
                              {m_twsp.objectName(), &m_twsp}});
}

void SalesChecks::closeCompanies()
{
    for (FbConnection* connection : {&m_connections.krt, &m_connections.soka, &m_connections.kw})
        connection->drop();
}
