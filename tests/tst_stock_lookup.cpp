// vid_test: DB
#include "data/ConnectionSet.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "data/TextCodec.h"
#include "tests/support/TestServers.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

// vidarera-stock run as a script would run it, against the test servers.
class TestStockLookup : public QObject
{
    Q_OBJECT

    struct Run {
        int exit = -1;
        QByteArray out, err;
    };
    // A row read back from the output: title -> value as text ("" for NULL).
    using Row = QMap<QString, QString>;

    static QString program()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/vidarera-stock");
    }
    static QString lanServer()
    {
        return TestServers::lan() + QLatin1Char('/') + QString::number(ConnectionSet::kLanPort);
    }

    static Run run(const QStringList& args, const QString& executable = program())
    {
        QProcess p;
        p.start(executable, args);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    // RFC 4180: quoted fields may hold commas, doubled quotes and line breaks.
    static QList<QStringList> readCsv(const QByteArray& bytes)
    {
        const QString text = QString::fromUtf8(bytes);
        QList<QStringList> records;
        QStringList record;
        QString field;
        bool quoted = false;
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (quoted) {
                if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == c)
                    field += text[++i];
                else if (c == QLatin1Char('"'))
                    quoted = false;
                else
                    field += c;
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                record << field;
                field.clear();
            } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == '\n') {
                record << field;
                records << record;
                record.clear();
                field.clear();
                ++i;
            } else {
                field += c;
            }
        }
        return records;
    }

    static QList<Row> rowsOf(const QByteArray& out, const QString& format)
    {
        QList<Row> rows;
        if (format == QLatin1String("json")) {
            QJsonParseError error;
            const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
            if (error.error != QJsonParseError::NoError || !doc.isArray())
                qWarning() << "not a JSON array:" << error.errorString();
            for (const QJsonValue& v : doc.array()) {
                Row row;
                const QJsonObject o = v.toObject();
                for (auto it = o.begin(); it != o.end(); ++it)
                    row[it.key()] =
                        it->isDouble() ? QString::number(it->toDouble(), 'f', 2) : it->toString();
                rows << row;
            }
            return rows;
        }
        const QList<QStringList> records = readCsv(out);
        for (int r = 1; r < records.size(); ++r) {
            Row row;
            for (int c = 0; c < records[0].size(); ++c)
                row[records[0][c]] = records[r].value(c);
            rows << row;
        }
        return rows;
    }

    static QStringList keys(const QList<Row>& rows)
    {
        QStringList out;
        for (const Row& row : rows)
            out << row.value(QStringLiteral("DB")) + QLatin1Char('|') +
                       row.value(QStringLiteral("Kode Barang"));
        return out;
    }

private slots:
    void initTestCase()
    {
        if (!TestServers::available())
            QSKIP("no test servers");
        QVERIFY2(QFileInfo(program()).isExecutable(), qPrintable(program()));
    }

    void requests_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitStatus");
        // "DB|code" present and absent; "DB|code|title|value" cells; whether price columns show.
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<bool>("price");

        const QStringList none;
        auto add = [&](const char* name, const QStringList& args, int exitStatus,
                       const QStringList& present = {}, const QStringList& absent = {},
                       const QStringList& cells = {}, bool price = false) {
            QTest::newRow(name) << args << exitStatus << present << absent << cells << price;
        };
        add("three companies, csv", {"--desc", "kabel", "--format", "csv"}, 0,
            {"KRT|3-90031", "KRT|3-90001", "SOKA|3-90031", "SOKA|3-90032", "KW|3-90032"},
            {"KRT|3-90032", "KRT|1-90040", "KRT|8-90041", "KRT|3-90042", "KRT|3-90030"},
            {"KRT|3-90031|MEZANINE|300.00", "SOKA|3-90031|LTC|120.00", "KW|3-90031|WIP|15.00",
             "KRT|3-90001|IR|8.00", "SOKA|3-90001|IR|5.00",
             "KRT|3-90001|Deskripsi Barang|Kabel NYA 2.5 mm² Merah",
             "KRT|3-90001|Harga Barang|250.00"});
        add("same, json", {"--desc", "kabel", "--format", "json"}, 0,
            {"KRT|3-90031", "SOKA|3-90032", "KW|3-90032"}, {"KRT|3-90032"},
            {"KRT|3-90031|MEZANINE|300.00", "KRT|3-90001|IR|8.00"});
        add("price right 1", {"--code", "3-9000", "--nik", "100001", "--format", "json"}, 0,
            {"KRT|3-90001", "KRT|3-90002", "SOKA|3-90001"}, {},
            {"KRT|3-90001|HPP|150.00", "SOKA|3-90001|HPP|160.00", "KW|3-90001|HPP|170.00",
             "KRT|3-90002|HPP|0.00"},
            true);
        add("price right 0", {"--code", "3-9000", "--nik", "100002", "--format", "csv"}, 0,
            {"KRT|3-90001"});
        add("price right Y is no right", {"--code", "3-9000", "--nik", "100003", "--format", "csv"},
            0, {"KRT|3-90001"});
        add("KRT alone, short text", {"--desc", "ka", "--source", "krt", "--format", "csv"}, 0,
            {"KRT|3-90031"}, {"SOKA|3-90031"});
        add("KRT alone sorted by code",
            {"--desc", "", "--source", "krt", "--sort", "code", "--nik", "100001", "--format",
             "json"},
            0, {"KRT|3-90001", "KRT|5-90013"}, {}, {"KRT|3-90001|HPP|150.00"}, true);
        add("code class 2", {"--desc", "kabel", "--code-class", "2", "--format", "csv"}, 0,
            {"KRT|1-90040"}, {"KRT|3-90031"});
        add("code class 1", {"--desc", "kabel", "--code-class", "1", "--format", "csv"}, 0,
            {"KRT|1-90040", "KRT|3-90031"}, {"KRT|8-90041"});
        add("old stock by type", {"--type", "PANEL", "--source", "old", "--format", "csv"}, 0,
            {"OLD STOCK|7-50001"}, {"OLD STOCK|3-50003"},
            {"OLD STOCK|7-50001|QTY|12.00", "OLD STOCK|7-50001|MFD|2016",
             "OLD STOCK|7-50001|KONDISI|Baik", "OLD STOCK|7-50001|KETERANGAN|Ex gudang Kapuk",
             "OLD STOCK|7-50001|Tipe Barang|PANEL"});
        add("old stock with price",
            {"--type", "MCB", "--source", "old", "--nik", "100001", "--format", "json"}, 0,
            {"OLD STOCK|3-50003"}, {"OLD STOCK|7-50002"}, {"OLD STOCK|3-50003|HPP|150000.00"},
            true);
        add("nothing found", {"--desc", "tidak-ada-barang-ini", "--format", "csv"}, 1);
        add("unknown NIK", {"--desc", "kabel", "--nik", "999999"}, 2);
        add("NIK too short for the login", {"--desc", "kabel", "--nik", "12345"}, 2);
        add("short text for three companies", {"--desc", "ka"}, 2);
        add("type needs old stock", {"--type", "MCB"}, 2);
        add("no filter", {"--source", "krt"}, 2);
        add("two filters", {"--desc", "kabel", "--code", "3-9"}, 2);
        add("unknown option", {"--desc", "kabel", "--warehouse", "1"}, 2);
        add("bad format", {"--desc", "kabel", "--format", "xml"}, 2);
        add("bad server", {"--desc", "kabel", "--server", "host/99999"}, 2);
        add("missing value", {"--desc"}, 2);
        add("no server there", {"--desc", "kabel", "--server", "127.0.6.9/3051"}, 3);
    }
    void requests()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitStatus);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(QStringList, cells);
        QFETCH(bool, price);
        if (!args.contains(QStringLiteral("--server")))
            args << QStringLiteral("--server") << lanServer();
        const Run r = run(args);
        QVERIFY2(r.exit == exitStatus, r.err.constData());
        if (exitStatus >= 2) {
            QVERIFY(r.out.isEmpty());
            QVERIFY(r.err.startsWith("vidarera-stock: "));
            return;
        }
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        const QString format = args.value(args.indexOf(QStringLiteral("--format")) + 1);
        const QList<Row> rows = rowsOf(r.out, format);
        QCOMPARE(rows.isEmpty(), exitStatus == 1);
        const QStringList found = keys(rows);
        for (const QString& key : present)
            QVERIFY2(found.contains(key), qPrintable(key));
        for (const QString& key : absent)
            QVERIFY2(!found.contains(key), qPrintable(key));
        for (const QString& cell : cells) {
            const QStringList part = cell.split(QLatin1Char('|'));
            const qsizetype at = found.indexOf(part[0] + QLatin1Char('|') + part[1]);
            QVERIFY2(at >= 0, qPrintable(cell));
            QCOMPARE(rows[at].value(part[2]), part[3]);
        }
        for (const Row& row : rows) {
            QCOMPARE(row.contains(QStringLiteral("Harga Beli")), price);
            QCOMPARE(row.contains(QStringLiteral("HPP")), price);
        }
    }

    // Typed text that could break a statement: the rows are those of a CONTAINING with the
    // text as a bound parameter, company by company.
    void hostileFilters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("known"); // a row the text must find, if any
        QTest::newRow("quote") << QStringLiteral("d'Lux") << QStringLiteral("KRT|5-90013");
        QTest::newRow("quotes only") << QStringLiteral("'''") << QString();
        QTest::newRow("quotes and comment") << QStringLiteral("' or 1=1 --") << QString();
        QTest::newRow("double quote") << QStringLiteral("6\" P") << QStringLiteral("KRT|5-90013");
        QTest::newRow("percent") << QStringLiteral("%%%") << QString();
        QTest::newRow("2000 characters") << QString(2000, QLatin1Char('k')) << QString();
        QTest::newRow("superscript two") << QStringLiteral("mm²") << QStringLiteral("KRT|3-90001");
        QTest::newRow("slashed o") << QStringLiteral("Ø 3/4") << QStringLiteral("KRT|3-90002");
        QTest::newRow("half") << QStringLiteral("½\" G") << QStringLiteral("KRT|5-90017");
        QTest::newRow("outside the character set") << QStringLiteral("кабель") << QString();
    }
    void hostileFilters()
    {
        QFETCH(QString, text);
        QFETCH(QString, known);
        const Run r = run({"--desc", text, "--format", "csv", "--server", lanServer()});
        // Letters the databases' character set lacks are refused, as the database refuses
        // them: the search never runs with question marks in their place.
        if (!TextCodec().firstUnencodable(text).isNull()) {
            QCOMPARE(r.exit, 3);
            QVERIFY2(r.err.contains(text.left(1).toUtf8()), r.err.constData());
            return;
        }
        QVERIFY2(r.exit == 0 || r.exit == 1, r.err.constData());
        QStringList found = keys(rowsOf(r.out, QStringLiteral("csv")));

        const TestServers::Suffixes s = TestServers::suffixes();
        const QList<QPair<QString, QString>> companies{
            {QStringLiteral("KRT"), ConnectionSet::krtDatabase(s.krt)},
            {QStringLiteral("SOKA"), ConnectionSet::sokaDatabase(s.soka)},
            {QStringLiteral("KW"), ConnectionSet::kwDatabase(s.kw)}};
        QStringList expected;
        for (const auto& [company, database] : companies) {
            FbConnection connection;
            connection.setParams(
                TestServers::params(TestServers::lan(), ConnectionSet::kLanPort, database));
            FbQuery q(&connection);
            q.setSql(
                QStringLiteral("select ITEMNO from ITEM where ITEMDESCRIPTION containing "
                               "cast(:T as varchar(8000)) and ITEMTYPE = 0 and left(ITEMNO, 1) in "
                               "('3','5','7','9')"));
            q.setParam(QStringLiteral("T"), text);
            q.open();
            for (; !q.eof(); q.next())
                expected << company + QLatin1Char('|') +
                                q.field(QStringLiteral("ITEMNO")).toString();
        }
        found.sort();
        expected.sort();
        QCOMPARE(found, expected);
        QVERIFY(known.isEmpty() || found.contains(known));
    }

    // Without --server the servers come from Config.ini, chosen as the program chooses them;
    // the connect time-out comes from there too.
    void serversFromConfigIni()
    {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("vidarera-stock"));
        QVERIFY(QFile::copy(program(), copy));
        auto writeConfig = [&](const QString& lan) {
            QFile ini(dir.filePath(QStringLiteral("Config.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ini.write(
                "[Server]\r\nLAN=" + lan.toUtf8() + "\r\nHO=" + TestServers::headOffice().toUtf8() +
                "\r\nFallback=" + TestServers::fallback().toUtf8() + "\r\nConnectTimeout=2\r\n");
        };

        writeConfig(TestServers::lan());
        Run r = run({"--code", "3-90001", "--format", "csv"}, copy);
        QVERIFY2(r.exit == 0, r.err.constData());
        QVERIFY(keys(rowsOf(r.out, QStringLiteral("csv"))).contains(QStringLiteral("KRT|3-90001")));

        // A LAN address that answers the echo but serves no database: no other server is tried.
        writeConfig(QStringLiteral("127.0.6.9"));
        r = run({"--code", "3-90001"}, copy);
        QCOMPARE(r.exit, 3);
        QVERIFY2(r.err.contains("127.0.6.9/3051"), r.err.constData());

        // A server that takes the connection and never answers: the database error after the
        // two seconds of Config.ini, not the built-in ten.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress(QStringLiteral("127.0.6.5"))));
        QElapsedTimer clock;
        clock.start();
        r = run({"--code", "3-90001", "--server",
                 QStringLiteral("127.0.6.5/%1").arg(silent.serverPort())},
                copy);
        QCOMPARE(r.exit, 3);
        QVERIFY2(clock.elapsed() < 9000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestStockLookup)
#include "tst_stock_lookup.moc"
