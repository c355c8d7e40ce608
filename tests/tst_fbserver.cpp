// vid_test: DB
#include "data/ConnectionSet.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "tests/support/TestServers.h"

#include <QFileInfo>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

// scripts/fbserver: two private servers side by side, each on its own loopback address with
// its own copy of the control database behind the program's path, refusing what it must, and
// gone (process and port) once stopped.
namespace
{

struct Server {
    QString name, address;
    int port = 0;
    QString root, data;
};

bool accepts(const QString& address, int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress(address), quint16(port));
    return socket.waitForConnected(2000);
}

qint64 pidOf(const QString& root)
{
    QFile file(root + QStringLiteral("/firebird.pid"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().trimmed().toLongLong();
}

// A live (not merely unreaped) process of the database server.
bool running(qint64 pid)
{
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return pid > 0 && QFileInfo(exe).fileName() == QLatin1String("firebird");
}

// Database server processes started from a root, found by the root in their environment,
// so that a server whose pid file is gone (or was never written) is found all the same.
QList<qint64> serversFrom(const QString& root)
{
    const QByteArray wanted = "FIREBIRD=" + QFileInfo(root).canonicalFilePath().toUtf8();
    QList<qint64> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        const qint64 pid = entry.toLongLong();
        QFile environ(QStringLiteral("/proc/%1/environ").arg(entry));
        if (running(pid) && environ.open(QIODevice::ReadOnly) &&
            environ.readAll().split('\0').contains(wanted))
            found << pid;
    }
    return found;
}

int start(const Server& s)
{
    return TestServers::runScript({QStringLiteral("scripts/fbserver"), QStringLiteral("start"),
                                   s.root, s.address, QString::number(s.port), s.data});
}

int stop(const Server& s)
{
    return TestServers::runScript(
        {QStringLiteral("scripts/fbserver"), QStringLiteral("stop"), s.root});
}

// The control database's row that names its server.
const QString kMarkerRow = QStringLiteral("where EXTENDEDTYPEID = 99 and INFO1 = 'SERVERNAME'");

} // namespace

class TestFbServer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QList<Server> servers;

    ConnectionParams control(const Server& s) const
    {
        return TestServers::params(s.address, s.port, ConnectionSet::controlDatabase());
    }

    QString marker(const Server& s) const
    {
        FbConnection connection;
        connection.setParams(control(s));
        FbQuery query(&connection);
        query.setSql(QStringLiteral("select INFO2 from EXTENDEDDET ") + kMarkerRow);
        query.open();
        return query.eof() ? QString() : query.field(QStringLiteral("INFO2")).toString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        QVERIFY(dir.isValid());
        const QString demo = TestServers::root() + QStringLiteral("/data/edp.fdb");
        QVERIFY2(QFile::exists(demo), qPrintable(demo));
        // Blanks in the data folder: the alias values are quoted, the access rule needs none.
        servers = {{QStringLiteral("one"), TestServers::spareAddress(61), 3051, {}, {}},
                   {QStringLiteral("two"), TestServers::spareAddress(62), 3015, {}, {}}};
        for (Server& s : servers) {
            s.root = dir.filePath(s.name + QStringLiteral("/root"));
            s.data = dir.filePath(s.name + QStringLiteral("/demo data"));
            QVERIFY(QDir().mkpath(s.data));
            QVERIFY(QFile::copy(demo, s.data + QStringLiteral("/edp.fdb")));
        }
        for (const Server& s : servers)
            QCOMPARE(start(s), 0);
    }

    void cleanupTestCase()
    {
        for (const Server& s : servers)
            stop(s);
    }

    // The same program path on both servers reaches each server's own file.
    void aliasOnBoth()
    {
        for (const Server& s : servers) {
            FbConnection connection;
            connection.setParams(control(s));
            try {
                connection.execute(QStringLiteral("update EXTENDEDDET set INFO2 = :NAME ") +
                                       kMarkerRow,
                                   {{QStringLiteral("NAME"), s.name}});
            } catch (const DbError& e) {
                QFAIL(qPrintable(s.address + QStringLiteral(": ") + e.message()));
            }
        }
        for (const Server& s : servers)
            QCOMPARE(marker(s), s.name);
    }

    // The server opens database files by path in its data folder only.
    void databaseAccess_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("data folder") << "one/demo data/scratch.fdb" << true;
        QTest::newRow("outside") << "one/outside.fdb" << false;
        QTest::newRow("other server's data") << "two/demo data/scratch.fdb" << false;
        QTest::newRow("sibling sharing the prefix") << "one/demo data2/scratch.fdb" << false;
    }
    void databaseAccess()
    {
        QFETCH(QString, relativePath);
        QFETCH(bool, allowed);
        const QString path = dir.filePath(relativePath);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const Server& first = servers.first();
        QString error;
        try {
            FbConnection::createDatabase(TestServers::params(first.address, first.port, path));
        } catch (const DbError& e) {
            error = e.message();
        }
        QVERIFY2(error.isEmpty() == allowed, qPrintable(error));
        QCOMPARE(QFile::exists(path), allowed);
    }

    // Refused starts leave no server behind.
    void refusedStart_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("occupied");
        const QString spare = TestServers::spareAddress(63);
        QTest::newRow("address taken") << spare << "3051" << true;
        QTest::newRow("not loopback") << "192.0.2.1"
                                      << "3051" << false;
        QTest::newRow("bad port") << spare << "30x1" << false;
    }
    void refusedStart()
    {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(bool, occupied);
        QTcpServer other;
        if (occupied)
            QVERIFY(other.listen(QHostAddress(address), port.toUShort()));
        const QString root = dir.filePath(QStringLiteral("refused/") + QTest::currentDataTag());
        const int code =
            TestServers::runScript({QStringLiteral("scripts/fbserver"), QStringLiteral("start"),
                                    root, address, port, servers.first().data});
        QVERIFY(code != 0);
        QCOMPARE(serversFrom(root), QList<qint64>());
        QVERIFY(!QFile::exists(root + QStringLiteral("/firebird.pid")));
        if (occupied)
            QVERIFY(accepts(address, port.toInt()));
    }

    // A second start from the same root replaces the server.
    void restart()
    {
        const Server& s = servers.first();
        const qint64 before = pidOf(s.root);
        QVERIFY(running(before));
        QCOMPARE(start(s), 0);
        const qint64 after = pidOf(s.root);
        QVERIFY(after != before);
        QVERIFY(!running(before));
        QCOMPARE(serversFrom(s.root), QList<qint64>{after});
        QCOMPARE(marker(s), s.name);
    }

    void stopByProcessId()
    {
        for (const Server& s : servers) {
            const qint64 pid = pidOf(s.root);
            QVERIFY2(running(pid), qPrintable(s.name));
            QCOMPARE(stop(s), 0);
            QVERIFY(!running(pid));
            QCOMPARE(serversFrom(s.root), QList<qint64>());
            QVERIFY(!QFile::exists(s.root + QStringLiteral("/firebird.pid")));
            QVERIFY(!accepts(s.address, s.port));
        }
    }
};

QTEST_GUILESS_MAIN(TestFbServer)
#include "tst_fbserver.moc"
