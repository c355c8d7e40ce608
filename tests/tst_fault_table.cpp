// vid_test: DB
#include "admin/UserProfileDialog.h"
#include "app/MainWindow.h"
#include "app/MainWindowObjectNames.h"
#include "data/DateRules.h"
#include "data/DbError.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "report/ReportPreview.h"
#include "sales/ReceivablesReports.h"
#include "sales/SalesAchievementDialog.h"
#include "stock/ItemToBuyReport.h"
#include "stock/StockGrid.h"
#include "stock/StockObjectNames.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/PrivateServer.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
#include <functional>

// Every action of the program with the server it needs stopped at the moment it needs it,
// then started again: the user sees the error box, the window stays usable, no control
// record is half-written, and the same action then succeeds in the same run.
namespace
{

namespace Names = MainWindowObjectNames;
namespace StockNames = StockObjectNames;

// One workstation: the program's windows on the private server.
struct Desk : WindowFixture {
    using WindowFixture::WindowFixture;

    MainWindow& main() { return *window; }
    QLineEdit* field(const char* name) { return byName<QLineEdit>(window.get(), name); }

    // Enter in a search field, with the source chosen first.
    void search(const char* source, const char* fieldName, const QString& text)
    {
        byName<QRadioButton>(window.get(), source)->setChecked(true);
        QLineEdit* edit = field(fieldName);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // The rows a grid shows once scrolled to its end, by item code.
    QStringList gridItems(int company)
    {
        QueryTableModel* model = window->stockView().dataSource(company);
        while (model->canFetchMore({}))
            model->fetchMore({});
        QCoreApplication::processEvents(); // errors of the fetches are reported queued
        QStringList items;
        for (int r = 0; r < model->rowCount(); ++r)
            items << model->query()->value(r, 0).toString();
        return items;
    }
    void trigger(const char* action) { byName<QAction>(window.get(), action)->trigger(); }

    void openSales()
    {
        omset->show();
        QTest::qWait(20); // the list is filled when the window comes up
    }
    void pressInSales(const QString& name, const char* button)
    {
        auto* box = byName<QComboBox>(omset.get(), "cbnamasales");
        box->setCurrentIndex(box->findText(name));
        box->setEditText(name);
        byName<QPushButton>(omset.get(), button)->click();
    }
    QString salesFigures()
    {
        QStringList out;
        for (const char* label : {"lbldivisi", "lblomset", "lbltarget", "lblpersen"})
            out << byName<QLabel>(omset.get(), label)->text();
        return out.join(QLatin1Char('|'));
    }
    QString lastReport()
    {
        return viewer.count() ? viewer.texts().join(QLatin1Char('|')) : QString();
    }

    // A row of the control database as the server has it now: INFO1 to INFO19.
    QString controlRow(int id)
    {
        FbConnection c;
        c.setParams(window->connections().control.params());
        FbQuery q(&c);
        q.setSql(QStringLiteral("select * from EXTENDEDDET where EXTENDEDDETID = :ID"));
        q.setParam(QStringLiteral("ID"), id);
        q.open();
        QStringList values;
        for (int i = 1; !q.eof() && i <= 19; ++i)
            values << q.field(QStringLiteral("INFO%1").arg(i)).toString();
        return values.join(QLatin1Char(','));
    }
    // The profile editor with a user chosen from its list.
    void openProfile(const QString& nik)
    {
        profile->show();
        auto* niks = byName<QComboBox>(profile.get(), "cbnik");
        const int index = niks->findText(nik);
        niks->setCurrentIndex(index);
        emit niks->activated(index);
    }
    void pressInProfile(const char* button)
    {
        messages.answers = {true};
        byName<QPushButton>(profile.get(), button)->click();
    }

    // Every query of the program, to stop the server when one of them has been opened.
    QList<FbQuery*> queries()
    {
        StockView& stock = window->stockView();
        QList<FbQuery*> all{&window->controlQuery(), &stock.krt(), &stock.soka(), &stock.kw(),
                            &stock.oldStock()};
        if (auto* items = window->findChild<ItemToBuyReport*>())
            all << &items->krtItems() << &items->sokaItems() << &items->kwItems();
        if (auto* receivables = window->findChild<ReceivablesReports*>())
            for (int company = 0; company < 3; ++company)
                all << &receivables->companyQuery(company);
        for (QObject* root :
             {static_cast<QObject*>(window.get()), static_cast<QObject*>(omset.get()),
              static_cast<QObject*>(profile.get())})
            all << root->findChildren<FbQuery*>();
        return all;
    }
    FbQuery* query(const QString& name)
    {
        for (FbQuery* q : queries())
            if (q->objectName() == name)
                return q;
        return nullptr;
    }
};

// The slots of the control records, by row key.
using ControlRows = QMap<qint64, QStringList>;

// One action as the user performs it. `prepare` brings the window to where the action
// starts; `outcome` is what the user gets from it, compared with a run without faults.
struct Action {
    QString user; // logged in before the action; empty: nobody
    std::function<void(Desk&)> prepare;
    std::function<void(Desk&)> perform;
    std::function<QString(Desk&)> outcome;
};

const QString kAdmin = QStringLiteral("100001");
const QString kTeamUser = QStringLiteral("100005");
// Users of this test alone, which the profile editor changes and deletes.
constexpr int kEditedId = 9501;
constexpr int kDeletedId = 9502;
const QString kEditedNik = QStringLiteral("955501");
const QString kDeletedNik = QStringLiteral("955502");

QString loginOutcome(Desk& d)
{
    return QString::number(d.main().loggedIn()) + QLatin1Char('|') +
           d.main().loginState().receivablesSummarySql.join(QLatin1Char(' '));
}

Action stockAction(const char* source, const char* fieldName, const QString& text, int company)
{
    Action a;
    a.user = kAdmin;
    a.perform = [=](Desk& d) { d.search(source, fieldName, text); };
    a.outcome = [=](Desk& d) { return d.gridItems(company).join(QLatin1Char(',')); };
    return a;
}

Action salesAction(const QString& name, const char* button, bool report)
{
    Action a;
    a.user = kAdmin;
    a.prepare = [](Desk& d) { d.openSales(); };
    a.perform = [=](Desk& d) { d.pressInSales(name, button); };
    a.outcome = [=](Desk& d) { return report ? d.lastReport() : d.salesFigures(); };
    return a;
}

QMap<QString, Action> actions()
{
    QMap<QString, Action> a;

    Action& startup = a[QStringLiteral("start-up")];
    startup.perform = [](Desk& d) { d.main().runStartup(); };
    // A start-up that stopped is taken up again by the next login; the stock check then
    // finds the company databases.
    startup.outcome = [](Desk& d) {
        auto* nik = d.field(Names::nikEdit);
        nik->setText(kAdmin);
        QTest::keyClick(nik, Qt::Key_Return);
        d.search(StockNames::krtOnlyButton, StockNames::descriptionEdit, QStringLiteral("kabel"));
        return loginOutcome(d) + QLatin1Char('|') + d.gridItems(0).join(QLatin1Char(','));
    };

    Action& login = a[QStringLiteral("login")];
    login.prepare = [](Desk& d) { d.start(); };
    login.perform = [](Desk& d) { d.login(kAdmin); };
    login.outcome = loginOutcome;
    Action& teamLogin = a[QStringLiteral("login of a team member")];
    teamLogin = login;
    teamLogin.perform = [](Desk& d) { d.login(kTeamUser); };

    a[QStringLiteral("stock check KRT")] = stockAction(
        StockNames::krtOnlyButton, StockNames::descriptionEdit, QStringLiteral("kabel"), 0);
    a[QStringLiteral("stock check three companies")] = stockAction(
        StockNames::allCompaniesButton, StockNames::descriptionEdit, QStringLiteral("kabel"), 2);
    a[QStringLiteral("stock check old stock")] =
        stockAction(StockNames::oldStockButton, StockNames::typeEdit, QString(), 0);
    // Every item of the code class: more rows than the first fetch brings.
    a[QStringLiteral("stock check scrolled to the end")] =
        stockAction(StockNames::krtOnlyButton, StockNames::descriptionEdit, QString(), 0);

    Action& print = a[QStringLiteral("print preview")];
    print.user = kAdmin;
    print.perform = [](Desk& d) {
        // The Print button prints company A's result at once, whatever the filter.
        d.search(StockNames::krtOnlyButton, StockNames::descriptionEdit, QString());
        byName<QPushButton>(d.window.get(), StockNames::printButton)->click();
    };
    print.outcome = [](Desk& d) { return d.lastReport(); };

    Action& itemToBuy = a[QStringLiteral("item to buy")];
    itemToBuy.user = kAdmin;
    itemToBuy.perform = [](Desk& d) { d.trigger(Names::itemToBuy); };
    itemToBuy.outcome = [](Desk& d) { return d.lastReport(); };

    Action& summary = a[QStringLiteral("receivables summary")];
    summary.user = kTeamUser;
    summary.perform = [](Desk& d) { d.trigger(Names::receivablesSummary); };
    summary.outcome = [](Desk& d) { return d.lastReport(); };
    Action& detail = a[QStringLiteral("receivables detail")];
    detail = summary;
    detail.perform = [](Desk& d) { d.trigger(Names::receivablesDetail); };

    a[QStringLiteral("sales check")] = salesAction(QStringLiteral("Andi"), "btncek", false);
    a[QStringLiteral("ranking")] = salesAction(QStringLiteral("All Sales"), "btncek", true);
    a[QStringLiteral("invoice detail")] = salesAction(QStringLiteral("Andi"), "btndetail", true);

    Action& online = a[QStringLiteral("online list")];
    online.user = kAdmin;
    online.perform = [](Desk& d) { d.trigger(Names::onlineCheck); };
    online.outcome = [](Desk& d) {
        FbQuery& q = d.main().controlQuery();
        QStringList niks;
        for (int r = 0; r < q.fetchedRows(); ++r)
            niks << q.value(r, q.fieldIndex(QStringLiteral("INFO1"))).toString();
        return niks.join(QLatin1Char(','));
    };
    Action& save = a[QStringLiteral("profile save")];
    save.user = kAdmin;
    save.prepare = [](Desk& d) {
        d.openProfile(kEditedNik);
        byName<QLineEdit>(d.profile.get(), "edname")->setText(QStringLiteral("Sudah Disimpan"));
        byName<QLineEdit>(d.profile.get(), "edcekpo")->setText(QStringLiteral("1"));
    };
    save.perform = [](Desk& d) { d.pressInProfile("Button1"); };
    save.outcome = [](Desk& d) {
        return d.messages.texts(Messages::Kind::Information).join(QLatin1Char('|')) +
               QLatin1Char('|') + d.controlRow(kEditedId) + QLatin1Char('|') +
               d.controlRow(kDeletedId);
    };
    Action& remove = a[QStringLiteral("profile delete")];
    remove.user = kAdmin;
    remove.prepare = [](Desk& d) { d.openProfile(kDeletedNik); };
    remove.perform = [](Desk& d) { d.pressInProfile("Button2"); };
    remove.outcome = save.outcome;

    Action& refresh = a[QStringLiteral("online list refreshed")];
    refresh = online;
    refresh.prepare = online.perform;
    refresh.perform = [](Desk& d) { byName<QPushButton>(d.window.get(), "Button4")->click(); };
    return a;
}

QString quoteless(const QString& text)
{
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

class TestFaultTable : public QObject
{
    Q_OBJECT
    PrivateServer server{70};
    QMap<QString, Action> table = actions();

    std::unique_ptr<Desk> desk()
    {
        return std::make_unique<Desk>(WindowFixture::Servers{
            server.address(), WindowFixture::deadAddress(), WindowFixture::deadAddress()});
    }

    ControlRows controlRows()
    {
        FbConnection c;
        c.setParams(server.params(ConnectionSet::controlDatabase()));
        FbQuery q(&c);
        q.setSql(QStringLiteral("select * from EXTENDEDDET order by EXTENDEDDETID"));
        q.open();
        ControlRows rows;
        for (; !q.eof(); q.next()) {
            QStringList values;
            for (int i = 1; i <= 19; ++i)
                values << q.field(QStringLiteral("INFO%1").arg(i)).toString();
            rows.insert(q.field(QStringLiteral("EXTENDEDDETID")).toLongLong(), values);
        }
        return rows;
    }

    // A row may change only by a whole write: the status stamp sets INFO6, INFO7 and INFO8
    // together to the status and the clock's time and date.
    static QString halfWritten(const ControlRows& before, const ControlRows& after,
                               const QDateTime& now)
    {
        if (before.keys() != after.keys())
            return QStringLiteral("rows added or removed");
        for (auto it = before.begin(); it != before.end(); ++it) {
            const QStringList& was = it.value();
            const QStringList& is = after.value(it.key());
            if (was == is)
                continue;
            QStringList expected = was;
            expected[5] = is[5];
            expected[6] = now.time().toString(QLatin1String(kTimeFormat));
            expected[7] = shortDate(now.date());
            const bool status =
                is[5] == QLatin1String("Online") || is[5] == QLatin1String("Disconnected");
            if (!status || is != expected)
                return QStringLiteral("row %1: %2 -> %3")
                    .arg(it.key())
                    .arg(was.join(QLatin1Char('|')), is.join(QLatin1Char('|')));
        }
        return {};
    }

    // The profile editor's users as they are before each run.
    void resetEditedUsers()
    {
        try {
            resetEditedUsersOrThrow();
        } catch (const DbError& e) {
            QFAIL(qPrintable(e.message()));
        }
    }
    void resetEditedUsersOrThrow()
    {
        FbConnection c;
        c.setParams(server.params(ConnectionSet::controlDatabase()));
        c.execute(QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID in (%1, %2)")
                      .arg(kEditedId)
                      .arg(kDeletedId));
        for (const auto& [id, nik] : {std::pair{kEditedId, kEditedNik}, {kDeletedId, kDeletedNik}})
            c.execute(QStringLiteral("insert into EXTENDEDDET (EXTENDEDDETID, EXTENDEDTYPEID, "
                                     "INFO1, INFO9, INFO18) values (:ID, 2, :NIK, 'Belum', '0')"),
                      {{QStringLiteral("ID"), id}, {QStringLiteral("NIK"), nik}});
    }

    static bool serverGoneText(const QString& text)
    {
        static const QRegularExpression gone(
            QStringLiteral("network request|connection (lost|rejected)|shutdown|"
                           "(reading|writing) data (from|to) the connection"),
            QRegularExpression::CaseInsensitiveOption);
        return gone.match(text).hasMatch();
    }

private slots:
    void initTestCase() { QVERIFY2(server.start(), "the private server did not start"); }
    void cleanupTestCase() { server.stop(); }
    void init()
    {
        if (!server.running())
            QVERIFY(server.start());
        resetEditedUsers();
    }

    void serverStopped_data()
    {
        QTest::addColumn<QString>("action");
        // When the server goes. "down": before the action starts (for the control database
        // that is after its attach, which start-up made; for a company before it). A query's
        // name: when that query has been opened, so that the action's next statement or
        // fetch meets the server gone. "box:" and a text: while that message is up.
        // "database:soka": company B's database shut down while the server runs on.
        QTest::addColumn<QString>("stop");
        // What the user is told: the error box with the database's text ("database"), the
        // program's own warning (its text), or nothing, when the action had done all its
        // work on the server before it went and its outcome is whole ("nothing").
        QTest::addColumn<QString>("told");

        struct Row {
            const char* action;
            const char* stop;
            const char* moment;
            const char* told = "database";
        };
        const char* saveFailed = "Menyimpan gagal, ada kendala koneksi jaringan !!";
        const char* deleteFailed =
            "Meghapus gagal, data tidak ditemukan / kendala koneksi jaringan !!";
        const Row rows[] = {
            {"start-up", "down", "server down"},
            {"login", "down", "server down"},
            {"login", "kontrol", "after the user was read"},
            {"login of a team member", "kontrol", "after the user was read"},
            {"login of a team member", "box:Selamat Datang", "at the welcome", "nothing"},
            {"stock check KRT", "down", "server down"},
            {"stock check three companies", "down", "server down"},
            {"stock check three companies", "database:soka", "company B's database down"},
            {"stock check old stock", "down", "server down"},
            {"stock check scrolled to the end", "krt", "between fetches"},
            {"print preview", "krt", "between fetches"},
            {"item to buy", "down", "server down"},
            {"item to buy", "database:soka", "company B's database down"},
            {"sales check", "down", "server down"},
            {"sales check", "Zedp", "after the target"},
            {"sales check", "database:soka", "company B's database down"},
            {"ranking", "down", "server down"},
            {"ranking", "database:soka", "company B's database down"},
            {"invoice detail", "down", "server down"},
            {"invoice detail", "database:soka", "company B's database down"},
            {"receivables summary", "down", "server down"},
            {"receivables summary", "database:soka", "company B's database down"},
            {"receivables detail", "down", "server down"},
            {"receivables detail", "database:soka", "company B's database down"},
            {"online list", "down", "server down"},
            {"online list refreshed", "down", "server down"},
            {"profile save", "down", "server down", saveFailed},
            {"profile save", "box:Yakin update", "at the confirmation", saveFailed},
            {"profile delete", "down", "server down", deleteFailed},
            {"profile delete", "box:Yakin Hapus", "at the confirmation", deleteFailed},
        };
        for (const Row& r : rows)
            QTest::addRow("%s / %s", r.action, r.moment)
                << QString::fromLatin1(r.action) << QString::fromLatin1(r.stop)
                << QString::fromLatin1(r.told);
    }
    void serverStopped()
    {
        QFETCH(QString, action);
        QFETCH(QString, stop);
        QFETCH(QString, told);
        const Action& a = table.value(action);
        QVERIFY2(a.perform, qPrintable(action));

        // The outcome without faults, on a workstation of its own.
        QString healthy;
        {
            auto d = desk();
            if (!a.user.isEmpty())
                QVERIFY(d->login(a.user));
            if (a.prepare)
                a.prepare(*d);
            d->messages.clear();
            a.perform(*d);
            healthy = a.outcome(*d);
            QVERIFY2(d->messages.texts(Messages::Kind::Error).isEmpty(),
                     qPrintable(d->messages.texts().join(QLatin1Char('\n'))));
        }

        resetEditedUsers();
        auto d = desk();
        if (!a.user.isEmpty())
            QVERIFY(d->login(a.user));
        if (a.prepare)
            a.prepare(*d);
        d->messages.clear();
        const ControlRows before = controlRows();

        bool stopped = false;
        QMetaObject::Connection stopper;
        QString shutDatabase;
        if (stop == QLatin1String("down")) {
            QVERIFY(server.stop());
            stopped = true;
        } else if (stop == QLatin1String("database:soka")) {
            // The companies are read at the same time: one of them fails while the others
            // answer.
            shutDatabase = d->main().connections().soka.params().database;
            QVERIFY(server.shutDown(shutDatabase));
            stopped = true;
        } else if (stop.startsWith(QLatin1String("box:"))) {
            d->messages.onShow = [&, text = stop.mid(4)](Messages::Kind, const QString& shown) {
                if (!stopped && shown.startsWith(text))
                    stopped = server.stop();
            };
        } else {
            FbQuery* q = d->query(stop);
            QVERIFY2(q, qPrintable(stop));
            stopper = connect(q, &FbQuery::opened, this, [&] {
                if (!stopped)
                    stopped = server.stop();
            });
        }
        a.perform(*d);
        // What the user looks at next: the grid scrolled, the report, the session.
        QString faulty;
        try {
            faulty = a.outcome(*d);
        } catch (const DbError&) {
            // The test's own look at the database, which is gone.
        }
        QCoreApplication::processEvents();
        disconnect(stopper);
        d->messages.onShow = nullptr;
        QVERIFY2(stopped, "the action never came to the moment");

        const QStringList errors = d->messages.texts(Messages::Kind::Error);
        if (told == QLatin1String("database")) {
            QVERIFY2(!errors.isEmpty(), qPrintable(d->messages.texts().join(QLatin1Char('\n'))));
            QVERIFY2(serverGoneText(errors.first()), qPrintable(quoteless(errors.first())));
        } else if (told == QLatin1String("nothing")) {
            QVERIFY2(errors.isEmpty(), qPrintable(quoteless(errors.join(QLatin1Char('\n')))));
            QCOMPARE(faulty, healthy);
        } else {
            QCOMPARE(d->messages.texts(Messages::Kind::Warning), QStringList{told});
        }
        // Usable: nothing modal left behind but the window the action runs in, no wait
        // cursor.
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY2(!modal || modal == d->omset.get() || modal == d->profile.get(),
                 qPrintable(modal ? modal->objectName() : QString()));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(d->window->isEnabled());

        QVERIFY(shutDatabase.isEmpty() ? server.start() : server.bringOnline(shutDatabase));
        const QString torn = halfWritten(before, controlRows(), d->clock.now());
        QVERIFY2(torn.isEmpty(), qPrintable(torn));

        // The same action succeeds now, in the same run.
        d->messages.clear();
        a.perform(*d);
        QCOMPARE(a.outcome(*d), healthy);
        QVERIFY2(d->messages.texts(Messages::Kind::Error).isEmpty(),
                 qPrintable(d->messages.texts().join(QLatin1Char('\n'))));
    }

    // Exports work from the prepared report and need no server; what they can meet is a
    // folder that went away (a network drive): the error box names the file, the preview
    // stays, and the same export succeeds once the folder is back.
    void exportToAFolderGone_data()
    {
        QTest::addColumn<bool>("workbook");
        QTest::newRow("PDF / folder gone, server down") << false;
        QTest::newRow("workbook / folder gone, server down") << true;
    }
    void exportToAFolderGone()
    {
        QFETCH(bool, workbook);
        auto d = desk();
        QVERIFY(d->login(kAdmin));
        d->search(StockNames::allCompaniesButton, StockNames::descriptionEdit,
                  QStringLiteral("kabel"));
        d->trigger(Names::printStock);
        QCOMPARE(d->viewer.count(), 1);
        QVERIFY(server.stop());
        d->messages.clear();
        ReportPreview preview(d->viewer.last(), d->messages, d->window.get());
        const QString folder = d->dir.filePath(QStringLiteral("share"));
        const QString file =
            folder + (workbook ? QStringLiteral("/stok.xlsx") : QStringLiteral("/stok.pdf"));
        auto exportTo = [&] {
            return workbook ? preview.exportXlsx(file) : preview.exportPdf(file);
        };
        QVERIFY(!exportTo().ok());
        const QStringList errors = d->messages.texts(Messages::Kind::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QStringLiteral("stok.")), qPrintable(errors.first()));
        QVERIFY(!QFile::exists(file));
        QVERIFY(!QGuiApplication::overrideCursor());

        QVERIFY(QDir().mkpath(folder));
        d->messages.clear();
        QVERIFY(exportTo().ok());
        QCOMPARE(d->messages.texts(), QStringList());
        QVERIFY(QFileInfo(file).size() > 1000);
        QVERIFY(server.start());
    }

    // Closing ignores a failed status stamp by design: the program ends, Config.ini holds
    // the settings, and the user's row keeps its login stamp whole.
    void closingWithTheServerGone_data()
    {
        QTest::addColumn<bool>("viaExit");
        QTest::addColumn<QString>("stop");
        QTest::newRow("window closed / server down") << false << "down";
        QTest::newRow("window closed / after the online users were read") << false << "kontrol";
        QTest::newRow("Exit / server down") << true << "down";
    }
    void closingWithTheServerGone()
    {
        QFETCH(bool, viaExit);
        QFETCH(QString, stop);
        auto d = desk();
        QVERIFY(d->login(kAdmin));
        d->window->show();
        d->messages.clear();
        const ControlRows before = controlRows();
        bool stopped = false;
        QMetaObject::Connection stopper;
        if (stop == QLatin1String("down"))
            stopped = server.stop();
        else
            stopper = connect(&d->main().controlQuery(), &FbQuery::opened, this, [&] {
                if (!stopped)
                    stopped = server.stop();
            });
        if (viaExit)
            d->trigger(Names::exit);
        else
            d->window->close();
        disconnect(stopper);
        QVERIFY(stopped);
        QVERIFY(!d->window->isVisible());
        QCOMPARE(d->messages.texts(),
                 QStringList{QStringLiteral("Anda yakin ingin menutup aplikasi ini ?")});
        QCOMPARE(d->configText().contains("DbAktif="), !viaExit);
        QVERIFY(server.start());
        QCOMPARE(controlRows(), before);
    }
};

QTEST_MAIN(TestFaultTable)
#include "tst_fault_table.moc"
