// vid_test: DB
#include "app/MainWindow.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "platform/IniFile.h"
#include "tests/support/TestHttpServer.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QtTest>

// The updater in the running program: the check and the version gate at start-up against
// the application record, and the "Update" and "About" commands.
class TestUpdaterStartup : public QObject
{
    Q_OBJECT

    static void setApplication(const char* version, const char* release)
    {
        FbConnection c;
        c.setParams(TestServers::lanControl());
        c.execute(QStringLiteral("update EXTENDEDDET set INFO5=:V, INFO8=:R where "
                                 "EXTENDEDTYPEID=3 and INFO1='VADIDUDIRARA'"),
                  {{"V", QLatin1String(version)}, {"R", QLatin1String(release)}});
    }
    static QString statusOf(const QString& nik)
    {
        FbConnection c;
        c.setParams(TestServers::lanControl());
        FbQuery q(&c);
        q.setSql(QStringLiteral("select INFO6 from EXTENDEDDET where EXTENDEDTYPEID=2 and "
                                "INFO1=:NIK"));
        q.setParam(QStringLiteral("NIK"), nik);
        q.open();
        return q.eof() ? QString() : q.field(QStringLiteral("INFO6")).toString();
    }
    static QStringList bothUpdaters(const WindowFixture& f)
    {
        return {QDir(f.updaterFolder()).filePath(QStringLiteral("AutoUpdate.exe")),
                f.dir.filePath(QStringLiteral("second/AutoUpdate.exe"))};
    }
    static void trigger(WindowFixture& f, const char* action)
    {
        f.window->findChild<QAction*>(QLatin1String(action))->trigger();
    }

private slots:
    void initTestCase() { QVERIFY2(TestServers::available(), "test servers not configured"); }
    void cleanup() { setApplication("3.4", "01/06/2025"); }

    void refusedReleaseEndsTheProgram()
    {
        setApplication("3.1", "01/06/2025");
        WindowFixture f(WindowFixture::testServers());
        f.window->show();
        f.window->runStartup();
        QCOMPARE(f.messages.texts(),
                 (QStringList{QStringLiteral("Akses Lokal Terhubung"),
                              QStringLiteral(
                                  "Versi program tidak terbaru, silahkan update software anda")}));
        QCOMPARE(f.messages.shown[1].kind, Messages::Kind::Warning);
        QCOMPARE(f.launcher.launched, bothUpdaters(f));
        QVERIFY(!f.window->isVisible());
        // Start-up stopped at the gate: the companies were never configured.
        QVERIFY(f.window->connections().krt.params().database.isEmpty());
    }

    void newerReleaseFetchesTheUpdaterBeforeTheGate()
    {
        // Later than the installed updater's time in the fixture (01/01/2030).
        setApplication("3.1", "02/01/2030 08:00");
        const QByteArray fresh = QByteArray(50000, 'U') + QByteArrayLiteral("fresh updater");
        TestHttpServer server(fresh);
        QVERIFY(server.listen());
        WindowFixture f(WindowFixture::testServers());
        QVERIFY(IniFile(f.configPath())
                    .write(QStringLiteral("Update"), {{QStringLiteral("Host"), server.host()}})
                    .isEmpty());
        f.window->show();
        f.window->runStartup();
        QCOMPARE(
            f.messages.texts(),
            (QStringList{
                QStringLiteral("Akses Lokal Terhubung"), QStringLiteral("Download updater"),
                QStringLiteral("Versi program tidak terbaru, silahkan update software anda")}));
        QCOMPARE(server.requests.size(), 1);
        // The refused release hands over to the updater just fetched.
        QCOMPARE(f.launcher.launched, bothUpdaters(f));
        QCOMPARE(f.launcher.contents.value(0), fresh);
        QVERIFY(!f.window->isVisible());
    }

    void acceptedReleaseWithCurrentUpdaterGoesOn()
    {
        WindowFixture f(WindowFixture::testServers());
        f.window->show();
        f.window->runStartup();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Akses Lokal Terhubung")});
        QVERIFY(f.launcher.launched.isEmpty());
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->connections().krt.params().database.isEmpty());
    }

    void updateCommand()
    {
        WindowFixture f(WindowFixture::testServers());
        f.window->show();
        QVERIFY(f.login(QStringLiteral("100005")));
        const QByteArray config = f.configText();
        f.messages.clear();
        f.messages.answers = {false};
        trigger(f, "Update1");
        QVERIFY(f.launcher.launched.isEmpty());
        QVERIFY(f.window->isVisible());

        f.messages.answers = {true};
        trigger(f, "Update1");
        // Ends at once: no closing question, no saved settings, no status stamp.
        QCOMPARE(f.messages.texts(),
                 (QStringList{QStringLiteral("Anda yakin ingin menjalankan update aplikasi ?"),
                              QStringLiteral("Anda yakin ingin menjalankan update aplikasi ?")}));
        QCOMPARE(f.launcher.launched, bothUpdaters(f));
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.configText(), config);
        QCOMPARE(statusOf(QStringLiteral("100005")), QStringLiteral("Online"));
    }

    void aboutBox()
    {
        WindowFixture f(WindowFixture::testServers());
        trigger(f, "About1");
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].kind, Messages::Kind::Information);
        const QStringList lines = f.messages.shown[0].text.split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.mid(0, 5),
                 (QStringList{QStringLiteral("Aplikasi Vid Arera V 3.4"),
                              QStringLiteral("Akses Dediz Update"), QStringLiteral("ON SO dan IR"),
                              QStringLiteral("Stock potong DO"),
                              QStringLiteral("Last Update 09/09/25")}));
        QVERIFY(!lines[5].isEmpty() && !lines[5].contains(QLatin1Char('\n')));
    }
};

QTEST_MAIN(TestUpdaterStartup)
#include "tst_updater_startup.moc"
