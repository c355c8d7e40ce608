// vid_test: links app
#include "app/ServerChoice.h"
#include "app/ServerSettings.h"
#include "tests/support/ScriptedPinger.h"

#include <QtTest>

// The server the program settles on, for every combination of servers that answer.
class TestServerChoice : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<bool>("lanReplies");
        QTest::addColumn<QStringList>("attachable");
        QTest::addColumn<int>("server");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("attached");
        QTest::addColumn<QString>("message");
        // Attach attempts and messages told, in the order the user meets them: the LAN message
        // shows before its attach, the others after their outcome.
        QTest::addColumn<QStringList>("tried");
        using S = ServerChoice::Server;
        const QStringList all{"lan", "ho", "fb"};
        QTest::newRow("lan") << true << all << int(S::Lan) << "lan" << 3051 << true
                             << "Akses Lokal Terhubung"
                             << QStringList{"Akses Lokal Terhubung", "lan:3051"};
        // The echo decides: a LAN server that then refuses is not replaced by another.
        QTest::newRow("lan answers, refuses")
            << true << QStringList{"ho", "fb"} << int(S::Lan) << "lan" << 3051 << false
            << "Akses Lokal Terhubung" << QStringList{"Akses Lokal Terhubung", "lan:3051"};
        QTest::newRow("head office")
            << false << all << int(S::HeadOffice) << "ho" << 3015 << true
            << "Database terkoneksi HO" << QStringList{"ho:3015", "Database terkoneksi HO"};
        QTest::newRow("fallback") << false << QStringList{"fb"} << int(S::Fallback) << "fb" << 3015
                                  << true << "Database terkoneksi ke Dediz (Mode Offline)"
                                  << QStringList{"ho:3015", "fb:3015",
                                                 "Database terkoneksi ke Dediz (Mode Offline)"};
        QTest::newRow("none") << false << QStringList{} << int(S::None) << "ho" << 3015 << false
                              << "Koneksi server bermasalah"
                              << QStringList{"ho:3015", "fb:3015", "Koneksi server bermasalah"};
    }
    void choice()
    {
        QFETCH(bool, lanReplies);
        QFETCH(QStringList, attachable);
        QFETCH(int, server);
        QFETCH(QString, address);
        QFETCH(int, port);
        QFETCH(bool, attached);
        QFETCH(QString, message);
        QFETCH(QStringList, tried);
        ScriptedPinger pinger(lanReplies);
        ServerSettings servers;
        servers.lan = QStringLiteral("lan");
        servers.headOffice = QStringLiteral("ho");
        servers.fallback = QStringLiteral("fb");
        QStringList attempts;
        const ServerChoice choice = chooseServer(
            pinger, servers,
            [&](const QString& host, int hostPort) {
                attempts << QStringLiteral("%1:%2").arg(host).arg(hostPort);
                return attachable.contains(host);
            },
            [&](const QString& told) { attempts << told; });
        QCOMPARE(pinger.asked, QStringList{"lan"});
        QCOMPARE(attempts, tried);
        QCOMPARE(int(choice.server), server);
        QCOMPARE(choice.address, address);
        QCOMPARE(choice.port, port);
        QCOMPARE(choice.attached, attached);
        QCOMPARE(choice.message, message);
        QCOMPARE(choice.offline(), choice.server == ServerChoice::Server::Fallback);
    }
};

QTEST_GUILESS_MAIN(TestServerChoice)
#include "tst_server_choice.moc"
