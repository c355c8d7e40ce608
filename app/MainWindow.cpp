#include "app/MainWindow.h"

#include "admin/UserProfileDialog.h"
#include "app/LoginPanel.h"
#include "app/OnlineUsersPanel.h"
#include "platform/WindowScaler.h"
#include "sales/SalesAchievementDialog.h"
#include "stock/ItemToBuyReport.h"
#include "stock/StockPrinter.h"
#include "stock/StockView.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace
{
const QSize kDesignSize(943, 698);

QLineEdit* hiddenField(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->hide();
    return field;
}

QAction* entry(QMenu* menu, const char* name, const QString& caption, bool visible)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setVisible(visible);
    return action;
}
} // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_kontrol(&m_db.control)
{
    setObjectName(QStringLiteral("VidArera"));
    setWindowTitle(QStringLiteral("Vid Arera Intergrasi VORA"));
    m_kontrol.setObjectName(QStringLiteral("kontrol"));
    buildControls();
    m_printer = new StockPrinter(*m_stock, *m_cekpo, *m_context.reportViewer, *m_context.messages,
                                 QLocale(), m_context.clock, this);
    m_itemToBuy = new ItemToBuyReport(m_db, *m_context.reportViewer, *m_context.messages, QLocale(),
                                      m_context.clock, this);
    connect(m_stock, &StockView::printRequested, m_printer, &StockPrinter::btnPrintClick);
    connect(this, &MainWindow::printRequested, m_printer, &StockPrinter::stockprint1Click);
    connect(this, &MainWindow::itemToBuyRequested, m_itemToBuy, &ItemToBuyReport::ItemtoBuy1Click);
    buildMenus();
    wireRights();
    resize(kDesignSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::setCompanions(SalesAchievementDialog* omset, UserProfileDialog* profile)
{
    m_omset = omset;
    m_profile = profile;
    if (m_omset)
        connect(m_salesReport2, &QAction::triggered, m_omset, &QDialog::exec);
}

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);
    m_scaler = new WindowScaler(central, kDesignSize);

    m_groupBox1 = new QGroupBox(QStringLiteral("Vid Arera KRT, BSM, KW"), central);
    m_groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_groupBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    m_scaler->place(m_groupBox1, QRect(0, 0, 943, 698));

    m_stock = new StockView(m_groupBox1, *m_scaler, m_db, *m_context.messages, this);

    m_onlineUsers =
        new OnlineUsersPanel(m_groupBox1, *m_scaler, m_kontrol, m_db.control, *m_context.messages);
    // The online list and the two settings panels share one place.
    connect(m_stock, &StockView::panelOpened, m_onlineUsers, &QWidget::hide);

    m_login = new LoginPanel(m_groupBox1);
    m_scaler->place(m_login, QRect(330, 250, 280, 80));
    connect(m_login, &LoginPanel::keyPressed, this, &MainWindow::nikKeyPress);

    m_lbltgl = new QLabel(m_groupBox1);
    m_lbltgl->setObjectName(QStringLiteral("lbltgl"));
    m_lbltgl->hide();

    m_edit2 = new QLineEdit(m_groupBox1);
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit2->setReadOnly(true);
    m_edit2->setFrame(false);
    m_edit2->setStyleSheet(QStringLiteral("background: yellow;"));
    m_edit2->hide();
    m_scaler->place(m_edit2, QRect(660, 22, 270, 21));

    m_print = hiddenField(m_groupBox1, "print");
    m_cekonline = hiddenField(m_groupBox1, "cekonline");
    m_cekadmin = hiddenField(m_groupBox1, "cekadmin");
    m_ceksales = hiddenField(m_groupBox1, "ceksales");
    m_cekpo = hiddenField(m_groupBox1, "cekpo");
    m_itembuy = hiddenField(m_groupBox1, "itembuy");
    m_ostock = hiddenField(m_groupBox1, "ostock");
}

void MainWindow::buildMenus()
{
    QMenu* action = menuBar()->addMenu(QStringLiteral("Action"));
    action->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* piutang = action->addMenu(QStringLiteral("Piutang Report"));
    m_salesreport1 = piutang->menuAction();
    m_salesreport1->setObjectName(QStringLiteral("salesreport1"));
    m_salesreport1->setVisible(false);
    QAction* summary = entry(piutang, "Summary1", QStringLiteral("Summary"), true);
    QAction* detail = entry(piutang, "Detail1", QStringLiteral("Detail"), true);
    m_salesReport2 = entry(action, "SalesReport2", QStringLiteral("Sales Report"), false);
    m_stockprint1 = entry(action, "stockprint1", QStringLiteral("Print Stock"), false);
    m_itemtoBuy1 = entry(action, "ItemtoBuy1", QStringLiteral("Item to Buy"), false);
    action->addSeparator()->setObjectName(QStringLiteral("N1"));
    m_userProfile1 = entry(action, "UserProfile1", QStringLiteral("User Profile"), false);
    QAction* update = entry(action, "Update1", QStringLiteral("Update"), true);
    QAction* about = entry(action, "About1", QStringLiteral("About"), true);
    QAction* exit = entry(action, "Exit1", QStringLiteral("Exit"), true);

    connect(summary, &QAction::triggered, this, &MainWindow::summaryRequested);
    connect(detail, &QAction::triggered, this, &MainWindow::detailRequested);
    connect(m_stockprint1, &QAction::triggered, this, &MainWindow::printRequested);
    connect(m_itemtoBuy1, &QAction::triggered, this, &MainWindow::itemToBuyRequested);
    connect(exit, &QAction::triggered, this, &MainWindow::Exit1Click);
    connect(update, &QAction::triggered, this, &MainWindow::runUpdate);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* gudang = entry(m_popup, "PilihGudang1", QStringLiteral("Pilih DB &Gudang "), true);
    QAction* setting = entry(m_popup, "Setting1", QStringLiteral("&Setting"), true);
    m_cekOnline1 = entry(m_popup, "CekOnline1", QStringLiteral("&Cek Online"), false);
    connect(gudang, &QAction::triggered, m_stock, &StockView::PilihGudang1Click);
    connect(setting, &QAction::triggered, m_stock, &StockView::Setting1Click);
    connect(m_cekOnline1, &QAction::triggered, this, &MainWindow::openOnlineList);
    connect(m_groupBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_popup->popup(m_groupBox1->mapToGlobal(pos)); });
}

void MainWindow::wireRights()
{
    // Rights are only ever granted: no handler hides anything.
    auto granted = [](const QString& text) { return text == QLatin1String("1"); };
    connect(m_print, &QLineEdit::textChanged, this, [this, granted](const QString& t) {
        if (granted(t)) {
            m_stock->widget("btnPrint")->show();
            m_stockprint1->setVisible(true);
        }
    });
    connect(m_cekonline, &QLineEdit::textChanged, this, [this, granted](const QString& t) {
        if (granted(t))
            m_cekOnline1->setVisible(true);
    });
    connect(m_cekadmin, &QLineEdit::textChanged, this, [this, granted](const QString& t) {
        if (granted(t))
            m_userProfile1->setVisible(true);
    });
    connect(m_ceksales, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!t.isEmpty()) {
            m_salesreport1->setVisible(true);
            m_salesReport2->setVisible(true);
        }
    });
    connect(m_cekpo, &QLineEdit::textChanged, this, [this, granted](const QString& t) {
        if (granted(t))
            m_stock->grantPriceRight();
    });
    connect(m_itembuy, &QLineEdit::textChanged, this, [this, granted](const QString& t) {
        if (granted(t))
            m_itemtoBuy1->setVisible(true);
    });
    connect(m_ostock, &QLineEdit::textChanged, this,
            [this, granted](const QString& t) { m_stock->applyOldStockRight(granted(t)); });
}

void MainWindow::openOnlineList()
{
    m_stock->hideSettingPanels();
    m_onlineUsers->open(lbltgl());
}

QString MainWindow::lbltgl() const
{
    return m_lbltgl->text();
}

bool MainWindow::event(QEvent* event)
{
    // The first activation starts the program; a desktop without a window manager never
    // activates the window, so the first show does it too. Queued, so the start-up's
    // dialogs find the window on the screen.
    const bool first = event->type() == QEvent::WindowActivate ||
                       (event->type() == QEvent::Show && !event->spontaneous());
    if (first && !m_startupRan)
        QMetaObject::invokeMethod(this, &MainWindow::FormActivate, Qt::QueuedConnection);
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_leaving || FormCloseQuery())
        event->accept();
    else
        event->ignore();
}
