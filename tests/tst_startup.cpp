// vid_test: DB
#include "app/MainWindow.h"
#include "data/ConnectionSet.h"
#include "data/DateRules.h"
#include "data/FbQuery.h"
#include "platform/IcmpPinger.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QGroupBox>
#include <QScopeGuard>
#include <QTcpServer>
#include <QtTest>

// Start-up of the main window: the server choice, the application record, the connections.
class TestStartup : public QObject
{
    Q_OBJECT

    static void renameApplicationRecord(const QString& from, const QString& to)
    {
        FbConnection c;
        c.setParams(TestServers::lanControl());
        c.execute(QStringLiteral("update EXTENDEDDET set INFO1 = :TO where EXTENDEDTYPEID = 3 and "
                                 "INFO1 = :FROM"),
                  {{"TO", to}, {"FROM", from}});
    }

private slots:
    void initTestCase() { QVERIFY2(TestServers::available(), "test servers not configured"); }

    void serverChoice_data()
    {
        QTest::addColumn<bool>("lanReplies");
        QTest::addColumn<QString>("headOffice");
        QTest::addColumn<bool>("headOfficeSilent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<QString>("serverName"); // the marker row of the chosen server's copy
        const auto s = WindowFixture::testServers();
        QTest::newRow("lan") << true << s.headOffice << false << "Akses Lokal Terhubung" << s.lan
                             << 3051 << false << "LAN";
        QTest::newRow("head office") << false << s.headOffice << false << "Database terkoneksi HO"
                                     << s.headOffice << 3015 << false << "HO";
        // Nothing listens on the LAN address's head-office port but a socket that never
        // answers: the attempt has to give up by the time-out and fall back.
        QTest::newRow("fallback") << false << s.lan << true
                                  << "Database terkoneksi ke Dediz (Mode Offline)" << s.fallback
                                  << 3015 << true << "FALLBACK";
    }
    void serverChoice()
    {
        QFETCH(bool, lanReplies);
        QFETCH(QString, headOffice);
        QFETCH(bool, headOfficeSilent);
        QFETCH(QString, message);
        QFETCH(QString, chosen);
        QFETCH(int, port);
        QFETCH(bool, offline);
        QFETCH(QString, serverName);
        QTcpServer silent;
        if (headOfficeSilent) {
            QVERIFY(silent.listen(QHostAddress(headOffice), ConnectionSet::kRemotePort));
            silent.pauseAccepting(); // the handshake completes in the kernel, then nothing
        }
        const auto s = WindowFixture::testServers();
        WindowFixture f({s.lan, headOffice, s.fallback}, lanReplies);
        QElapsedTimer timer;
        timer.start();
        f.window->runStartup();
        // Config.ini gives 3 s to connect; the server's own default would wait minutes.
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(f.messages.texts(), QStringList{message});
        QCOMPARE(f.pinger.asked, QStringList{s.lan});
        QVERIFY(f.pinger.waitCursorShown);
        QVERIFY(!QGuiApplication::overrideCursor());
        ConnectionSet& db = f.window->connections();
        QCOMPARE(db.serverAddress, chosen);
        QCOMPARE(db.serverPort, port);
        QCOMPARE(f.window->offlineMode(), offline);
        QVERIFY(db.control.isOpen());
        FbQuery marker(&db.control);
        marker.setSql(QStringLiteral("select INFO2 from EXTENDEDDET where EXTENDEDTYPEID = 99 and "
                                     "INFO1 = 'SERVERNAME'"));
        marker.open();
        QCOMPARE(marker.field(QStringLiteral("INFO2")).toString(), serverName);
        // The application record is read, the companies configured on that server and closed.
        QCOMPARE(f.window->applicationRecord().version, QStringLiteral("3.4"));
        QCOMPARE(f.window->applicationRecord().periodStart, QStringLiteral("01/01/2026"));
        QCOMPARE(f.window->updaterDate(), QDateTime(QDate(2025, 6, 1), QTime(0, 0)));
        const auto suffixes = TestServers::suffixes();
        QCOMPARE(db.krt.params().database, ConnectionSet::krtDatabase(suffixes.krt));
        QCOMPARE(db.soka.params().database, ConnectionSet::sokaDatabase(suffixes.soka));
        QCOMPARE(db.kw.params().database, ConnectionSet::kwDatabase(suffixes.kw));
        QCOMPARE(db.oldStock.params().database, ConnectionSet::oldStockDatabase());
        for (FbConnection* c : {&db.krt, &db.soka, &db.kw, &db.oldStock}) {
            QCOMPARE(c->params().host, chosen);
            QCOMPARE(c->params().port, port);
            QVERIFY(!c->isOpen());
        }
    }

    void noServerStopsAtTheApplicationRecord()
    {
        const QString dead = WindowFixture::deadAddress();
        WindowFixture f({dead, dead, dead}, false);
        f.window->runStartup();
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(f.messages.shown[0].text, QStringLiteral("Koneksi server bermasalah"));
        QCOMPARE(f.messages.shown[1].kind, Messages::Kind::Error);
        QVERIFY(!f.messages.shown[1].text.isEmpty());
        // The sequence stopped: the companies were never configured; the login panel waits.
        QVERIFY(f.window->connections().krt.params().database.isEmpty());
        QVERIFY(!f.window->findChild<QGroupBox*>(QStringLiteral("GroupBox7"))->isHidden());
        QVERIFY(f.window->findChild<QGroupBox*>(QStringLiteral("GroupBox2"))->isHidden());
    }

    void missingApplicationRecordShowsConversionError()
    {
        renameApplicationRecord(QStringLiteral("VADIDUDIRARA"), QStringLiteral("VADIDUDIRARA-OFF"));
        // Back however the test ends: every later start-up needs the record.
        const auto restore = qScopeGuard([] {
            renameApplicationRecord(QStringLiteral("VADIDUDIRARA-OFF"),
                                    QStringLiteral("VADIDUDIRARA"));
        });
        WindowFixture f(WindowFixture::testServers(), true);
        f.window->runStartup();
        QCOMPARE(f.messages.texts(Messages::Kind::Error),
                 QStringList{QStringLiteral("'' is not a valid date and time")});
        QVERIFY(f.window->connections().krt.params().database.isEmpty());
    }

    void cutoffAndDateFields()
    {
        WindowFixture f(WindowFixture::testServers(), true);
        f.clock.moment = QDateTime(QDate(2024, 2, 1), QTime(8, 0));
        f.window->runStartup();
        QCOMPARE(shortDate(f.window->loginState().loginDate), QStringLiteral("01/02/2024"));
        QCOMPARE(
            f.window->findChild<QWidget*>(QStringLiteral("cektgl"))->property("text").toString(),
            QStringLiteral("02/28/2024"));
    }

    void realEchoToLoopbackIsAnswered()
    {
        IcmpPinger pinger;
        QVERIFY(pinger.echo(QStringLiteral("127.0.0.1"), 2000));
        QVERIFY(!pinger.echo(QStringLiteral("not an address"), 500));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
