// vid_test: DB
#include "data/ConnectionSet.h"
#include "data/ControlRecords.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "sales/ReceivablesStatements.h"
#include "tests/support/TestServers.h"

#include <QtTest>

// The receivables statements as login completes them with the user's sales filter, run on
// company KRT's demo data (db/README.md, "Receivables").
namespace
{

using Row = QVariantHash; // upper-case field name -> value

// Every row of the statement; *error gets the server's message when it fails.
QList<Row> rowsOf(FbConnection& connection, const QStringList& lines, QString* error)
{
    FbQuery query(&connection);
    for (const QString& line : lines)
        query.addSql(line);
    QList<Row> rows;
    try {
        for (query.open(); !query.eof(); query.next()) {
            Row row;
            for (const QString& name : query.fieldNames())
                row.insert(name.toUpper(), query.field(name));
            rows << row;
        }
    } catch (const DbError& e) {
        *error = e.message();
    }
    return rows;
}

QStringList column(const QList<Row>& rows, const char* name)
{
    QStringList values;
    for (const Row& row : rows)
        values << row.value(QLatin1String(name)).toString();
    return values;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

Q_DECLARE_METATYPE(SalesScope)

class TestReceivablesDb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(TestServers::available(), "test servers not configured"); }

    void filteredStatements_data()
    {
        QTest::addColumn<SalesScope>("scope");
        QTest::addColumn<QStringList>("members");  // the team lookup's answer, in its order
        QTest::addColumn<QStringList>("salesmen"); // in both results; KRT has no Hendra
        QTest::newRow("all salesmen") << SalesScope{"1", "", "", "", ""} << QStringList{}
                                      << QStringList{"Andi",  "Budi", "Citra",  "Dewi",  "Eko",
                                                     "Fajar", "Gita", "Kantor", "Ma'ruf"};
        QTest::newRow("two teams") << SalesScope{"Andi", "", "Team Proyek", "Team Retail", ""}
                                   << QStringList{"Andi", "Budi", "Citra", "Dewi", "Eko"}
                                   << QStringList{"Andi", "Budi", "Citra", "Dewi", "Eko"};
        QTest::newRow("five names, one with a quote")
            << SalesScope{"Andi", "Ma'ruf", "", "", ""} << QStringList{}
            << QStringList{"Andi", "Ma'ruf"};
    }
    void filteredStatements()
    {
        QFETCH(SalesScope, scope);
        QFETCH(QStringList, members);
        QFETCH(QStringList, salesmen);

        // The team members, read as login reads them.
        QStringList found;
        if (scope.sales1 != QLatin1String("1")) {
            FbConnection control;
            control.setParams(TestServers::lanControl());
            FbQuery lookup(&control);
            lookup.setSql(teamLookupStatement(scope));
            try {
                for (lookup.open(); !lookup.eof(); lookup.next())
                    found << ControlRecords::memberName(lookup);
            } catch (const DbError& e) {
                QFAIL(qPrintable(e.message()));
            }
        }
        QCOMPARE(found, members);
        const FilterLines filter = salesFilterLines(scope, found);

        FbConnection krt;
        krt.setParams(TestServers::params(TestServers::lan(), ConnectionSet::kLanPort,
                                          ConnectionSet::krtDatabase(TestServers::suffixes().krt)));

        // Summary: one IDR row per salesman with invoices; Andi's all-time figures.
        QString error;
        const QList<Row> summary = rowsOf(krt, summaryStatementStart() + filter.summary, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(sorted(column(summary, "FIRSTNAME")), salesmen);
        QCOMPARE(column(summary, "CURRENCYNAME"), QStringList(salesmen.size(), "IDR"));
        const Row andi = summary.value(column(summary, "FIRSTNAME").indexOf("Andi"));
        QCOMPARE(andi.value("INVOICEAMOUNT").toString(), QStringLiteral("3885000.00"));
        QCOMPARE(andi.value("PRIMEOWING").toString(), QStringLiteral("2675000.00"));

        // Detail: per customer of each salesman, invoices still owed, ordered by salesman.
        const QList<Row> detail = rowsOf(krt, detailStatementStart() + filter.detail, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QStringList names = column(detail, "SALESMANNAME");
        QCOMPARE(names, sorted(names));
        QStringList distinct = names;
        distinct.removeDuplicates();
        QCOMPARE(distinct, salesmen);
        QList<QStringList> andiRows;
        for (const Row& row : detail)
            if (row.value("SALESMANNAME").toString() == QLatin1String("Andi"))
                andiRows << QStringList{
                    row.value("PERSONNAME").toString(), row.value("INVOICE_SI").toString(),
                    row.value("PAID_SI").toString(), row.value("OUTSTANDING_SI").toString(),
                    row.value("RETUR_SI").toString()};
        QCOMPARE(andiRows, (QList<QStringList>{
                               {"Toko Pak'De", "2775000.00", "0.00", "2675000.00", "100000.00"}}));
    }
};

QTEST_GUILESS_MAIN(TestReceivablesDb)
#include "tst_receivables_db.moc"
