#include "app/MainWindow.h"

#include "admin/UserProfileDialog.h"
#include "app/LoginPanel.h"
#include "app/MainWindowObjectNames.h"
#include "app/OnlineUsersPanel.h"
#include "data/DateRules.h"
#include "platform/WindowScaler.h"
#include "sales/ReceivablesReports.h"
#include "sales/SalesAchievementDialog.h"
#include "stock/ItemToBuyReport.h"
#include "stock/StockPrinter.h"
#include "stock/StockView.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace
{
namespace Names = MainWindowObjectNames;

const QSize kDesignSize(943, 698);

QAction* entry(QMenu* menu, const char* name, const QString& caption, bool visible)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setVisible(visible);
    return action;
}
} // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_control(&m_db.control)
{
    setObjectName(QLatin1String(Names::window));
    setWindowTitle(QStringLiteral("Vid Arera Intergrasi VORA"));
    m_control.setObjectName(QLatin1String(Names::controlQuery));
    buildControls();
    m_printer = new StockPrinter(*m_stock, m_rights, *m_context.reportViewer, *m_context.messages,
                                 QLocale(), m_context.clock, this);
    m_itemToBuy = new ItemToBuyReport(m_db, *m_context.reportViewer, *m_context.messages, QLocale(),
                                      m_context.clock, this);
    connect(m_stock, &StockView::printRequested, m_printer, &StockPrinter::printFromButton);
    connect(this, &MainWindow::printRequested, m_printer, &StockPrinter::printStock);
    connect(this, &MainWindow::itemToBuyRequested, m_itemToBuy, &ItemToBuyReport::run);
    auto* receivables = new ReceivablesReports(m_db, m_context, m_session, this);
    connect(this, &MainWindow::summaryRequested, receivables, &ReceivablesReports::showSummary);
    connect(this, &MainWindow::detailRequested, receivables, &ReceivablesReports::showDetail);
    buildMenus();
    resize(kDesignSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::setCompanions(SalesAchievementDialog* sales, UserProfileDialog* profile)
{
    m_sales = sales;
    m_profile = profile;
    if (m_sales)
        connect(m_salesReportAction, &QAction::triggered, m_sales, &QDialog::exec);
}

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QLatin1String(Names::central));
    setCentralWidget(central);
    m_scaler = new WindowScaler(central, kDesignSize);

    m_mainPanel = new QGroupBox(QStringLiteral("Vid Arera KRT, BSM, KW"), central);
    m_mainPanel->setObjectName(QLatin1String(Names::mainPanel));
    m_mainPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    m_scaler->place(m_mainPanel, QRect(0, 0, 943, 698));

    m_stock = new StockView(m_mainPanel, *m_scaler, m_db, *m_context.messages, this);

    m_onlineUsers =
        new OnlineUsersPanel(m_mainPanel, *m_scaler, m_control, m_db.control, *m_context.messages);
    // The online list and the two settings panels share one place.
    connect(m_stock, &StockView::settingsPanelOpened, m_onlineUsers, &QWidget::hide);

    m_loginPanel = new LoginPanel(m_mainPanel);
    m_scaler->place(m_loginPanel, QRect(330, 250, 280, 80));
    connect(m_loginPanel, &LoginPanel::nikEntered, this, &MainWindow::nikEntered);

    m_offlineBanner = new QLineEdit(m_mainPanel);
    m_offlineBanner->setObjectName(QLatin1String(Names::offlineBanner));
    m_offlineBanner->setReadOnly(true);
    m_offlineBanner->setFrame(false);
    m_offlineBanner->setStyleSheet(QStringLiteral("background: yellow;"));
    m_offlineBanner->hide();
    m_scaler->place(m_offlineBanner, QRect(660, 22, 270, 21));
}

void MainWindow::buildMenus()
{
    QMenu* action = menuBar()->addMenu(QStringLiteral("Action"));
    action->setObjectName(QLatin1String(Names::actionMenu));
    QMenu* receivables = action->addMenu(QStringLiteral("Piutang Report"));
    m_receivablesMenu = receivables->menuAction();
    m_receivablesMenu->setObjectName(QLatin1String(Names::receivablesMenu));
    m_receivablesMenu->setVisible(false);
    QAction* summary =
        entry(receivables, Names::receivablesSummary, QStringLiteral("Summary"), true);
    QAction* detail = entry(receivables, Names::receivablesDetail, QStringLiteral("Detail"), true);
    m_salesReportAction = entry(action, Names::salesReport, QStringLiteral("Sales Report"), false);
    m_printStockAction = entry(action, Names::printStock, QStringLiteral("Print Stock"), false);
    m_itemToBuyAction = entry(action, Names::itemToBuy, QStringLiteral("Item to Buy"), false);
    action->addSeparator()->setObjectName(QLatin1String(Names::menuSeparator));
    m_userProfileAction = entry(action, Names::userProfile, QStringLiteral("User Profile"), false);
    QAction* update = entry(action, Names::update, QStringLiteral("Update"), true);
    QAction* about = entry(action, Names::about, QStringLiteral("About"), true);
    QAction* exit = entry(action, Names::exit, QStringLiteral("Exit"), true);

    connect(summary, &QAction::triggered, this, &MainWindow::summaryRequested);
    connect(detail, &QAction::triggered, this, &MainWindow::detailRequested);
    connect(m_printStockAction, &QAction::triggered, this, &MainWindow::printRequested);
    connect(m_itemToBuyAction, &QAction::triggered, this, &MainWindow::itemToBuyRequested);
    connect(exit, &QAction::triggered, this, &MainWindow::exitChosen);
    connect(update, &QAction::triggered, this, &MainWindow::runUpdate);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    // The entry shows only for users with the administration right.
    connect(m_userProfileAction, &QAction::triggered, this, [this] {
        if (m_profile)
            m_profile->exec();
    });

    m_panelMenu = new QMenu(this);
    m_panelMenu->setObjectName(QLatin1String(Names::panelMenu));
    QAction* warehouse =
        entry(m_panelMenu, Names::warehouseEntry, QStringLiteral("Pilih DB &Gudang "), true);
    QAction* setting = entry(m_panelMenu, Names::settingEntry, QStringLiteral("&Setting"), true);
    m_onlineCheckAction =
        entry(m_panelMenu, Names::onlineCheck, QStringLiteral("&Cek Online"), false);
    connect(warehouse, &QAction::triggered, m_stock, &StockView::showWarehousePanel);
    connect(setting, &QAction::triggered, m_stock, &StockView::showSettingPanel);
    connect(m_onlineCheckAction, &QAction::triggered, this, &MainWindow::openOnlineList);
    connect(m_mainPanel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_panelMenu->popup(m_mainPanel->mapToGlobal(pos)); });
}

void MainWindow::applyRights()
{
    // Rights are only ever granted: nothing is hidden here.
    if (m_rights.print) {
        m_stock->showPrintButton();
        m_printStockAction->setVisible(true);
    }
    if (m_rights.onlineList)
        m_onlineCheckAction->setVisible(true);
    if (m_rights.admin)
        m_userProfileAction->setVisible(true);
    if (m_rights.sales) {
        m_receivablesMenu->setVisible(true);
        m_salesReportAction->setVisible(true);
    }
    if (m_rights.price)
        m_stock->grantPriceRight();
    if (m_rights.itemToBuy)
        m_itemToBuyAction->setVisible(true);
    // Applied either way: a user without the old-stock right must end on the three-company
    // source whatever Config.ini restored.
    m_stock->applyOldStockRight(m_rights.oldStock);
}

void MainWindow::openOnlineList()
{
    m_stock->hideSettingPanels();
    m_onlineUsers->open(shortDate(m_session.loginDate));
}

bool MainWindow::event(QEvent* event)
{
    // The first activation starts the program; a desktop without a window manager never
    // activates the window, so the first show does it too. Queued, so the start-up's
    // dialogs find the window on the screen.
    const bool first = event->type() == QEvent::WindowActivate ||
                       (event->type() == QEvent::Show && !event->spontaneous());
    if (first && !m_startupRan)
        QMetaObject::invokeMethod(this, &MainWindow::runStartup, Qt::QueuedConnection);
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_leaving || confirmClose())
        event->accept();
    else
        event->ignore();
}
