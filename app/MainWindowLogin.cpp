// Login by NIK: the user's session and rights, the online stamp, the receivables statements.
#include "app/MainWindow.h"

#include "app/LoginPanel.h"
#include "data/DateRules.h"
#include "data/DbError.h"
#include "data/QueryTableModel.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/WaitCursor.h"
#include "sales/ReceivablesStatements.h"
#include "sales/SalesAchievementDialog.h"
#include "stock/StockView.h"

#include <QComboBox>
#include <QLineEdit>

void MainWindow::nikEntered()
{
    if (m_session.loggedIn || m_loginPanel->nik().size() < ControlRecords::kShortestNik)
        return;
    if (!m_startupComplete) {
        connectAndConfigure();
        if (!m_startupComplete)
            return;
    }
    try {
        login();
    } catch (const DbError& e) {
        m_context.messages->error(e.message());
    }
}

void MainWindow::login()
{
    const QString nik = m_loginPanel->nik();
    auto findUser = [this, &nik] {
        m_control.setConnection(&m_db.control);
        m_control.setSql(ControlRecords::userByNikSql());
        m_control.setParam(QStringLiteral("NIK"), nik);
        m_control.open();
        return m_control.locate(QStringLiteral("INFO1"), nik);
    };
    ControlRecords::UserRecord user;
    QStringList members;
    {
        WaitCursor wait;
        if (!findUser())
            return;
        user = ControlRecords::readUser(m_control);
        // Everything the login reads comes before the stamp: a connection lost on the way
        // leaves nobody online with half a session, and Enter may simply be pressed again.
        const SalesScope scope = ControlRecords::salesScopeOf(user);
        if (scope.sales1 != QLatin1String("1")) {
            members = teamMembers(scope);
            if (!findUser())
                return;
        }
    }
    m_session.loginDate = m_context.clock->today();
    {
        WaitCursor wait;
        m_control.locate(QStringLiteral("INFO1"), nik);
        ControlRecords::stampStatus(m_control, ControlRecords::kOnline, m_context.clock->now());
    }
    m_session.loggedIn = true;
    m_session.nik = user.nik;
    m_session.name = user.name;
    m_session.periodStart = m_application.periodStart;
    m_session.sales = ControlRecords::salesScopeOf(user);
    m_rights = ControlRecords::rightsOf(user);
    applySalesFilter(members);

    m_loginPanel->hide();
    m_stock->showCompanyPanels();
    applyRights();

    m_context.messages->information(QStringLiteral("Selamat Datang ") + user.name);
    if (m_offline)
        showOfflineBanner();
}

void MainWindow::showOfflineBanner()
{
    WaitCursor wait;
    FbConnection& krtConnection = m_db.krt;
    if (krtConnection.isOpen())
        krtConnection.drop();
    FbQuery& krt = m_stock->krt();
    krt.setSql(QStringLiteral(
        "SELECT first 1 r.AUDITID, r.MODIDATE FROM AUDITXML r order by r.AUDITID desc"));
    krt.open();
    const QString modified = QueryTableModel::displayText(krt.field(QStringLiteral("MODIDATE")));
    m_offlineBanner->setText(QStringLiteral("Update :") + modified);
    krtConnection.drop();
    m_offlineBanner->show();
}

QStringList MainWindow::teamMembers(const SalesScope& scope)
{
    m_control.setSql(teamLookupStatement(scope));
    m_control.open();
    QStringList members;
    for (m_control.first(); !m_control.eof(); m_control.next())
        members << ControlRecords::memberName(m_control);
    return members;
}

void MainWindow::applySalesFilter(const QStringList& members)
{
    const SalesScope& scope = m_session.sales;
    if (scope.sales1 != QLatin1String("1") && m_sales)
        m_sales->clearSalesList();
    const FilterLines lines = salesFilterLines(scope, members);
    m_session.receivablesSummarySql = summaryStatementStart() + lines.summary;
    m_session.receivablesDetailSql = detailStatementStart() + lines.detail;
}
