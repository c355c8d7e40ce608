// vid_test: DB
#include "data/ConcurrentJobs.h"
#include "data/ConcurrentQueries.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "data/FbStatement.h"
#include "data/FbStatistics.h"
#include "data/FbTransaction.h"
#include "data/QueryTableModel.h"
#include "tests/support/TestServers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace
{
// Long enough to be stopped halfway (some seconds): about a hundred million rows counted.
const QString kSlowCount =
    QStringLiteral("select count(*) from RDB$FIELDS a, RDB$FIELDS b, RDB$FIELDS c, "
                   "(select 1 as X from RDB$RELATIONS rows 12) d");
} // namespace

// Statements prepared once, shared transactions, and queries run together in worker threads.
class TestConcurrentQueries : public QObject
{
    Q_OBJECT

    ConnectionParams scratch;
    std::shared_ptr<FbStatistics> statistics = std::make_shared<FbStatistics>();

    int ourAttachments()
    {
        FbConnection monitor;
        monitor.setParams(TestServers::params(scratch.host, scratch.port, scratch.database));
        FbQuery q(&monitor);
        q.setSql(QStringLiteral("select count(*) C from MON$ATTACHMENTS where MON$SYSTEM_FLAG = 0 "
                                "and MON$ATTACHMENT_ID <> CURRENT_CONNECTION"));
        q.open();
        return q.field(QStringLiteral("C")).toInt();
    }

    std::unique_ptr<FbConnection> connection()
    {
        auto c = std::make_unique<FbConnection>();
        c->setParams(scratch);
        return c;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        const QString path = TestServers::scratchDir() + QStringLiteral("/scratch-concurrent.fdb");
        QFile::remove(path);
        scratch = TestServers::params(TestServers::lan(), 3051, path);
        FbConnection::createDatabase(scratch);
        scratch.statistics = statistics;
        FbConnection c;
        c.setParams(scratch);
        c.execute(QStringLiteral("create table T (ID integer not null primary key, N integer)"));
        for (int id = 1; id <= 5; ++id)
            c.execute(QStringLiteral("insert into T values (:ID, :N)"),
                      {{QStringLiteral("ID"), id}, {QStringLiteral("N"), id * 10}});
    }

    // The same text with a new value runs without a new prepare, until the text changes or
    // the connection drops.
    void preparedOnceRunAgain()
    {
        auto c = connection();
        FbQuery q(c.get());
        q.setSql(QStringLiteral("select N from T where ID = :ID"));
        const qint64 prepares = statistics->prepares;
        const qint64 executions = statistics->executions;
        for (int id = 1; id <= 5; ++id) {
            q.setParam(QStringLiteral("ID"), id);
            q.open();
            QCOMPARE(q.field(QStringLiteral("N")).toInt(), id * 10);
        }
        QCOMPARE(statistics->prepares - prepares, 1);
        QCOMPARE(statistics->executions - executions, 5);

        q.setSql(QStringLiteral("select N + 1 as N from T where ID = :ID"));
        q.setParam(QStringLiteral("ID"), 2);
        q.open();
        QCOMPARE(q.field(QStringLiteral("N")).toInt(), 21);
        QCOMPARE(statistics->prepares - prepares, 2);

        c->drop();
        q.open();
        QCOMPARE(q.field(QStringLiteral("N")).toInt(), 21);
        QCOMPARE(statistics->prepares - prepares, 3);
    }

    // A snapshot transaction keeps one moment for every run of its statements.
    void snapshotSeesOneMoment()
    {
        auto reader = connection();
        reader->open();
        FbTransaction snapshot(*reader, FbTransaction::Mode::Snapshot);
        FbStatement statement(*reader, snapshot);
        statement.prepare(QStringLiteral("select N from T where ID = ?"));
        auto valueOf = [&](const QVariant& id) {
            statement.execute({id});
            QVector<QVariant> row;
            const bool found = statement.fetch(row);
            return found ? row.at(0).toInt() : -1;
        };
        QCOMPARE(valueOf(3), 30);

        auto writer = connection();
        writer->execute(QStringLiteral("update T set N = 31 where ID = 3"));
        auto restore = qScopeGuard(
            [&] { writer->execute(QStringLiteral("update T set N = 30 where ID = 3")); });
        QCOMPARE(valueOf(QStringLiteral("3")), 30);
        QCOMPARE(valueOf(4), 40);
        QCOMPARE(valueOf(99), -1);
        snapshot.commit();
        QCOMPARE(valueOf(3), 31); // a new transaction, a new moment
    }

    // Each query back in its own thread, in the order added, with the first screen fetched;
    // a statement the server rejects fails alone.
    void queriesRunTogether()
    {
        auto a = connection();
        auto b = connection();
        auto c = connection();
        FbQuery qa(a.get()), qb(b.get()), qc(c.get());
        qa.setSql(QStringLiteral("select ID from T order by ID"));
        qb.setSql(QStringLiteral("select NOSUCHCOLUMN from T"));
        qc.setSql(QStringLiteral("select r.RDB$FIELD_NAME from RDB$FIELDS r"));
        QueryTableModel grid;
        grid.setQuery(&qc);

        ConcurrentQueries run;
        QList<int> order;
        connect(&run, &ConcurrentQueries::queryFinished, this, [&](int i) {
            QCOMPARE(QThread::currentThread(), thread());
            order << i;
        });
        FbOpenOptions firstScreen;
        firstScreen.prefetchRows = QueryTableModel::kRowsPerFetch;
        QCOMPARE(run.add(qa), 0);
        QCOMPARE(run.add(qb), 1);
        QCOMPARE(run.add(qc, firstScreen), 2);
        QVERIFY_THROWS_EXCEPTION(DbError, run.add(qa));
        run.exec();

        QVERIFY(run.isFinished());
        QCOMPARE(order, QList<int>({0, 1, 2}));
        QVERIFY(qa.isActive());
        QCOMPARE(qa.field(QStringLiteral("ID")).toInt(), 1);
        QVERIFY(!qb.isActive());
        QVERIFY2(run.error(1).contains(QStringLiteral("NOSUCHCOLUMN")), qPrintable(run.error(1)));
        QVERIFY(!run.failed(0) && !run.failed(2));
        // The grid shows the rows fetched in the worker and asks for none itself.
        QCOMPARE(qc.fetchedRows(), QueryTableModel::kRowsPerFetch);
        QCOMPARE(grid.rowCount(), QueryTableModel::kRowsPerFetch);
        QVERIFY(grid.canFetchMore({}));
        grid.fetchMore({});
        QVERIFY(grid.rowCount() > QueryTableModel::kRowsPerFetch);
    }

    // Cancelling ends a long statement with the server's own message; no attachment stays
    // once the connections drop.
    void cancelEndsRunningStatements()
    {
        const int before = ourAttachments();
        auto slow = connection();
        auto quick = connection();
        FbQuery qs(slow.get()), qq(quick.get());
        qs.setSql(kSlowCount);
        qq.setSql(QStringLiteral("select count(*) from T"));
        ConcurrentQueries run;
        run.add(qs);
        run.add(qq);
        QTimer::singleShot(1500, &run, &ConcurrentQueries::cancel); // well after the attach
        QElapsedTimer timer;
        timer.start();
        run.exec();
        QVERIFY(run.isCancelled());
        QVERIFY2(run.failed(0), "the long count was not stopped");
        QVERIFY2(run.error(0).contains(QStringLiteral("cancel")), qPrintable(run.error(0)));
        QVERIFY(!qs.isActive());
        QVERIFY2(timer.elapsed() < 6000, qPrintable(QString::number(timer.elapsed())));

        // The cancelled attachment serves the next statement.
        qs.setSql(QStringLiteral("select count(*) from T"));
        qs.open();
        QCOMPARE(qs.field(QStringLiteral("COUNT")).toInt(), 5);
        slow->drop();
        quick->drop();
        QCOMPARE(ourAttachments(), before);
    }

    // Stopping while a worker attaches to a server that never answers takes no longer than
    // the connect time-out; stopping while one runs a statement ends it at once.
    void stopWaitsNoLongerThanTheConnectTimeOut()
    {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress(QStringLiteral("127.0.0.1"))));
        silent.pauseAccepting();
        ConnectionParams p = scratch;
        p.host = QStringLiteral("127.0.0.1");
        p.port = silent.serverPort();
        p.connectTimeoutSeconds = 2;
        FbConnection hung;
        hung.setParams(p);
        auto slow = connection();
        FbQuery qh(&hung), qs(slow.get());
        qh.setSql(QStringLiteral("select 1 from RDB$DATABASE"));
        qs.setSql(kSlowCount);

        auto run = std::make_unique<ConcurrentQueries>();
        run->add(qh);
        run->add(qs);
        run->start();
        QTest::qWait(200);
        QElapsedTimer timer;
        timer.start();
        run.reset(); // as when the window closes
        QVERIFY2(timer.elapsed() < 6000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!qh.isActive());
        QVERIFY(!qs.isActive());
        slow->drop();
    }

    // A job between statements gives up once cancelled; its error is its own.
    void jobsSeeTheirCancellation()
    {
        ConcurrentJobs jobs;
        std::atomic<bool> started{false};
        jobs.add([&] {
            started = true;
            while (true) {
                jobs.throwIfCancelled();
                QThread::msleep(5);
            }
        });
        jobs.add([] { throw DbError(QStringLiteral("gagal sendiri")); });
        jobs.add([] {});
        jobs.start();
        QTRY_VERIFY(started.load());
        QTimer::singleShot(50, &jobs, &ConcurrentJobs::cancel);
        jobs.exec();
        QVERIFY(jobs.isFinished());
        QVERIFY(jobs.failed(0));
        QCOMPARE(jobs.error(1), QStringLiteral("gagal sendiri"));
        QVERIFY(!jobs.failed(2));
    }
};

QTEST_GUILESS_MAIN(TestConcurrentQueries)
#include "tst_concurrent_queries.moc"
