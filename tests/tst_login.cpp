// vid_test: DB
#include "app/MainWindow.h"
#include "data/DateRules.h"
#include "data/FbQuery.h"
#include "sales/SalesAchievementDialog.h"
#include "stock/StockGrid.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// Login by NIK, the rights it reveals, the online stamp, and leaving the program.
class TestLogin : public QObject
{
    Q_OBJECT

    static QStringList statusOf(const QString& nik)
    {
        FbConnection c;
        c.setParams(TestServers::lanControl());
        FbQuery q(&c);
        q.setSql(
            QStringLiteral("select INFO6, INFO7, INFO8 from EXTENDEDDET where EXTENDEDTYPEID=2 "
                           "and INFO1=:NIK"));
        q.setParam(QStringLiteral("NIK"), nik);
        q.open();
        QStringList rows;
        for (; !q.eof(); q.next())
            rows << q.field("INFO6").toString() + QLatin1Char('|') + q.field("INFO7").toString() +
                        QLatin1Char('|') + q.field("INFO8").toString();
        return rows;
    }
    static void execute(const QString& sql)
    {
        FbConnection c;
        c.setParams(TestServers::lanControl());
        c.execute(sql);
    }

    static bool actionVisible(MainWindow& w, const char* name)
    {
        return w.findChild<QAction*>(QLatin1String(name))->isVisible();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        execute(QStringLiteral(
            "insert into EXTENDEDDET (EXTENDEDDETID, EXTENDEDTYPEID, INFO1, INFO5, INFO9, INFO10, "
            "INFO11, INFO12, INFO18, INFO19) values (9099, 2, '100099', '2', 'Dua Semua', '2', "
            "'2', "
            "'2', '2', '2')"));
    }
    void cleanupTestCase()
    {
        execute(QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID = 9099"));
    }

    void rights_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::addColumn<bool>("print");
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("admin");
        QTest::addColumn<bool>("itemToBuy");
        QTest::addColumn<bool>("sales");
        QTest::addColumn<bool>("price");
        QTest::addColumn<bool>("oldStock");
        QTest::newRow("all 1") << "100001" << true << true << true << true << true << true << true;
        QTest::newRow("all 0") << "100002" << false << false << false << false << false << false
                               << false;
        QTest::newRow("mixed, blank, null, Y")
            << "100003" << true << false << false << true << true << false << false;
        QTest::newRow("all 2") << "100099" << false << false << false << false << false << false
                               << false;
    }
    void rights()
    {
        QFETCH(QString, nik);
        QFETCH(bool, print);
        QFETCH(bool, online);
        QFETCH(bool, admin);
        QFETCH(bool, itemToBuy);
        QFETCH(bool, sales);
        QFETCH(bool, price);
        QFETCH(bool, oldStock);
        WindowFixture f(WindowFixture::testServers(), true, "DbAktif=OLD STOCK\r\n");
        QVERIFY(f.login(nik));
        MainWindow& w = *f.window;
        StockView& v = w.stockView();
        QCOMPARE(!byName<QWidget>(v.panel(), "btnPrint")->isHidden(), print);
        QCOMPARE(actionVisible(w, "stockprint1"), print);
        QCOMPARE(actionVisible(w, "CekOnline1"), online);
        QCOMPARE(actionVisible(w, "UserProfile1"), admin);
        QCOMPARE(actionVisible(w, "ItemtoBuy1"), itemToBuy);
        QCOMPARE(actionVisible(w, "salesreport1"), sales);
        QCOMPARE(actionVisible(w, "SalesReport2"), sales);
        for (int company = 0; company < 3; ++company) {
            StockGrid* grid = v.grid(company);
            for (int column : {11, 12}) {
                QCOMPARE(grid->isColumnShown(column), price);
                if (price)
                    QCOMPARE(grid->designWidth(column), 80);
            }
        }
        for (const char* box : {"cbhbeli", "cbhpp"}) {
            QCheckBox* b = byName<QCheckBox>(v.panel(), box);
            QCOMPARE(!b->isHidden() && b->isEnabled() && b->isChecked(), price);
        }
        QRadioButton* rb3 = byName<QRadioButton>(v.panel(), "rb3");
        QCOMPARE(!rb3->isHidden() && rb3->isEnabled(), oldStock);
        // Without the old-stock right the source is the three companies, whatever was restored.
        if (!oldStock)
            QVERIFY(byName<QRadioButton>(v.panel(), "rb2")->isChecked());
        QVERIFY(w.findChild<QGroupBox*>(QStringLiteral("GroupBox7"))->isHidden());
        for (const char* box : {"GroupBox2", "GroupBox3", "GroupBox4"})
            QVERIFY(!byName<QWidget>(v.panel(), box)->isHidden());
    }

    void typedNikAndEnterLogIn()
    {
        WindowFixture f(WindowFixture::testServers());
        f.start();
        auto* field = f.window->findChild<QLineEdit*>(QStringLiteral("nik"));
        QTest::keyClicks(field, QStringLiteral("10000"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(!f.window->loggedIn());
        QTest::keyClicks(field, QStringLiteral("2"));
        QTest::keyClick(field, Qt::Key_Enter);
        QVERIFY(f.window->loggedIn());
        QCOMPARE(field->text(), QStringLiteral("100002"));
    }

    void welcomeAndOnlineStamp()
    {
        WindowFixture f(WindowFixture::testServers());
        f.start();
        // A moment no other test logs in at, so that an earlier login's stamp cannot pass.
        f.clock.moment = QDateTime(QDate(2026, 3, 12), QTime(11, 22, 33));
        QVERIFY(f.login(QStringLiteral("100002")));
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Selamat Datang Tamu Gudang")});
        QCOMPARE(f.messages.shown[0].kind, Messages::Kind::Information);
        QCOMPARE(statusOf(QStringLiteral("100002")),
                 QStringList{QStringLiteral("Online|11:22:33|12/03/2026")});
        QCOMPARE(shortDate(f.window->loginState().loginDate), QStringLiteral("12/03/2026"));
        QVERIFY(f.window->findChild<QLineEdit*>(QStringLiteral("Edit2"))->isHidden());

        // A second run of the same user overwrites the same row.
        WindowFixture again(WindowFixture::testServers());
        again.clock.moment = QDateTime(QDate(2026, 3, 15), QTime(7, 0, 1));
        QVERIFY(again.login(QStringLiteral("100002")));
        QCOMPARE(statusOf(QStringLiteral("100002")),
                 QStringList{QStringLiteral("Online|07:00:01|15/03/2026")});
    }

    void refusedNiks_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::newRow("five characters") << "12345";
        QTest::newRow("unknown") << "999999";
        QTest::newRow("quotes") << "100001' or '1'='1";
        QTest::newRow("spaces") << " 100001 ";
        QTest::newRow("200 characters") << QString(200, QLatin1Char('9'));
    }
    void refusedNiks()
    {
        QFETCH(QString, nik);
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(!f.login(nik));
        QVERIFY(f.messages.shown.isEmpty());
        QVERIFY(!f.window->findChild<QGroupBox*>(QStringLiteral("GroupBox7"))->isHidden());
        QVERIFY(byName<QWidget>(f.window->stockView().panel(), "GroupBox2")->isHidden());
        QVERIFY(!actionVisible(*f.window, "stockprint1"));
    }

    void salesFilterCompletesTheStatements_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::addColumn<QStringList>("summaryTail");
        QTest::addColumn<QStringList>("detailTail");
        QTest::newRow("sees all") << "100001" << QStringList{"order by L.CurrencyName"}
                                  << QStringList{
                                         "group by L.PERSONNAME, L.SALESMANNAME, L.TYPENAME "
                                         "order by L.SALESMANNAME"};
        QTest::newRow("two teams")
            << "100005" << QStringList{"and (S.FIRSTNAME in ('Andi')", "or S.FIRSTNAME in ('Budi')",
                                       "or S.FIRSTNAME in ('Citra')",  "or S.FIRSTNAME in ('Dewi')",
                                       "or S.FIRSTNAME in ('Eko'))",   "order by L.CurrencyName"}
            << QStringList{"and (L.SALESMANNAME in ('Andi')",
                           "or L.SALESMANNAME in ('Budi')",
                           "or L.SALESMANNAME in ('Citra')",
                           "or L.SALESMANNAME in ('Dewi')",
                           "or L.SALESMANNAME in ('Eko'))",
                           "group by L.PERSONNAME, L.SALESMANNAME, L.TYPENAME order by "
                           "L.SALESMANNAME"};
        QTest::newRow("no team")
            << "100003"
            << QStringList{"and S.FIRSTNAME in ('Budi','Citra','','','')",
                           "order by L.CurrencyName"}
            << QStringList{"and L.SALESMANNAME in ('Budi','Citra','','','')",
                           "group by L.PERSONNAME, L.SALESMANNAME, L.TYPENAME order by "
                           "L.SALESMANNAME"};
    }
    void salesFilterCompletesTheStatements()
    {
        QFETCH(QString, nik);
        QFETCH(QStringList, summaryTail);
        QFETCH(QStringList, detailTail);
        WindowFixture f(WindowFixture::testServers());
        auto* names = f.omset->findChild<QComboBox*>(QStringLiteral("cbnamasales"));
        names->addItem(QStringLiteral("stale"));
        QVERIFY(f.login(nik));
        const QStringList& summary = f.window->loginState().receivablesSummarySql;
        const QStringList& detail = f.window->loginState().receivablesDetailSql;
        QCOMPARE(summary.mid(summary.size() - summaryTail.size()), summaryTail);
        QCOMPARE(detail.mid(detail.size() - detailTail.size()), detailTail);
        QCOMPARE(names->count(), nik == QLatin1String("100001") ? 1 : 0);
    }

    void offlineBannerOnTheFallbackOnly()
    {
        const auto s = WindowFixture::testServers();
        WindowFixture f({s.lan, WindowFixture::deadAddress(), s.fallback}, false);
        QVERIFY(f.login(QStringLiteral("100002")));
        auto* banner = f.window->findChild<QLineEdit*>(QStringLiteral("Edit2"));
        QVERIFY(!banner->isHidden());
        QCOMPARE(banner->text(), QStringLiteral("Update :28/06/2026 16:20:00"));
        QVERIFY(!f.window->connections().krt.isOpen());
    }

    void closingWritesSettingsAndStamps()
    {
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(f.login(QStringLiteral("100004")));
        byName<QRadioButton>(f.window->stockView().panel(), "rb1")->click();
        f.clock.moment = QDateTime(QDate(2026, 3, 14), QTime(17, 45, 0));
        f.messages.clear();
        QVERIFY(f.window->close());
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Anda yakin ingin menutup aplikasi ini ?")});
        const QByteArray ini = f.configText();
        QVERIFY2(ini.contains("[Server]\r\nLAN="), ini.constData());
        QVERIFY2(
            ini.contains("[Config]\r\nLTC=1\r\nMEZANINE=1\r\nRAK=1\r\nBOOKING=1\r\nONORDER=1\r\n"
                         "PEC=0\r\nPRODUKSI=0\r\nWIP=0\r\nONSO=0\r\nIR=0\r\nDbAktif=KRT\r\n"
                         "Sortby=Deskripsi\r\nKode=0\r\nFilter=Deskripsi\r\n"),
            ini.constData());
        QCOMPARE(statusOf(QStringLiteral("100004")),
                 QStringList{QStringLiteral("Disconnected|17:45:00|14/03/2026")});
    }

    void cancelAndExitWriteNoSettings()
    {
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(f.login(QStringLiteral("100004")));
        const QByteArray before = f.configText();
        f.messages.answers = {false};
        QVERIFY(!f.window->close());
        QCOMPARE(f.configText(), before);
        QCOMPARE(statusOf(QStringLiteral("100004")).value(0).section('|', 0, 0),
                 QStringLiteral("Online"));
        f.messages.answers = {true};
        f.window->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.configText(), before);
        QCOMPARE(statusOf(QStringLiteral("100004")).value(0).section('|', 0, 0),
                 QStringLiteral("Disconnected"));
    }

    void unwritableSettingsKeepTheWindowOpen()
    {
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(f.login(QStringLiteral("100004")));
        // Files where the program folder and the user's folder should be: Config.ini can be
        // written in neither place, and the error names the last one tried.
        f.context.programDir = f.configPath();
        f.context.userConfigDir = f.configPath() + QStringLiteral("/user");
        f.messages.clear();
        QVERIFY(!f.window->close());
        QCOMPARE(f.messages.texts(Messages::Kind::Error),
                 QStringList{QStringLiteral("Unable to write to ") + f.configPath() +
                             QStringLiteral("/user/Config.ini")});
        QCOMPARE(statusOf(QStringLiteral("100004")).value(0).section('|', 0, 0),
                 QStringLiteral("Online"));
    }

    // With the NIK field empty, closing stamps no row, not even one whose NIK is empty text.
    void closingWithEmptyNikStampsNoRow()
    {
        execute(QStringLiteral("insert into EXTENDEDDET (EXTENDEDDETID, EXTENDEDTYPEID, INFO1, "
                               "INFO6) values (9098, 2, '', 'Online')"));
        auto remove = qScopeGuard(
            [] { execute(QStringLiteral("delete from EXTENDEDDET where EXTENDEDDETID = 9098")); });
        WindowFixture f(WindowFixture::testServers());
        f.start();
        QVERIFY(f.window->close());
        QCOMPARE(statusOf(QString()), QStringList{QStringLiteral("Online||")});
    }

    void closingWithoutControlDatabaseStillEnds()
    {
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(f.login(QStringLiteral("100004")));
        // The control database gone: point the connection at a server that is not there.
        ConnectionParams p = f.window->connections().control.params();
        p.host = WindowFixture::deadAddress();
        f.window->connections().control.setParams(p);
        QVERIFY(f.window->close());
        QVERIFY(f.messages.texts(Messages::Kind::Error).isEmpty());
        QCOMPARE(statusOf(QStringLiteral("100004")).value(0).section('|', 0, 0),
                 QStringLiteral("Online"));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
