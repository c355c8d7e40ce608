// screenshot-tour: the pictures of the user guide, taken from the program's own windows.
//
//   screenshot-tour <output dir> <LAN address> <HO address> <fallback address> <dead address>
//
// Run by scripts/screenshots under Xvfb against private servers. Windows, menu entries and
// controls are found by their object names, as a user finds them by their captions, so a
// window that later joins the program needs only its chapter here.
#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/FileLauncher.h"
#include "platform/HttpDownloader.h"
#include "platform/IcmpPinger.h"
#include "platform/QtMessages.h"
#include "report/ReportDialogViewer.h"
#include "sales/SalesAchievementDialog.h"
#include "tools/screenshot-tour/Tour.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

namespace
{

// The echo that never comes back: the program then goes to the head office.
class SilentPinger : public Pinger
{
public:
    bool echo(const QString&, int) override { return false; }
};

// The tour never hands over to an updater.
class NoLauncher : public FileLauncher
{
public:
    bool launch(const QString&) override { return false; }
};

struct Servers {
    QString lan, headOffice, fallback;
    QString updateHost; // serves no updater
};

// One run of the program, composed as the program entry composes it, with its own Config.ini.
class Session
{
public:
    // Without an updater beside the program the start-up fetches one first.
    Session(const Servers& servers, bool lanAnswers, bool updaterPresent)
        : m_messages(QStringLiteral("Vid Arera")), m_viewer(m_messages),
          m_pinger(lanAnswers ? static_cast<Pinger*>(&m_echo) : &m_silence)
    {
        QFile ini(m_dir.filePath(QStringLiteral("Config.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Server]\r\nLAN=" + servers.lan.toUtf8() +
                  "\r\nHO=" + servers.headOffice.toUtf8() +
                  "\r\nFallback=" + servers.fallback.toUtf8() + "\r\nConnectTimeout=3\r\n" +
                  "[Update]\r\nHost=" + servers.updateHost.toUtf8() + "\r\nTimeout=3\r\n");
        ini.close();
        if (updaterPresent) {
            QFile updater(m_dir.filePath(QStringLiteral("AutoUpdate.exe")));
            updater.open(QIODevice::WriteOnly);
        }
        m_context.messages = &m_messages;
        m_context.clock = &m_clock;
        m_context.pinger = m_pinger;
        m_context.reportViewer = &m_viewer;
        m_context.downloader = &m_downloader;
        m_context.launcher = &m_launcher;
        m_context.programDir = m_dir.path();
        window = std::make_unique<MainWindow>(m_context);
        m_omset = std::make_unique<SalesAchievementDialog>(window->connections(), m_context,
                                                           window->loginState(), window.get());
        m_profile =
            std::make_unique<UserProfileDialog>(window->connections(), m_context, window.get());
        window->setCompanions(m_omset.get(), m_profile.get());
        window->move(0, 0);
        window->show();
    }
    ~Session()
    {
        m_profile.reset();
        m_omset.reset();
        window.reset();
    }

    template <class T = QWidget> T* find(const char* name) const
    {
        return window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
    }

    std::unique_ptr<MainWindow> window;

private:
    QTemporaryDir m_dir;
    QtMessages m_messages;
    Clock m_clock;
    IcmpPinger m_echo;
    SilentPinger m_silence;
    ReportDialogViewer m_viewer;
    HttpDownloader m_downloader;
    NoLauncher m_launcher;
    Pinger* m_pinger;
    AppContext m_context;
    std::unique_ptr<SalesAchievementDialog> m_omset;
    std::unique_ptr<UserProfileDialog> m_profile;
};

class Guide
{
public:
    Guide(Tour& tour, const Servers& servers, const QString& dead)
        : m_tour(tour), m_servers(servers), m_dead(dead)
    {
    }

    void build()
    {
        startupMessages();
        mainTour();
    }

private:
    QMainWindow* window() const { return m_session ? m_session->window.get() : nullptr; }

    void start(const Servers& servers, bool lanAnswers, bool updaterPresent = true)
    {
        m_tour.act([this, servers, lanAnswers, updaterPresent] {
            m_session.reset();
            m_session = std::make_unique<Session>(servers, lanAnswers, updaterPresent);
        });
    }

    // Types into a field found by object name and presses Enter, as the user does.
    void typeAndEnter(const char* field, const QString& text)
    {
        m_tour.require(QLatin1String(field), [this, field] { return find(field); });
        m_tour.act([this, field, text] {
            auto* edit = qobject_cast<QLineEdit*>(find(field));
            edit->setFocus();
            edit->clear();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        });
    }

    QWidget* find(const char* name) const { return m_session ? m_session->find(name) : nullptr; }

    QAction* action(const char* name) const
    {
        return m_session ? m_session->window->findChild<QAction*>(QLatin1String(name)) : nullptr;
    }

    // A menu entry the user can see and choose.
    void choose(const char* entry)
    {
        m_tour.require(QLatin1String(entry), [this, entry] {
            QAction* a = action(entry);
            return a && a->isVisible() && a->isEnabled();
        });
        m_tour.act([this, entry] { action(entry)->trigger(); });
    }

    void click(const char* button)
    {
        m_tour.require(QLatin1String(button), [this, button] {
            auto* b = qobject_cast<QAbstractButton*>(find(button));
            return b && b->isVisible();
        });
        m_tour.act([this, button] { qobject_cast<QAbstractButton*>(find(button))->click(); });
    }

    void chooseFromList(const char* combo, const QString& text)
    {
        m_tour.act([this, combo, text] {
            auto* c = qobject_cast<QComboBox*>(find(combo));
            const int entry = c->findText(text);
            c->setCurrentIndex(entry);
            emit c->activated(entry);
        });
    }

    void shootWindow(const QString& name)
    {
        m_tour.shoot(name, [this] { return window(); });
    }

    void startupMessages()
    {
        const Servers deadHo{m_servers.lan, m_dead, m_servers.fallback, m_dead};
        const Servers nothing{m_dead, m_dead, m_dead, m_dead};
        m_tour.chapter(QStringLiteral("start-up on the head office"));
        start(m_servers, false);
        m_tour.shootDialog(QStringLiteral("mulai-ho"));
        m_tour.closeDialog(QStringLiteral("OK"));

        m_tour.chapter(QStringLiteral("start-up in offline mode"));
        start(deadHo, false);
        m_tour.shootDialog(QStringLiteral("mulai-offline"));
        m_tour.closeDialog(QStringLiteral("OK"));
        typeAndEnter("nik", QStringLiteral("100002"));
        m_tour.closeDialog(QStringLiteral("OK"));
        shootWindow(QStringLiteral("utama-offline"));

        m_tour.chapter(QStringLiteral("start-up without servers"));
        start(nothing, false);
        m_tour.shootDialog(QStringLiteral("mulai-gagal"));
        m_tour.closeDialog(QStringLiteral("OK"));
        m_tour.shootDialog(QStringLiteral("mulai-gagal-error"));
        m_tour.closeDialog(QStringLiteral("OK"));
    }

    void mainTour()
    {
        m_tour.chapter(QStringLiteral("start-up and login"));
        start(m_servers, true, false);
        m_tour.shootDialog(QStringLiteral("mulai-lan"));
        m_tour.closeDialog(QStringLiteral("OK"));
        m_tour.shootDialog(QStringLiteral("mulai-updater"));
        m_tour.closeDialog(QStringLiteral("OK"));
        shootWindow(QStringLiteral("login"));
        typeAndEnter("nik", QStringLiteral("100001"));
        m_tour.shootDialog(QStringLiteral("selamat-datang"));
        m_tour.closeDialog(QStringLiteral("OK"));
        shootWindow(QStringLiteral("utama"));

        m_tour.chapter(QStringLiteral("stock check"));
        typeAndEnter("vidarera", QStringLiteral("kabel"));
        shootWindow(QStringLiteral("cek-stok"));

        m_tour.chapter(QStringLiteral("menus"));
        m_tour.act([this] {
            auto* menu = window()->findChild<QMenu*>(QStringLiteral("MainMenu1"));
            menu->popup(window()->mapToGlobal(QPoint(0, window()->menuWidget()->height())));
        });
        m_tour.shootDialog(QStringLiteral("menu-action"));
        m_tour.closeDialog();
        m_tour.act([this] {
            auto* menu = window()->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
            menu->popup(window()->mapToGlobal(QPoint(400, 300)));
        });
        m_tour.shootDialog(QStringLiteral("menu-konteks"));
        m_tour.closeDialog();

        m_tour.chapter(QStringLiteral("panels"));
        choose("PilihGudang1");
        shootWindow(QStringLiteral("pilih-gudang"));
        click("Button1");
        choose("Setting1");
        shootWindow(QStringLiteral("setting"));
        click("Button2");

        m_tour.chapter(QStringLiteral("KRT alone"));
        choose("PilihGudang1");
        click("rb1");
        click("Button1");
        typeAndEnter("vidarera", QStringLiteral("kabel nya"));
        shootWindow(QStringLiteral("cek-stok-krt"));

        m_tour.chapter(QStringLiteral("nothing found"));
        typeAndEnter("vidarera", QStringLiteral("tidak ada"));
        m_tour.shootDialog(QStringLiteral("tidak-ditemukan"));
        m_tour.closeDialog(QStringLiteral("OK"));

        m_tour.chapter(QStringLiteral("stock print"));
        typeAndEnter("vidarera", QStringLiteral("kabel"));
        click("btnPrint");
        m_tour.shootDialog(QStringLiteral("pratinjau-stok"));
        m_tour.closeDialog();

        m_tour.chapter(QStringLiteral("item to buy"));
        choose("ItemtoBuy1");
        m_tour.shootDialog(QStringLiteral("item-to-buy"));
        m_tour.closeDialog();

        m_tour.chapter(QStringLiteral("old stock"));
        choose("PilihGudang1");
        click("rb3");
        click("Button1");
        chooseFromList("ComboBox1", QStringLiteral("Filter Tipe"));
        typeAndEnter("cektipe", QStringLiteral("PANEL"));
        shootWindow(QStringLiteral("old-stock"));
        choose("PilihGudang1");
        click("rb2");
        click("Button1");
        chooseFromList("ComboBox1", QStringLiteral("Filter Deskripsi"));
        typeAndEnter("vidarera", QStringLiteral("kabel"));

        m_tour.chapter(QStringLiteral("online users"));
        choose("CekOnline1");
        m_tour.require(QStringLiteral("the online list"), [this] {
            QWidget* list = find("DBGrid5");
            return list && list->isVisible();
        });
        shootWindow(QStringLiteral("user-online"));

        m_tour.chapter(QStringLiteral("about"));
        choose("About1");
        m_tour.shootDialog(QStringLiteral("tentang"));
        m_tour.closeDialog(QStringLiteral("OK"));

        m_tour.chapter(QStringLiteral("sales achievement"));
        choose("SalesReport2");
        m_tour.awaitDialog();
        m_tour.require(QStringLiteral("the sales list"), [this] {
            auto* names = qobject_cast<QComboBox*>(find("cbnamasales"));
            return names && names->findText(QStringLiteral("Andi")) >= 0;
        });
        m_tour.act([this] {
            auto* names = qobject_cast<QComboBox*>(find("cbnamasales"));
            names->setCurrentIndex(names->findText(QStringLiteral("Andi")));
            qobject_cast<QDateEdit*>(find("DateAwal"))->setDate(QDate(2026, 1, 1));
            qobject_cast<QDateEdit*>(find("DateAkhir"))->setDate(QDate(2026, 1, 31));
        });
        click("btncek");
        m_tour.shootDialog(QStringLiteral("penjualan-selamat"));
        m_tour.closeDialog(QStringLiteral("OK"));
        m_tour.shoot(QStringLiteral("penjualan"), [this] { return find("Omset"); });
        click("btndetail");
        m_tour.shootDialog(QStringLiteral("penjualan-detail"));
        m_tour.closeDialog();
        m_tour.closeDialog();

        m_tour.chapter(QStringLiteral("receivables summary"));
        choose("Summary1");
        m_tour.shootDialog(QStringLiteral("piutang-summary"));
        m_tour.closeDialog();

        m_tour.chapter(QStringLiteral("receivables detail"));
        choose("Detail1");
        m_tour.shootDialog(QStringLiteral("piutang-detail"));
        m_tour.closeDialog();

        m_tour.chapter(QStringLiteral("user profile"));
        choose("UserProfile1");
        m_tour.awaitDialog();
        m_tour.require(QStringLiteral("the NIK list"), [this] {
            auto* niks = qobject_cast<QComboBox*>(find("cbnik"));
            return niks && niks->findText(QStringLiteral("100003")) >= 0;
        });
        chooseFromList("cbnik", QStringLiteral("100003"));
        m_tour.shoot(QStringLiteral("profil-user"), [this] { return find("frmuserprofile"); });
        m_tour.closeDialog();

        m_tour.chapter(QStringLiteral("closing"));
        m_tour.act([this] { window()->close(); });
        m_tour.shootDialog(QStringLiteral("tutup"));
        m_tour.closeDialog(QStringLiteral("Cancel"));
        m_tour.act([this] { m_session.reset(); });
    }

    Tour& m_tour;
    Servers m_servers;
    QString m_dead;
    std::unique_ptr<Session> m_session;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    nameApplication();
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: screenshot-tour <output dir> <LAN> <HO> <fallback> <dead>\n");
        return 2;
    }
    Tour tour(args[1]);
    Guide guide(tour, {args[2], args[3], args[4], args[5]}, args[5]);
    guide.build();
    const int status = tour.run();
    std::fprintf(stderr, "screenshot-tour: %d pictures, %d chapters skipped\n",
                 int(tour.saved().size()), int(tour.skipped().size()));
    return status;
}
