#include "app/UpdateRules.h"
#include "app/UpdateSettings.h"
#include "app/Updater.h"
#include "platform/HttpDownloader.h"
#include "platform/IniFile.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestHttpServer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// The updater beside the program: the release rules, the check of its age, its download
// from the update host, the version gate and the hand-over.
class TestUpdater : public QObject
{
    Q_OBJECT

    const QDateTime kRelease{QDate(2025, 6, 1), QTime(0, 0)};
    const QByteArray kOld = QByteArrayLiteral("old updater, still whole");
    const QByteArray kNew = QByteArray(200000, 'N') + QByteArrayLiteral("new updater");

    // Two installation folders in a private place, the updater in one of them or none.
    struct Installation {
        QTemporaryDir dir;
        ScriptedMessages messages;
        RecordingLauncher launcher;
        HttpDownloader downloader;
        UpdateSettings settings;

        explicit Installation(const QString& host)
        {
            settings.host = host;
            settings.firstFolder = dir.filePath(QStringLiteral("x86"));
            settings.secondFolder = dir.filePath(QStringLiteral("programs"));
            settings.timeoutSeconds = 1;
        }
        QString updater(const QString& folder) const { return UpdateRules::updaterPath(folder); }
        void install(const QString& folder, const QByteArray& content, const QDateTime& time)
        {
            QDir().mkpath(folder);
            QFile f(updater(folder));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
            f.flush(); // a later flush would stamp the file again
            QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
        }
        Updater make() { return Updater(settings, messages, downloader, launcher); }
    };

    static QByteArray contentOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void versionGate_data()
    {
        QTest::addColumn<QString>("released");
        QTest::addColumn<bool>("runs");
        QTest::newRow("3.4") << "3.4" << true;
        QTest::newRow("3.3") << "3.3" << true;
        QTest::newRow("3.0") << "3.0" << true;
        QTest::newRow("3.1, between accepted ones") << "3.1" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("3.40") << "3.40" << false;
        QTest::newRow("padded") << " 3.4" << false;
    }
    void versionGate()
    {
        QFETCH(QString, released);
        QFETCH(bool, runs);
        Installation inst(TestHttpServer::deadHost());
        QCOMPARE(inst.make().admitVersion(released), runs);
        if (runs) {
            QVERIFY(inst.messages.shown.isEmpty());
            QVERIFY(inst.launcher.launched.isEmpty());
        } else {
            QCOMPARE(inst.messages.texts(Messages::Kind::Warning),
                     QStringList{QStringLiteral(
                         "Versi program tidak terbaru, silahkan update software anda")});
            QCOMPARE(inst.messages.shown.size(), 1);
            // The first folder's updater first, then the second's.
            QCOMPARE(inst.launcher.launched,
                     (QStringList{inst.updater(inst.settings.firstFolder),
                                  inst.updater(inst.settings.secondFolder)}));
        }
    }

    void releaseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("date") << "01/06/2025" << QDateTime(QDate(2025, 6, 1), QTime(0, 0));
        QTest::newRow("date and time")
            << "01/06/2025 13:45:10" << QDateTime(QDate(2025, 6, 1), QTime(13, 45, 10));
        QTest::newRow("short time")
            << "01/06/2025 7:05" << QDateTime(QDate(2025, 6, 1), QTime(7, 5));
        QTest::newRow("empty") << "" << QDateTime();
        QTest::newRow("year first") << "2025-06-01" << QDateTime();
        QTest::newRow("no such day") << "31/02/2025" << QDateTime();
        QTest::newRow("no such hour") << "01/06/2025 25:00" << QDateTime();
    }
    void releaseDate()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        QCOMPARE(UpdateRules::parseReleaseDate(text), expected);
    }

    // The installed updater's time against the release date of 01/06/2025 00:00.
    void updaterTimes_data()
    {
        QTest::addColumn<QString>("installedIn"); // "first", "second" or "" for none
        QTest::addColumn<bool>("secondExists");
        QTest::addColumn<QDateTime>("installedAt");
        QTest::addColumn<bool>("downloads");
        QTest::addColumn<QString>("target");
        const QDateTime release(QDate(2025, 6, 1), QTime(0, 0));
        QTest::newRow("a day older") << "first" << false << release.addDays(-1) << true << "first";
        QTest::newRow("two seconds older")
            << "first" << false << release.addSecs(-2) << true << "first";
        QTest::newRow("same time") << "first" << false << release << false << "";
        // The file system keeps times in two-second steps: 00:00:01 reads as 00:00:00.
        QTest::newRow("one second newer") << "first" << false << release.addSecs(1) << false << "";
        QTest::newRow("a day newer") << "first" << false << release.addDays(1) << false << "";
        QTest::newRow("older, in the second folder")
            << "second" << true << release.addDays(-1) << true << "second";
        QTest::newRow("older, in the first while the second exists")
            << "first" << true << release.addDays(-30) << true << "first";
        QTest::newRow("none installed, second folder exists")
            << "" << true << QDateTime() << true << "second";
        QTest::newRow("none installed, only the first folder")
            << "" << false << QDateTime() << true << "first";
    }
    void updaterTimes()
    {
        QFETCH(QString, installedIn);
        QFETCH(bool, secondExists);
        QFETCH(QDateTime, installedAt);
        QFETCH(bool, downloads);
        QFETCH(QString, target);
        TestHttpServer server(kNew);
        QVERIFY(server.listen());
        Installation inst(server.host());
        QDir().mkpath(inst.settings.firstFolder);
        if (secondExists)
            QDir().mkpath(inst.settings.secondFolder);
        auto folder = [&](const QString& which) {
            return which == QLatin1String("first") ? inst.settings.firstFolder
                                                   : inst.settings.secondFolder;
        };
        if (!installedIn.isEmpty())
            inst.install(folder(installedIn), kOld, installedAt);

        inst.make().fetchIfOutdated(kRelease);

        if (!downloads) {
            QVERIFY(inst.messages.shown.isEmpty());
            QVERIFY(server.requests.isEmpty());
            QCOMPARE(contentOf(inst.updater(folder(installedIn))), kOld);
            return;
        }
        QCOMPARE(inst.messages.texts(), QStringList{QStringLiteral("Download updater")});
        QCOMPARE(server.requests,
                 QStringList{QStringLiteral("GET /vidarera/AutoUpdate.exe HTTP/1.1")});
        QCOMPARE(contentOf(inst.updater(folder(target))), kNew);
        // The fresh file's own time is now, so the next start leaves it alone.
        QVERIFY(inst.make().installed()->time > kRelease);
    }

    // Whatever goes wrong, the old updater stays byte for byte and start-up goes on quietly.
    void failedDownloadsKeepTheOldUpdater_data()
    {
        QTest::addColumn<int>("answer"); // -1: nothing listens
        QTest::newRow("host down") << -1;
        QTest::newRow("404") << int(TestHttpServer::Answer::NotFound);
        QTest::newRow("body cut halfway") << int(TestHttpServer::Answer::CutHalfway);
        QTest::newRow("never answers") << int(TestHttpServer::Answer::Silent);
    }
    void failedDownloadsKeepTheOldUpdater()
    {
        QFETCH(int, answer);
        TestHttpServer server(kNew);
        QVERIFY(server.listen());
        if (answer >= 0)
            server.answer = TestHttpServer::Answer(answer);
        Installation inst(answer < 0 ? TestHttpServer::deadHost() : server.host());
        const QDateTime old = kRelease.addDays(-10);
        inst.install(inst.settings.firstFolder, kOld, old);

        QElapsedTimer timer;
        timer.start();
        inst.make().fetchIfOutdated(kRelease);
        QVERIFY2(timer.elapsed() < 10000, "the download must give up on its own");

        QCOMPARE(inst.messages.texts(), QStringList{QStringLiteral("Download updater")});
        QCOMPARE(server.requests.size(), answer < 0 ? 0 : 1);
        QCOMPARE(contentOf(inst.updater(inst.settings.firstFolder)), kOld);
        QCOMPARE(inst.make().installed()->time, old);
        // No half-written file is left beside it.
        QCOMPARE(QDir(inst.settings.firstFolder).entryList(QDir::Files),
                 QStringList{QStringLiteral("AutoUpdate.exe")});
    }

    void noInstallationFolder()
    {
        TestHttpServer server(kNew);
        QVERIFY(server.listen());
        Installation inst(server.host());
        inst.make().fetchIfOutdated(kRelease);
        QCOMPARE(inst.messages.texts(),
                 (QStringList{QStringLiteral("Download updater"),
                              QStringLiteral("Terjadi kesalahan !! Direktori tidak ketemu")}));
        QVERIFY(server.requests.isEmpty());
    }

    void updateCommand_data()
    {
        QTest::addColumn<bool>("agreed");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void updateCommand()
    {
        QFETCH(bool, agreed);
        Installation inst(TestHttpServer::deadHost());
        inst.messages.answers = {agreed};
        QCOMPARE(inst.make().confirmAndLaunch(), agreed);
        QCOMPARE(inst.messages.texts(Messages::Kind::Confirmation),
                 QStringList{QStringLiteral("Anda yakin ingin menjalankan update aplikasi ?")});
        const QStringList both{inst.updater(inst.settings.firstFolder),
                               inst.updater(inst.settings.secondFolder)};
        QCOMPARE(inst.launcher.launched, agreed ? both : QStringList());
    }

    void settingsFromConfig()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Update]\r\nHost=updates.local:8080\r\nFirstFolder=/opt/a\r\nSecondFolder=/opt/"
                "b\r\nTimeout=7\r\n");
        f.close();
        const UpdateSettings s = UpdateSettings::read(IniFile(path), dir.path());
        QCOMPARE(s.host, QStringLiteral("updates.local:8080"));
        QCOMPARE(s.firstFolder, QStringLiteral("/opt/a"));
        QCOMPARE(s.secondFolder, QStringLiteral("/opt/b"));
        QCOMPARE(s.timeoutSeconds, 7);
        QCOMPARE(UpdateRules::updaterUrl(s.host).toString(),
                 QStringLiteral("http://updates.local:8080/vidarera/AutoUpdate.exe"));
        // Without the section: two distinct folders, the program's own among them here.
        const UpdateSettings d =
            UpdateSettings::read(IniFile(dir.filePath(QStringLiteral("none.ini"))), dir.path());
        QCOMPARE(d.firstFolder, dir.path());
        QVERIFY(!d.secondFolder.isEmpty() && d.secondFolder != d.firstFolder);
        QCOMPARE(d.timeoutSeconds, 30);
    }
};

QTEST_MAIN(TestUpdater)
#include "tst_updater.moc"
