#pragma once

#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/FbQuery.h"
#include "data/LoginState.h"
#include "platform/AppContext.h"

#include <QMainWindow>
#include <QStringList>

class ItemToBuyReport;
class IniFile;
class LoginPanel;
class OnlineUsersPanel;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class StockPrinter;
class StockView;
class SalesAchievementDialog;
class UserProfileDialog;
class WindowScaler;

// The main window: the stock view, the login panel, the menus, and the state the other
// windows read (the login copies and the receivables statements).
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The other two windows, created after this one; the login clears the sales list.
    void setCompanions(SalesAchievementDialog* omset, UserProfileDialog* profile);

    // Start-up, once per run; the first activation calls it.
    void FormActivate();
    bool startupDone() const { return m_startupRan; }

    // Login on Enter in the NIK field.
    void nikKeyPress(int key);
    // Closing: true when the window may close.
    bool FormCloseQuery();
    void Exit1Click();

    ConnectionSet& connections() { return m_db; }
    FbQuery& kontrol() { return m_kontrol; }
    StockView& stockView() { return *m_stock; }
    WindowScaler& scaler() { return *m_scaler; }
    AppContext& context() { return m_context; }

    // Values held for the rest of the run.
    QString lbltgl() const;
    QString tglawal;
    QString sales1, sales2, dept1, dept2, dept3;
    QStringList Memo1; // receivables summary statement
    QStringList Memo2; // receivables detail statement
    QString versionReleased;
    QDateTime updaterDate;
    bool offlineMode() const { return m_offline; }
    bool loggedIn() const { return m_loggedIn; }
    // The session of the user logged in, for the windows that depend on who it is.
    const LoginState& loginState() const { return m_session; }

signals:
    // Emitted by menu entries whose features live elsewhere.
    void printRequested();
    void itemToBuyRequested();
    void summaryRequested();
    void detailRequested();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void wireRights();
    // Start-up steps; each returns false when the sequence must stop.
    void chooseServer(const IniFile& config);
    bool readApplicationRecord();
    bool checkUpdaterAndVersion(const IniFile& config);
    void login();
    void applySalesFilter();
    void fillLoginState();
    void showOfflineBanner();
    void stampDisconnected();
    // Menu and popup commands.
    void runUpdate();
    void showAbout();
    void openOnlineList();
    // Ends the program at once, without the closing question.
    void endProgram();

    AppContext& m_context;
    ConnectionSet m_db;
    FbQuery m_kontrol;
    ControlRecords::ApplicationRecord m_application;
    WindowScaler* m_scaler = nullptr;
    QGroupBox* m_groupBox1 = nullptr;
    StockView* m_stock = nullptr;
    StockPrinter* m_printer = nullptr;
    ItemToBuyReport* m_itemToBuy = nullptr;
    LoginPanel* m_login = nullptr;
    OnlineUsersPanel* m_onlineUsers = nullptr;
    QLabel* m_lbltgl = nullptr;
    QLineEdit* m_edit2 = nullptr;
    // Hidden right fields: a change of text applies the right.
    QLineEdit* m_print = nullptr;
    QLineEdit* m_cekonline = nullptr;
    QLineEdit* m_cekadmin = nullptr;
    QLineEdit* m_ceksales = nullptr;
    QLineEdit* m_cekpo = nullptr;
    QLineEdit* m_itembuy = nullptr;
    QLineEdit* m_ostock = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_salesreport1 = nullptr;
    QAction* m_salesReport2 = nullptr;
    QAction* m_stockprint1 = nullptr;
    QAction* m_itemtoBuy1 = nullptr;
    QAction* m_userProfile1 = nullptr;
    QAction* m_cekOnline1 = nullptr;
    SalesAchievementDialog* m_omset = nullptr;
    UserProfileDialog* m_profile = nullptr;
    LoginState m_session;
    bool m_startupRan = false;
    bool m_loggedIn = false;
    bool m_offline = false;
    bool m_leaving = false; // the close is already decided (Exit, Update)
};
