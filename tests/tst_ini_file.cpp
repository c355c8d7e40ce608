#include "app/ServerSettings.h"
#include "platform/IniFile.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

// Config.ini as the program reads and rewrites it.
class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QByteArray& content)
    {
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return path;
    }
    QByteArray readFile(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray ini =
            "[Server]\r\nLAN=127.0.0.5\r\ngarbage line\r\n=novalue\r\nHO = 10.0.0.1 \r\n"
            "LAN=second\r\n[Config]\r\nLTC=0\r\n";
        QTest::newRow("key") << ini << "Server"
                             << "LAN"
                             << "127.0.0.5";
        QTest::newRow("case-insensitive") << ini << "server"
                                          << "lan"
                                          << "127.0.0.5";
        QTest::newRow("blanks trimmed") << ini << "Server"
                                        << "HO"
                                        << "10.0.0.1";
        QTest::newRow("other section") << ini << "Config"
                                       << "LTC"
                                       << "0";
        QTest::newRow("missing key") << ini << "Config"
                                     << "RAK"
                                     << "";
        QTest::newRow("missing section") << ini << "Nope"
                                         << "LTC"
                                         << "";
        QTest::newRow("empty file") << QByteArray() << "Config"
                                    << "LTC"
                                    << "";
    }
    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(IniFile(writeFile(content)).read(section, key), expected);
    }

    void missingFileReadsEmpty()
    {
        QCOMPARE(IniFile(dir.filePath(QStringLiteral("none.ini"))).read("Config", "LTC"),
                 QString());
    }

    void writeKeepsOtherSectionsAndOrder()
    {
        const QString path =
            writeFile("; note\r\n[Server]\r\nLAN=1.2.3.4\r\n\r\n[Config]\r\nRAK=1\r\nLTC=1\r\n"
                      "Extra=keep\r\n");
        const QString error = IniFile(path).write(QStringLiteral("Config"),
                                                  {{"LTC", "0"}, {"MEZANINE", "1"}, {"RAK", "0"}});
        QVERIFY(error.isEmpty());
        QCOMPARE(readFile(path),
                 QByteArray("; note\r\n[Server]\r\nLAN=1.2.3.4\r\n\r\n[Config]\r\nRAK=0\r\n"
                            "LTC=0\r\nExtra=keep\r\nMEZANINE=1\r\n"));
    }

    void writeCreatesFileAndSection()
    {
        const QString path = dir.filePath(QStringLiteral("fresh.ini"));
        QVERIFY(IniFile(path).write(QStringLiteral("Config"), {{"DbAktif", "ALL"}}).isEmpty());
        QCOMPARE(IniFile(path).read("Config", "DbAktif"), QStringLiteral("ALL"));
    }

    void failedWriteNamesFileAndKeepsOldContent()
    {
        const QString path = writeFile("[Config]\r\nLTC=1\r\n");
        // A file where a folder should be: nothing can be written below it.
        const QString blocked = path + QStringLiteral("/Config.ini");
        const QString error = IniFile(blocked).write(QStringLiteral("Config"), {{"LTC", "0"}});
        QCOMPARE(error, QStringLiteral("Unable to write to ") + blocked);
        QCOMPARE(readFile(path), QByteArray("[Config]\r\nLTC=1\r\n"));
    }

    // A program installed in a system folder: the folder takes no new file, Config.ini
    // itself is writable.
    void writesInPlaceWhenTheFolderIsClosed()
    {
        QTemporaryDir closed;
        const QString folder = closed.path();
        const QString path = closed.filePath(QStringLiteral("Config.ini"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Server]\r\nLAN=127.0.0.5\r\n");
        }
        const QFileDevice::Permissions open = QFile::permissions(folder);
        bool immutable = false;
        auto reopen = qScopeGuard([&] {
            if (immutable)
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
            QFile::setPermissions(folder, open);
        });
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        auto canCreateIn = [&folder] {
            QFile probe(folder + QStringLiteral("/probe"));
            if (!probe.open(QIODevice::WriteOnly))
                return false;
            probe.remove();
            return true;
        };
        if (canCreateIn()) {
            // The superuser ignores the folder's mode; an immutable folder stops it too.
            immutable =
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
            if (!immutable || canCreateIn())
                QSKIP("no way to close a folder to this user");
        }
        QCOMPARE(IniFile(path).write(QStringLiteral("Config"), {{"LTC", "0"}}), QString());
        QCOMPARE(readFile(path),
                 QByteArray("[Server]\r\nLAN=127.0.0.5\r\n\r\n[Config]\r\nLTC=0\r\n"));
    }

    void serverSettingsFallBackToDefaults()
    {
        const QString path = writeFile("[Server]\r\nHO=127.0.0.7\r\nConnectTimeout=abc\r\n");
        const ServerSettings s = ServerSettings::read(IniFile(path));
        QCOMPARE(s.headOffice, QStringLiteral("127.0.0.7"));
        QCOMPARE(s.lan, QStringLiteral("127.0.0.1"));
        QCOMPARE(s.connection.connectTimeoutSeconds, 10);
        QCOMPARE(s.connection.charset, QStringLiteral("WIN1252"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_ini_file.moc"
