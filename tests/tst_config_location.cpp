#include "platform/ConfigLocation.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <QtTest>

// Where Config.ini is read and written: beside the program when that works, else the user's
// configuration folder.
class TestConfigLocation : public QObject
{
    Q_OBJECT

private slots:
    void rule_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("dirWritable");
        QTest::addColumn<QString>("userDir");
        QTest::addColumn<QString>("expected");
        const QString beside = QStringLiteral("/opt/vid/Config.ini");
        const QString user = QStringLiteral("/home/u/.config/vidarera");
        const QString inUser = user + QStringLiteral("/Config.ini");
        QTest::newRow("file present, folder writable") << true << true << user << beside;
        QTest::newRow("file present, folder read-only") << true << false << user << beside;
        QTest::newRow("no file, folder writable") << false << true << user << beside;
        QTest::newRow("neither") << false << false << user << inUser;
        QTest::newRow("neither, no user folder") << false << false << QString() << beside;
    }
    void rule()
    {
        QFETCH(bool, fileExists);
        QFETCH(bool, dirWritable);
        QFETCH(QString, userDir);
        QFETCH(QString, expected);
        QCOMPARE(configFilePath(QStringLiteral("/opt/vid"), fileExists, dirWritable, userDir),
                 expected);
    }

    // The probe on real folders; a plain file stands for a program folder that takes no files
    // (the tests may run as root, for whom every folder is writable).
    void probesTheFileSystem()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("bin"));
        const QString user = dir.filePath(QStringLiteral("home/.config/vidarera"));
        QVERIFY(QDir().mkpath(program));
        QCOMPARE(locateConfigFile(program, user), program + QStringLiteral("/Config.ini"));

        QFile notAFolder(dir.filePath(QStringLiteral("usr-bin")));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        notAFolder.close();
        const QString inUser = user + QStringLiteral("/Config.ini");
        QCOMPARE(locateConfigFile(notAFolder.fileName(), user), inUser);

        // The first save creates the user's folder; the next start finds the file there.
        QVERIFY(!QFileInfo::exists(user));
        QCOMPARE(IniFile(inUser).write(QStringLiteral("Config"), {{"LTC", "0"}}), QString());
        QCOMPARE(IniFile(locateConfigFile(notAFolder.fileName(), user)).read("Config", "LTC"),
                 QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestConfigLocation)
#include "tst_config_location.moc"
