// vid_test: DB
#include "data/DbError.h"
#include "data/Decimal.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "data/SqlParameters.h"
#include "tests/support/TestServers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

// The database layer against a real server: exact types, transactions, drops, time-outs.
class TestDataLayer : public QObject
{
    Q_OBJECT

private:
    ConnectionParams scratch;

    void exec(const QString& sql)
    {
        FbConnection c;
        c.setParams(scratch);
        c.execute(sql);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        const QString path = TestServers::scratchDir() + QStringLiteral("/scratch-data-layer.fdb");
        QFile::remove(path);
        scratch = TestServers::params(TestServers::lan(), 3051, path);
        FbConnection::createDatabase(scratch);
        exec(QStringLiteral("create table T (ID integer not null primary key, N numeric(18,2), "
                            "S varchar(200), D date, TS timestamp, TM time, B blob sub_type text, "
                            "F double precision, I bigint)"));
    }

    void parametersOutsideLiterals_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("plain") << "a = :FIRST and b = :last"
                               << "a = ? and b = ?" << QStringList{"FIRST", "LAST"};
        QTest::newRow("repeat") << "f(:ITEMNO, :ITEMNO)"
                                << "f(?, ?)" << QStringList{"ITEMNO", "ITEMNO"};
        QTest::newRow("literal") << "x = ':NOT' || 'it''s :no' and y=:YES"
                                 << "x = ':NOT' || 'it''s :no' and y=?" << QStringList{"YES"};
        QTest::newRow("comments") << "-- :A\r\n/* :B */ c=:C"
                                  << "-- :A\r\n/* :B */ c=?" << QStringList{"C"};
        QTest::newRow("time literal") << "'10:30:00'"
                                      << "'10:30:00'" << QStringList{};
    }
    void parametersOutsideLiterals()
    {
        QFETCH(QString, sql);
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        const ParsedSql parsed = parseNamedParameters(sql);
        QCOMPARE(parsed.text, text);
        QCOMPARE(parsed.names, names);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("numeric 7.77") << "N" << QVariant::fromValue(Decimal{777, 2}) << "7.77";
        QTest::newRow("numeric max") << "N" << QVariant::fromValue(Decimal{999999999999999999LL, 2})
                                     << "9999999999999999.99";
        QTest::newRow("numeric negative") << "N" << QVariant(QStringLiteral("-0.01")) << "-0.01";
        QTest::newRow("numeric null") << "N" << QVariant() << "<null>";
        QTest::newRow("text non-ascii")
            << "S" << QVariant(QStringLiteral("Kabel 2.5 mm² Ø € d'Lux"))
            << "Kabel 2.5 mm² Ø € d'Lux";
        QTest::newRow("date") << "D" << QVariant(QDate(2024, 2, 29)) << "2024-02-29";
        QTest::newRow("timestamp")
            << "TS" << QVariant(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58, 500)))
            << "2025-12-31T23:59:58.500";
        QTest::newRow("time") << "TM" << QVariant(QTime(7, 8, 9)) << "07:08:09.000";
        QTest::newRow("blob text")
            << "B" << QVariant(QString(40000, QChar(0xB2))) << QString(40000, QChar(0xB2));
        QTest::newRow("double") << "F" << QVariant(0.1) << "0.1";
        QTest::newRow("bigint") << "I" << QVariant(qint64(9007199254740993LL))
                                << "9007199254740993";
    }
    void roundTrip()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        static int id = 0;
        ++id;
        FbConnection c;
        c.setParams(scratch);
        c.execute(QStringLiteral("insert into T (ID, %1) values (:ID, :V)").arg(column),
                  {{"ID", id}, {"V", value}});
        FbQuery q(&c);
        q.setSql(QStringLiteral("select %1 from T where ID = :ID").arg(column));
        q.setParam(QStringLiteral("ID"), id);
        q.open();
        QVERIFY(!q.eof());
        const QVariant back = q.field(column.toLower());
        QString text;
        if (back.isNull())
            text = QStringLiteral("<null>");
        else if (back.metaType().id() == QMetaType::QDate)
            text = back.toDate().toString(Qt::ISODate);
        else if (back.metaType().id() == QMetaType::QDateTime)
            text = back.toDateTime().toString(Qt::ISODateWithMs);
        else if (back.metaType().id() == QMetaType::QTime)
            text = back.toTime().toString(Qt::ISODateWithMs);
        else
            text = back.toString();
        QCOMPARE(text, expected);
        if (column == QLatin1String("N") && !back.isNull())
            QCOMPARE(back.metaType(), QMetaType::fromType<Decimal>());
    }

    void containingFindsNonAsciiText()
    {
        FbConnection c;
        c.setParams(scratch);
        c.execute(QStringLiteral("insert into T (ID, S) values (1000, 'Kabel NYY 4 x 2.5 MM²')"));
        FbQuery q(&c);
        q.setSql(QStringLiteral("select ID from T where S containing 'mm²'"));
        q.open();
        QVERIFY(q.locate(QStringLiteral("ID"), 1000));
    }

    void nextOpenSeesAnotherConnectionsCommit()
    {
        FbConnection reader, writer;
        reader.setParams(scratch);
        writer.setParams(scratch);
        writer.execute(QStringLiteral("insert into T (ID, S) values (2000, 'before')"));
        FbQuery q(&reader);
        q.setSql(QStringLiteral("select S from T where ID = 2000"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("S")).toString(), QStringLiteral("before"));
        writer.execute(QStringLiteral("update T set S = 'after' where ID = 2000"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("S")).toString(), QStringLiteral("after"));
    }

    void editAndPostByKey()
    {
        FbConnection c;
        c.setParams(scratch);
        QCOMPARE(c.execute(QStringLiteral("insert into T (ID, S, N) values (3000, 'x', 1.5)")), 1);
        FbQuery q(&c);
        q.setSql(QStringLiteral("select ID, S, N from T where ID >= 3000"));
        q.open();
        q.setUpdateTarget(QStringLiteral("T"), QStringLiteral("ID"));
        q.edit();
        q.setField(QStringLiteral("S"), QStringLiteral("posted"));
        q.setField(QStringLiteral("N"), QVariant::fromValue(Decimal{250, 2}));
        QCOMPARE(q.post(), 1);
        QCOMPARE(q.field(QStringLiteral("S")).toString(), QStringLiteral("posted"));
        FbQuery check(&c);
        check.setSql(QStringLiteral("select S, N from T where ID = 3000"));
        check.open();
        QCOMPARE(check.field(QStringLiteral("S")).toString(), QStringLiteral("posted"));
        QCOMPARE(check.field(QStringLiteral("N")).toString(), QStringLiteral("2.50"));

        // A row deleted behind the query's back: the write reaches nothing and says so.
        QCOMPARE(c.execute(QStringLiteral("delete from T where ID = 3000")), 1);
        QCOMPARE(c.execute(QStringLiteral("delete from T where ID = 3000")), 0);
        q.edit();
        q.setField(QStringLiteral("S"), QStringLiteral("again"));
        QCOMPARE(q.post(), 0);
    }

    // A parameter the statement lacks, and one left without a value: the message names it.
    void parameterErrorsAreClear()
    {
        FbConnection c;
        c.setParams(scratch);
        FbQuery q(&c);
        q.setSql(QStringLiteral("select ID from T where ID = :WANTED"));
        auto errorOf = [](const auto& action) {
            try {
                action();
            } catch (const DbError& e) {
                return e.message();
            }
            return QStringLiteral("<no error>");
        };
        const QString unknown = errorOf([&] { q.setParam(QStringLiteral("NOPE"), 1); });
        QVERIFY2(unknown.contains(QStringLiteral("NOPE")), qPrintable(unknown));
        const QString unset = errorOf([&] { q.open(); });
        QVERIFY2(unset.contains(QStringLiteral("WANTED")), qPrintable(unset));
    }

    void serverMessageReachesTheCaller()
    {
        FbConnection c;
        c.setParams(scratch);
        FbQuery q(&c);
        q.setSql(QStringLiteral("select NOSUCHCOLUMN from T"));
        try {
            q.open();
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("NOSUCHCOLUMN")), qPrintable(e.message()));
        }
    }

    void modelFetchesOnDemandAndEmptiesOnDrop()
    {
        const QString rows = QStringLiteral("from RDB$RELATIONS a cross join RDB$RELATIONS b");
        FbConnection c;
        c.setParams(scratch);
        FbQuery count(&c);
        count.setSql(QStringLiteral("select count(*) ") + rows);
        count.open();
        const int total = count.field(QStringLiteral("COUNT")).toInt();
        QVERIFY2(total > 1000, qPrintable(QString::number(total))); // many screens' worth

        FbQuery q(&c);
        q.setSql(QStringLiteral("select a.RDB$RELATION_ID ") + rows);
        QueryTableModel model;
        model.setQuery(&q);
        q.open();
        // The first screen at once, the rest as the view asks for it.
        const int first = model.rowCount();
        QVERIFY(first > 0);
        QVERIFY2(first < total, qPrintable(QString::number(first)));
        QVERIFY(model.canFetchMore({}));
        model.fetchMore({});
        QVERIFY(model.rowCount() > first);
        for (int before = 0; model.canFetchMore({}) && model.rowCount() > before;) {
            before = model.rowCount();
            model.fetchMore({});
        }
        QCOMPARE(model.rowCount(), total);
        c.drop();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!q.isActive());
    }

    void dropAndOpenLeaksNoAttachment()
    {
        auto count = [&] {
            FbConnection monitor;
            monitor.setParams(scratch);
            FbQuery q(&monitor);
            q.setSql(
                QStringLiteral("select count(*) C from MON$ATTACHMENTS where MON$SYSTEM_FLAG = 0"));
            q.open();
            return q.field(QStringLiteral("C")).toInt();
        };
        const int before = count();
        FbConnection c;
        c.setParams(scratch);
        FbQuery q(&c);
        q.setSql(QStringLiteral("select ID from T"));
        for (int i = 0; i < 100; ++i) {
            q.open();
            c.drop();
        }
        QCOMPARE(count(), before);
    }

    void silentServerFailsWithinTimeout()
    {
        // Listening without ever accepting: the handshake completes in the kernel and then
        // nothing answers, like a hung server.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress(QStringLiteral("127.0.0.1"))));
        silent.pauseAccepting();
        ConnectionParams p = scratch;
        p.host = QStringLiteral("127.0.0.1");
        p.port = silent.serverPort();
        p.connectTimeoutSeconds = 2;
        FbConnection c;
        c.setParams(p);
        QElapsedTimer timer;
        timer.start();
        QVERIFY_THROWS_EXCEPTION(DbError, c.open());
        QVERIFY2(timer.elapsed() < 8000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!c.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestDataLayer)
#include "tst_data_layer.moc"
