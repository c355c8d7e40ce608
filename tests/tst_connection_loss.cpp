// vid_test: DB
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "tests/support/TestServers.h"

#include <QTemporaryDir>
#include <QtTest>

// A server that goes away and comes back under a connection the program keeps open.
class TestConnectionLoss : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    const QString address = TestServers::spareAddress(65);
    ConnectionParams params;

    int server(const char* command)
    {
        QStringList args{QStringLiteral("scripts/fbserver"), QLatin1String(command),
                         dir.filePath(QStringLiteral("server"))};
        if (QLatin1String(command) == QLatin1String("start"))
            args << address << QStringLiteral("3051") << dir.filePath(QStringLiteral("data"));
        return TestServers::runScript(args);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QCOMPARE(server("start"), 0);
        params = TestServers::params(address, 3051, dir.filePath(QStringLiteral("data/loss.fdb")));
        FbConnection::createDatabase(params);
    }
    void cleanupTestCase() { server("stop"); }

    void selectSurvivesARestartedServer()
    {
        FbConnection connection;
        connection.setParams(params);
        FbQuery query(&connection);
        QueryTableModel grid;
        grid.setQuery(&query);
        query.setSql(QStringLiteral("select 1 as ONE from RDB$DATABASE"));
        query.open();
        QCOMPARE(grid.rowCount(), 1);

        QCOMPARE(server("start"), 0); // restarts: the attachment above is dead now
        query.open();
        QCOMPARE(query.field(QStringLiteral("ONE")).toInt(), 1);
        QCOMPARE(grid.rowCount(), 1);
    }

    void serverGoneThenBack()
    {
        FbConnection connection;
        connection.setParams(params);
        FbQuery query(&connection);
        QueryTableModel grid;
        grid.setQuery(&query);
        query.setSql(QStringLiteral("select 1 as ONE from RDB$DATABASE"));
        query.open();

        QCOMPARE(server("stop"), 0);
        try {
            query.open();
            QFAIL("no error with the server gone");
        } catch (const DbError& e) {
            QVERIFY(!e.message().isEmpty());
        }
        QVERIFY(!query.isActive());
        QCOMPARE(grid.rowCount(), 0);
        QVERIFY(!connection.isOpen());

        QCOMPARE(server("start"), 0);
        query.open();
        QCOMPARE(grid.rowCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestConnectionLoss)
#include "tst_connection_loss.moc"
