// Login by NIK: the user's rights, the online stamp, the receivables statements.
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
#include <QLabel>
#include <QLineEdit>

namespace
{
// NIKs of this length or shorter are not looked up.
constexpr int kShortestNik = 6;
} // namespace

void MainWindow::nikKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    if (m_loggedIn || m_login->nik()->text().size() < kShortestNik)
        return;
    try {
        login();
    } catch (const DbError& e) {
        m_context.messages->error(e.message());
    }
}

void MainWindow::login()
{
    const QString nik = m_login->nik()->text();
    ControlRecords::UserRecord user;
    {
        WaitCursor wait;
        m_kontrol.setConnection(&m_db.control);
        m_kontrol.setSql(ControlRecords::userByNikSql());
        m_kontrol.setParam(QStringLiteral("NIK"), nik);
        m_kontrol.open();
        if (!m_kontrol.locate(QStringLiteral("INFO1"), nik))
            return;
        user = ControlRecords::readUser(m_kontrol);
    }
    m_lbltgl->setText(shortDate(m_context.clock->today()));
    sales1 = user.sales1;
    sales2 = user.sales2;
    dept1 = user.dept1;
    dept2 = user.dept2;
    dept3 = user.dept3;
    m_print->setText(user.print);
    m_cekonline->setText(user.online);
    m_cekadmin->setText(user.admin);
    m_ceksales->setText(user.sales1);
    m_cekpo->setText(user.price);
    m_itembuy->setText(user.itemToBuy);

    {
        WaitCursor wait;
        m_kontrol.locate(QStringLiteral("INFO1"), nik);
        ControlRecords::stampStatus(m_kontrol, ControlRecords::kOnline, m_context.clock->now());
    }
    m_loggedIn = true;
    m_login->hide();
    m_stock->showCompanyPanels();

    // Applied even when the slot is as empty as the field: a user without the old-stock
    // right must end on the three-company source whatever Config.ini restored.
    const QSignalBlocker quiet(m_ostock);
    m_ostock->setText(user.oldStock);
    m_stock->applyOldStockRight(user.oldStock == QLatin1String("1"));

    m_context.messages->information(QStringLiteral("Selamat Datang ") + user.name);
    if (m_offline)
        showOfflineBanner();
    fillLoginState();
    applySalesFilter();
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
    m_edit2->setText(QStringLiteral("Update :") + modified);
    krtConnection.drop();
    m_edit2->show();
}

void MainWindow::applySalesFilter()
{
    Memo1 = summaryStatementStart();
    Memo2 = detailStatementStart();
    const SalesScope scope{sales1, sales2, dept1, dept2, dept3};
    QStringList members;
    if (sales1 != QLatin1String("1")) {
        if (m_omset)
            m_omset->clearSalesList();
        WaitCursor wait;
        m_kontrol.setSql(teamLookupStatement(scope));
        m_kontrol.open();
        for (m_kontrol.first(); !m_kontrol.eof(); m_kontrol.next())
            members << ControlRecords::memberName(m_kontrol);
    }
    const FilterLines lines = salesFilterLines(scope, members);
    Memo1 += lines.summary;
    Memo2 += lines.detail;
}

// The login copies as one value, read by the sales window.
void MainWindow::fillLoginState()
{
    m_session.loggedIn = m_loggedIn;
    m_session.nik = m_login->nik()->text();
    m_session.loginDate = m_context.clock->today();
    m_session.periodStart = tglawal;
    m_session.sales = {sales1, sales2, dept1, dept2, dept3};
}
