#pragma once

#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/FbQuery.h"
#include "data/LoginState.h"
#include "data/UserRights.h"
#include "platform/AppContext.h"

#include <QDateTime>
#include <QMainWindow>

class ItemToBuyReport;
class IniFile;
class LoginPanel;
class OnlineUsersPanel;
class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class StockPrinter;
class StockView;
class SalesAchievementDialog;
class UserProfileDialog;
class WindowScaler;

// The main window: it composes the stock view, the login panel and the menus, and owns the
// logged-in user's session and rights, which the other windows read.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The other two windows, created after this one; the login clears the sales list.
    void setCompanions(SalesAchievementDialog* sales, UserProfileDialog* profile);

    // Start-up, once per run; the first activation calls it.
    void runStartup();
    bool startupDone() const { return m_startupRan; }

    ConnectionSet& connections() { return m_db; }
    FbQuery& controlQuery() { return m_control; }
    StockView& stockView() { return *m_stock; }
    WindowScaler& scaler() { return *m_scaler; }
    AppContext& context() { return m_context; }

    // The session of the logged-in user and what the user may do; empty before the login.
    const LoginState& loginState() const { return m_session; }
    const UserRights& rights() const { return m_rights; }
    bool loggedIn() const { return m_session.loggedIn; }
    // The application record as start-up read it, and its updater date.
    const ControlRecords::ApplicationRecord& applicationRecord() const { return m_application; }
    QDateTime updaterDate() const { return m_updaterDate; }
    bool offlineMode() const { return m_offline; }

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
    // Start-up from the choice of server on; a start-up that stopped on the way is taken up
    // again by the next login attempt, so a server back from a restart needs no new run.
    void connectAndConfigure();
    // Start-up steps; each returns false when the sequence must stop.
    void connectToServer(const IniFile& config);
    bool readApplicationRecord();
    bool checkUpdaterAndVersion(const IniFile& config);
    // Login.
    void nikEntered();
    void login();
    void applyRights();
    // The salesmen of the teams a restricted user's scope names.
    QStringList teamMembers(const SalesScope& scope);
    void applySalesFilter(const QStringList& members);
    void showOfflineBanner();
    // Leaving: true when the window may close.
    bool confirmClose();
    void exitChosen();
    void stampDisconnected();
    // Menu and popup commands.
    void runUpdate();
    void showAbout();
    void openOnlineList();
    // Ends the program at once, without the closing question.
    void endProgram();

    AppContext& m_context;
    ConnectionSet m_db;
    FbQuery m_control;
    ControlRecords::ApplicationRecord m_application;
    QDateTime m_updaterDate;
    LoginState m_session;
    UserRights m_rights;
    WindowScaler* m_scaler = nullptr;
    QGroupBox* m_mainPanel = nullptr;
    StockView* m_stock = nullptr;
    StockPrinter* m_printer = nullptr;
    ItemToBuyReport* m_itemToBuy = nullptr;
    LoginPanel* m_loginPanel = nullptr;
    OnlineUsersPanel* m_onlineUsers = nullptr;
    QLineEdit* m_offlineBanner = nullptr;
    QMenu* m_panelMenu = nullptr;
    QAction* m_receivablesMenu = nullptr;
    QAction* m_salesReportAction = nullptr;
    QAction* m_printStockAction = nullptr;
    QAction* m_itemToBuyAction = nullptr;
    QAction* m_userProfileAction = nullptr;
    QAction* m_onlineCheckAction = nullptr;
    SalesAchievementDialog* m_sales = nullptr;
    UserProfileDialog* m_profile = nullptr;
    bool m_startupRan = false;
    bool m_startupComplete = false;
    bool m_offline = false;
    bool m_leaving = false; // the close is already decided (Exit, Update)
};
