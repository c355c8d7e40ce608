#pragma once

#include "data/FbQuery.h"
#include "data/LoginState.h"
#include "report/QueryReport.h"
#include "sales/SalesList.h"

#include <QDate>
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <array>
#include <optional>

class Clock;
class ConnectionSet;
class Messages;
class ReportViewer;

// The period of a check, both ends included.
struct SalesPeriod {
    QDate first;
    QDate last;
};

// The sales window's work on the databases: the list of salesmen and teams from the control
// database, the checks and reports over the three company databases (KRT, BSM, TWSP, always
// in that order). Every command leaves the company connections closed, which also empties
// the other results on them. Database errors reach the caller as DbError.
class SalesChecks : public QObject
{
    Q_OBJECT
public:
    SalesChecks(ConnectionSet& connections, ReportViewer& viewer, Messages& messages,
                const QLocale& locale = QLocale(), const Clock* clock = nullptr,
                QObject* parent = nullptr);

    // What a check found: the division (team) of the target record, the amount invoiced less
    // returns over the three companies and the target text as stored (empty without one).
    struct Figures {
        QString division;
        double achieved = 0;
        QString target;
    };

    // The list the user may pick from.
    SalesList salesList(const SalesScope& scope);

    // A team's division totals against the team's target.
    Figures checkTeam(const QString& team, const SalesPeriod& period);
    // One salesman against the salesman's own target.
    Figures checkSalesman(const QString& name, const SalesPeriod& period);

    // Reports, previewed; the connections close when the preview closes.
    void rankAllSales(const SalesPeriod& period);
    void rankSalesmen(const QStringList& names, const SalesPeriod& period);
    // The ranking of a team's members as the team check ranks them.
    void rankTeam(const QString& team, const SalesPeriod& period);
    // The invoices of one salesman, or of everyone for "All Sales".
    void showInvoices(const QString& salesman, const SalesPeriod& period);

    // The statement the last command ran or prepared for the companies (salesman or invoice
    // level) and the last team's division statement.
    const QStringList& workingStatement() const { return m_working; }
    const QStringList& divisionStatement() const { return m_division; }
    // The company queries, KRT, BSM, TWSP.
    FbQuery& company(int index) { return *m_companies.at(index); }

private:
    QStringList readColumn(const QString& sql, const QString& field);
    QStringList teamMembers(const QString& team);
    // The reports read every row (`allRows`), a check only the first.
    void openCompanies(const QStringList& lines, const SalesPeriod& period,
                       const QString& salesman = {}, bool allRows = false);
    Figures sumCompanies(const QStringList& lines, const SalesPeriod& period,
                         const QString& salesman = {});
    void preview(const QString& layout);
    void closeCompanies();

    ConnectionSet& m_connections;
    FbQuery m_krt;
    FbQuery m_bsm;
    FbQuery m_twsp;
    FbQuery m_control;
    std::array<FbQuery*, 3> m_companies;
    QueryReport m_report;
    QStringList m_working;
    QStringList m_division;
    std::optional<QString> m_workingTeam; // set while m_working ranks that team's members
};
