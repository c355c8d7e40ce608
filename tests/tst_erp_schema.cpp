// vid_test: DB
#include "data/ConnectionSet.h"
#include "data/DbError.h"
#include "data/Decimal.h"
#include "data/FbConnection.h"
#include "data/FbQuery.h"
#include "stock/ItemToBuyStatements.h"
#include "stock/StockStatements.h"
#include "tests/support/TestServers.h"

#include <QFile>
#include <QHash>
#include <QtTest>

// The ERP objects the program's statements read: present with the columns read on the demo
// databases, computing what the statements rely on in a small fixture of our own, and the
// item-to-buy statements against the demo data.
namespace
{

enum Database { Control = 1, Krt = 2, Soka = 4, Kw = 8, Old = 16 };
constexpr int kCompanies = Krt | Soka | Kw;
constexpr int kStockDatabases = kCompanies | Old;

// An ERP object as the program invokes it: select the columns (behind the alias) from the source.
struct Probe {
    const char* object;
    int databases;
    QString alias, source;
    QStringList columns;
    bool oneRow; // the stock procedures answer with exactly one row, zeros included
};

const QString kFarDate = QStringLiteral("'12/30/2099'");

QList<Probe> probes()
{
    return {
        {"ITEM",
         kStockDatabases,
         "a",
         "from ITEM a",
         {"ITEMNO", "ITEMDESCRIPTION", "UNITPRICE", "PURCHPRICE", "ITEMTYPE", "NOTES", "RESERVED2",
          "RESERVED3", "RESERVED4", "RESERVED5", "MINIMUMQTY", "DeptID", "ProjectID", "CategoryID",
          "WarehouseID", "FirstParentItem", "IndentLevel", "RATIO2", "RATIO3"},
         false},
        {"GET_OBITEMS",
         kStockDatabases,
         "eb",
         "from GET_OBITEMS ('3-90001'," + kFarDate + ") eb",
         {"QTYBAL", "COSTBAL"},
         true},
        {"GetItemQuantity",
         kStockDatabases,
         "g",
         "from GetItemQuantity ('3-90001'," + kFarDate + ",-1) g",
         {"ITEMNO", "ItemNo_Qty"},
         true},
        {"GET_ITEMByWH",
         kStockDatabases,
         "a1",
         "from GET_ITEMByWH (" + kFarDate + ",'3-90001',1) a1",
         {"ItemNoWH", "QUANTITY"},
         true},
        {"GET_TOTITEMORDER",
         kStockDatabases,
         "ad",
         "from GET_TOTITEMORDER('3-90001', " + kFarDate + ") ad",
         {"ITEMNO", "ONORDER"},
         true},
        {"Get_TotItemSales",
         kStockDatabases,
         "az",
         "from Get_TotItemSales('3-90001', " + kFarDate + ") az",
         {"ITEMNO", "ONSALES"},
         true},
        {"IREQDET",
         kCompanies,
         "ir",
         "from IREQDET ir",
         {"ITEMNO", "QUANTITY", "QTYTRANSFERED", "CLOSED"},
         false},
        {"IsChild",
         kCompanies,
         "ic",
         "from IsChild('5-90020', 1) ic",
         {"ItemNo", "ChildCount"},
         true},
        {"item_indented",
         kCompanies,
         "i",
         "from item_indented('5-90023') i",
         {"ItemNo_Indent", "Item_indent"},
         true},
        {"Department", kStockDatabases, "DDept", "from Department DDept", {"DeptID"}, false},
        {"Project", kStockDatabases, "DProj", "from Project DProj", {"ProjectID"}, false},
        {"ItemCategory",
         kStockDatabases,
         "ICat",
         "from ItemCategory ICat",
         {"CategoryID", "NAME"},
         false},
        {"WareHS", kStockDatabases, "DWHI", "from WareHS DWHI", {"WarehouseID"}, false},
        {"Currency", kCompanies, "L", "from Currency L", {"CurrencyID", "CurrencyName"}, false},
        {"Salesman",
         kCompanies,
         "S",
         "from Salesman S",
         {"SalesmanID", "FIRSTNAME", "JOBTITLE", "BUSINESSPHONE"},
         false},
        {"ARINV",
         kCompanies,
         "M",
         "from ARINV M",
         {"ARINVOICEID", "INVOICENO", "INVOICEDATE", "SalesmanID", "TermsID", "Tax1ID", "Tax2ID",
          "Shipvia", "CustomerID", "WarehouseID", "FreightAccnt", "CurrencyID", "DeliveryOrder",
          "ROUNDEDTAX1AMOUNT", "INVOICEAMOUNT", "PAIDAMOUNT", "TERMDISCOUNT", "RETURNAMOUNT",
          "OWING"},
         false},
        {"sales_BySalesmansum",
         kCompanies,
         "V",
         "from Salesman S left outer join sales_BySalesmansum(S.SalesmanID, 2, :FIRST, :LAST) V "
         "on V.SalesmanID=S.SalesmanID where V.SalesmanID is not null",
         {"SalesmanID", "CurrencyID", "INVAMTBEFORETAX", "BASETAXINVAMT", "INVOICEAMOUNT",
          "PAIDAMOUNT", "TAXPAIDAMOUNT", "PRIMEOWING", "BASEOWING"},
         false},
        {"View_ARINVDET",
         kCompanies,
         "V",
         "from ARINV M left outer join View_ARINVDET(M.ARINVOICEID, null, 0, M.ARInvoiceID) V "
         "on M.ARINVOICEID=V.ARINVOICEID",
         {"ARINVOICEID", "INVAMTBEFORETAX", "PrimeOwing"},
         false},
        {"LookUp_PurcSales",
         kCompanies,
         "L",
         "from ARINV M left outer join LookUp_PurcSales(M.SalesmanID, M.TermsID, M.Tax1ID, "
         "M.Tax2ID, M.Shipvia, M.CustomerID, M.WarehouseID, M.FreightAccnt) L "
         "on M.SalesmanID=L.SalesmanID",
         {"SalesmanID", "TermID", "Tax1ID", "Tax2ID", "Shipvia", "PersonID", "WarehouseID",
          "FreightAccnt", "PERSONNAME", "SALESMANNAME", "TYPENAME"},
         false},
        {"AUDITXML",
         kCompanies,
         "r",
         "FROM AUDITXML r order by r.AUDITID desc",
         {"AUDITID", "MODIDATE"},
         false},
        {"EXTENDEDDET",
         Control,
         "e",
         "from EXTENDEDDET e",
         {"EXTENDEDDETID", "EXTENDEDTYPEID", "INFO1",  "INFO2",  "INFO3",  "INFO4",  "INFO5",
          "INFO6",         "INFO7",          "INFO8",  "INFO9",  "INFO10", "INFO11", "INFO12",
          "INFO13",        "INFO14",         "INFO15", "INFO16", "INFO17", "INFO18", "INFO19"},
         false},
    };
}

// The open's error message, empty when it opened.
QString tryOpen(FbQuery& query)
{
    try {
        query.open();
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

// Why a value read from a result is not the expected number; empty when it is. NULL, and
// what a missing row or column reads as, is never a number, not even 0.
QString numberMismatch(const QVariant& value, const QString& expected)
{
    if (value.isNull())
        return QStringLiteral("NULL instead of %1").arg(expected);
    const Decimal got = value.metaType() == QMetaType::fromType<Decimal>()
                            ? value.value<Decimal>()
                            : Decimal::fromString(value.toString());
    if (got == Decimal::fromString(expected))
        return {};
    return QStringLiteral("%1 instead of %2").arg(value.toString(), expected);
}

// Every row of an open query, fetched.
int rowCount(FbQuery& query)
{
    while (query.fetchMore(256) > 0) {
    }
    return query.fetchedRows();
}

// A few hand-made rows, each there to show one rule. Cut-off dates are inclusive.
const char* const kFixtureRows = R"(
insert into WAREHS values (0, 'KAPUK', null);
insert into WAREHS values (1, 'LTC', null);
insert into WAREHS values (2, 'MEZANINE', null);
insert into WAREHS values (3, 'BOOKING', null);
insert into WAREHS values (4, 'RAK', null);
insert into WAREHS values (5, 'PEC', null);
insert into WAREHS values (6, 'PRODUKSI', null);
insert into WAREHS values (11, 'WIP', null);

insert into ITEM (ITEMNO, ITEMDESCRIPTION, FIRSTPARENTITEM) values ('3-FX001', 'Fixture average cost', '3-FX001');
insert into ITEM (ITEMNO, ITEMDESCRIPTION, FIRSTPARENTITEM) values ('3-FX002', 'Fixture sold out', '3-FX002');
insert into ITEM (ITEMNO, ITEMDESCRIPTION, FIRSTPARENTITEM) values ('3-FX003', 'Fixture free goods', '3-FX003');
insert into ITEM (ITEMNO, ITEMDESCRIPTION, FIRSTPARENTITEM) values ('5-FX004', 'Fixture orders', '5-FX004');

/* 3-FX001: 4 pieces worth 600 by 01/31/2025 (LTC 3, RAK 1), 6 more worth 1200 on 02/01/2025. */
insert into ITEMHIST values (1, '3-FX001', 1, '2025-01-10', 1, 3, 450, null);
insert into ITEMHIST values (2, '3-FX001', 4, '2025-01-10', 1, 1, 150, null);
insert into ITEMHIST values (3, '3-FX001', 1, '2025-02-01', 1, 6, 1200, null);
/* 3-FX002: 5 worth 75000, all gone on 02/20/2025 leaving a cost of 35. */
insert into ITEMHIST values (4, '3-FX002', 0, '2025-01-05', 1, 5, 75000, null);
insert into ITEMHIST values (5, '3-FX002', 0, '2025-02-20', 2, -5, -74965, null);
/* 3-FX003: 10 received at no cost. */
insert into ITEMHIST values (6, '3-FX003', 4, '2025-01-05', 1, 10, 0, null);

/* 5-FX004: 20 ordered on 04/01 (8 received on 04/20), a closed line of 50, and a line of 5
   ordered on 04/10 that received 7 on 04/15. */
insert into PO values (1, 'PO-1', '2025-04-01', null, null);
insert into PO values (2, 'PO-2', '2025-04-10', null, null);
insert into PODET values (1, 1, 1, '5-FX004', 20, 0, 0);
insert into PODET values (2, 1, 2, '5-FX004', 50, 0, 1);
insert into PODET values (3, 2, 1, '5-FX004', 5, 0, 0);
insert into RI values (1, 'RI-1', '2025-04-20', null);
insert into RI values (2, 'RI-2', '2025-04-15', null);
insert into RIDET values (1, 1, 1, '5-FX004', 8, 1);
insert into RIDET values (2, 2, 3, '5-FX004', 7, 1);
/* 5 sold on 05/02 (2 delivered on 05/06) and a closed line of 9. */
insert into SO values (1, 'SO-1', '2025-05-02', null, null);
insert into SODET values (1, 1, 1, '5-FX004', 5, 0, 0);
insert into SODET values (2, 1, 2, '5-FX004', 9, 0, 1);
insert into ARINV (ARINVOICEID, INVOICENO, INVOICEDATE, CUSTOMERID, CURRENCYID)
    values (1, 'INV-1', '2025-05-06', 1, 2);
insert into ARINVDET values (1, 1, 1, '5-FX004', 2, 100, 0, 200, 1, 1);

/* Requests for 3-FX001: open 7 (2 moved) and 3, closed 4. */
insert into IREQ values (1, 'IR-1', '2025-01-20', 0, 1, null);
insert into IREQDET values (1, 1, 1, '3-FX001', 7, 2, '0');
insert into IREQDET values (2, 1, 2, '3-FX001', 3, 0, '0');
insert into IREQDET values (3, 1, 3, '3-FX001', 4, 0, '1');

/* A tree whose codes sort otherwise than its order: 5-FX029 over 5-FX025 (over 5-FX027)
   and 5-FX022. */
insert into ITEM (ITEMNO, ITEMDESCRIPTION, ITEMTYPE, PARENTITEM, FIRSTPARENTITEM, INDENTLEVEL)
    values ('5-FX029', 'Fixture group', 3, null, '5-FX029', 0);
insert into ITEM (ITEMNO, ITEMDESCRIPTION, ITEMTYPE, PARENTITEM, FIRSTPARENTITEM, INDENTLEVEL)
    values ('5-FX025', 'Fixture child', 0, '5-FX029', '5-FX029', 1);
insert into ITEM (ITEMNO, ITEMDESCRIPTION, ITEMTYPE, PARENTITEM, FIRSTPARENTITEM, INDENTLEVEL)
    values ('5-FX027', 'Fixture grandchild', 0, '5-FX025', '5-FX029', 2);
insert into ITEM (ITEMNO, ITEMDESCRIPTION, ITEMTYPE, PARENTITEM, FIRSTPARENTITEM, INDENTLEVEL)
    values ('5-FX022', 'Fixture second child', 0, '5-FX029', '5-FX029', 1);
commit;
)";

} // namespace

class TestErpSchema : public QObject
{
    Q_OBJECT

private:
    TestServers::Suffixes suffixes;
    ConnectionParams fixture;
    // Item-to-buy master rows of company A by item code, and the codes in their order.
    QHash<QString, QVariantHash> toBuy;
    QStringList toBuyOrder;

    QString path(Database db) const
    {
        switch (db) {
        case Control:
            return ConnectionSet::controlDatabase();
        case Krt:
            return ConnectionSet::krtDatabase(suffixes.krt);
        case Soka:
            return ConnectionSet::sokaDatabase(suffixes.soka);
        case Kw:
            return ConnectionSet::kwDatabase(suffixes.kw);
        case Old:
            return ConnectionSet::oldStockDatabase();
        }
        return {};
    }
    ConnectionParams demo(Database db) const
    {
        return TestServers::params(TestServers::lan(), ConnectionSet::kLanPort, path(db));
    }

    static void setLines(FbQuery& query, const QStringList& lines)
    {
        query.clearSql();
        for (const QString& line : lines)
            query.addSql(line);
    }

    bool applyToFixture(const QString& sqlFileOrText)
    {
        QString output;
        const int code = TestServers::runIsql(TestServers::lan(), ConnectionSet::kLanPort,
                                              fixture.database, sqlFileOrText, &output);
        if (code == 0 && !output.contains(QLatin1String("Statement failed")))
            return true;
        qWarning("isql exit %d: %s", code, qPrintable(output));
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        suffixes = TestServers::suffixes();
        QVERIFY(!suffixes.krt.isEmpty());

        // The fixture gets the schema as the demo databases get it: tables and procedures,
        // the rows, then keys and indexes.
        const QString file = TestServers::scratchDir() + QStringLiteral("/erp-fixture.fdb");
        QFile::remove(file);
        fixture = TestServers::params(TestServers::lan(), ConnectionSet::kLanPort, file);
        FbConnection::createDatabase(fixture);
        QVERIFY(applyToFixture(TestServers::sourceFile(QStringLiteral("db/erp-tables.sql"))));
        QVERIFY(applyToFixture(TestServers::sourceFile(QStringLiteral("db/erp-procedures.sql"))));
        QVERIFY(applyToFixture(QString::fromUtf8(kFixtureRows)));
        QVERIFY(applyToFixture(TestServers::sourceFile(QStringLiteral("db/erp-indexes.sql"))));
    }

    // ---- every ERP object the program reads, on every database that has to offer it ----

    void interface_data()
    {
        QTest::addColumn<int>("database");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<bool>("oneRow");
        const QList<QPair<Database, const char*>> databases{
            {Control, "EDP"}, {Krt, "KRT"}, {Soka, "SOKA"}, {Kw, "KW"}, {Old, "OLD"}};
        for (const Probe& probe : probes()) {
            QStringList selected;
            for (const QString& column : probe.columns)
                selected += probe.alias + QLatin1Char('.') + column;
            const QString sql = QStringLiteral("select ") + selected.join(QStringLiteral(", ")) +
                                QLatin1Char(' ') + probe.source;
            for (const auto& [db, name] : databases) {
                if (probe.databases & db)
                    QTest::addRow("%s %s", name, probe.object)
                        << int(db) << sql << probe.columns << probe.oneRow;
            }
        }
    }
    void interface()
    {
        QFETCH(int, database);
        QFETCH(QString, sql);
        QFETCH(QStringList, columns);
        QFETCH(bool, oneRow);
        FbConnection connection;
        connection.setParams(demo(Database(database)));
        FbQuery query(&connection);
        query.setSql(sql);
        if (query.paramNames().contains(QStringLiteral("FIRST"))) {
            query.setParam(QStringLiteral("FIRST"), QDate(2000, 1, 1));
            query.setParam(QStringLiteral("LAST"), QDate(2030, 1, 1));
        }
        const QString error = tryOpen(query);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const QString& column : columns)
            QVERIFY2(query.fieldIndex(column) >= 0, qPrintable(column));
        QVERIFY2(!query.eof(), "no row");
        if (oneRow)
            QCOMPARE(rowCount(query), 1);
    }

    // ---- what the procedures compute, on the fixture ----

    void procedures_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        auto add = [](const char* name, const char* sql, const char* column, const char* value) {
            QTest::newRow(name) << QString::fromLatin1(sql) << QString::fromLatin1(column)
                                << QString::fromLatin1(value);
        };
        add("quantity before any movement",
            "select QTYBAL from GET_OBITEMS('3-FX001', '01/09/2025')", "QTYBAL", "0");
        add("quantity before a movement", "select QTYBAL from GET_OBITEMS('3-FX001', '01/31/2025')",
            "QTYBAL", "4");
        add("cost before a movement", "select COSTBAL from GET_OBITEMS('3-FX001', '01/31/2025')",
            "COSTBAL", "600");
        add("quantity on the movement's day",
            "select QTYBAL from GET_OBITEMS('3-FX001', '02/01/2025')", "QTYBAL", "10");
        add("all warehouses before",
            "select QUANTITY from GetItemQuantity('3-FX001', '01/31/2025', -1)", "QUANTITY", "4");
        add("all warehouses after",
            "select QUANTITY from GetItemQuantity('3-FX001', '02/01/2025', -1)", "QUANTITY", "10");
        add("LTC before", "select QUANTITY from GET_ITEMByWH('01/31/2025', '3-FX001', 1)",
            "QUANTITY", "3");
        add("LTC after", "select QUANTITY from GET_ITEMByWH('02/01/2025', '3-FX001', 1)",
            "QUANTITY", "9");
        add("RAK", "select QUANTITY from GET_ITEMByWH('02/01/2025', '3-FX001', 4)", "QUANTITY",
            "1");
        add("unknown item", "select QUANTITY from GetItemQuantity('X-NONE', '12/12/2099', -1)",
            "QUANTITY", "0");
        add("nothing ordered yet", "select ONORDER from GET_TOTITEMORDER('5-FX004', '03/31/2025')",
            "ONORDER", "0");
        add("ordered, closed line left out",
            "select ONORDER from GET_TOTITEMORDER('5-FX004', '04/01/2025')", "ONORDER", "20");
        add("second order", "select ONORDER from GET_TOTITEMORDER('5-FX004', '04/10/2025')",
            "ONORDER", "25");
        add("over-received line counts 0",
            "select ONORDER from GET_TOTITEMORDER('5-FX004', '04/15/2025')", "ONORDER", "20");
        add("partial receipt", "select ONORDER from GET_TOTITEMORDER('5-FX004', '04/20/2025')",
            "ONORDER", "12");
        add("nothing sold yet", "select ONSALES from Get_TotItemSales('5-FX004', '05/01/2025')",
            "ONSALES", "0");
        add("sold, closed line left out",
            "select ONSALES from Get_TotItemSales('5-FX004', '05/05/2025')", "ONSALES", "5");
        add("partial delivery", "select ONSALES from Get_TotItemSales('5-FX004', '05/06/2025')",
            "ONSALES", "3");
        add("direct children", "select ChildCount from IsChild('5-FX029', 1)", "ChildCount", "2");
        add("all descendants", "select ChildCount from IsChild('5-FX029', 0)", "ChildCount", "3");
        add("leaf", "select ChildCount from IsChild('5-FX027', 1)", "ChildCount", "0");
    }
    void procedures()
    {
        QFETCH(QString, sql);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        FbConnection connection;
        connection.setParams(fixture);
        FbQuery query(&connection);
        query.setSql(sql);
        const QString error = tryOpen(query);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!query.eof());
        const QString mismatch = numberMismatch(query.field(column), expected);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QCOMPARE(rowCount(query), 1);
    }

    // Sorting on the indented path puts every parent right before its children.
    void treeOrder()
    {
        FbConnection connection;
        connection.setParams(fixture);
        FbQuery query(&connection);
        query.setSql(QStringLiteral(
            "select i.ItemNo_Indent from ITEM a\r\n"
            "left outer join item_indented(a.ItemNo) i on a.ItemNo = i.ItemNo_Indent\r\n"
            "where a.ITEMNO starting with '5-FX02'\r\n"
            "order by a.FirstParentItem, i.Item_indent"));
        const QString error = tryOpen(query);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QStringList order;
        for (; !query.eof(); query.next())
            order += query.field(QStringLiteral("ItemNo_Indent")).toString();
        QCOMPARE(order, (QStringList{"5-FX029", "5-FX022", "5-FX025", "5-FX027"}));
    }

    // ---- the stock statements on the fixture ----

    void averageCost_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("cutoff");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");
        const QList<QPair<StockSource, const char*>> sources{
            {StockSource::KrtOnly, "KRT only"}, {StockSource::AllCompanies, "three companies"}};
        for (const auto& [source, name] : sources) {
            auto add = [&](const char* row, const char* cutoff, const char* item,
                           const char* value) {
                QTest::addRow("%s, %s", name, row)
                    << int(source) << QString::fromLatin1(cutoff) << QString::fromLatin1(item)
                    << QString::fromLatin1(value);
            };
            add("600 over 4", "01/31/2025", "3-FX001", "150.00");
            add("1800 over 10", "02/01/2025", "3-FX001", "180.00");
            add("no stock yet", "01/09/2025", "3-FX001", "0");
            add("quantity 0 with cost left", "02/20/2025", "3-FX002", "0");
            add("before the sale", "01/31/2025", "3-FX002", "15000.00");
            add("cost 0", "01/31/2025", "3-FX003", "0");
        }
    }
    void averageCost()
    {
        QFETCH(int, source);
        QFETCH(QString, cutoff);
        QFETCH(QString, item);
        QFETCH(QString, expected);
        const auto s = StockSource(source);
        StockFilters filters;
        filters.cutoff = cutoff;
        filters.code = item;
        FbConnection connection;
        connection.setParams(fixture);
        FbQuery query(&connection);
        setLines(query, stockStatement(s, QString(kSuffixKrt), filters));
        const QString error = tryOpen(query);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!query.eof());
        QCOMPARE(query.field(QStringLiteral("ITEMNO")).toString(), item);
        const QVariant hpp = query.field(costColumn(s, QString(kSuffixKrt)));
        // Exact, not through a double: the division of two NUMERIC(18,2) keeps its decimals.
        QCOMPARE(hpp.metaType(), QMetaType::fromType<Decimal>());
        QVERIFY2(hpp.value<Decimal>() == Decimal::fromString(expected),
                 qPrintable(hpp.value<Decimal>().toString()));
        QCOMPARE(rowCount(query), 1);
    }

    // The three-company statement of company A: open requests summed, one row per item despite
    // the joined request lines, the warehouse and order columns of the procedures.
    void threeCompanyRow_data()
    {
        QTest::addColumn<QString>("cutoff");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        auto add = [](const char* name, const char* cutoff, const char* item, const char* column,
                      const char* value) {
            QTest::newRow(name) << QString::fromLatin1(cutoff) << QString::fromLatin1(item)
                                << QString::fromLatin1(column) << QString::fromLatin1(value);
        };
        add("IR over open lines", "01/31/2025", "3-FX001", "IR_KRT", "8");
        add("IR without requests", "01/31/2025", "3-FX002", "IR_KRT", "0");
        add("LTC", "01/31/2025", "3-FX001", "LTC_KRT", "3");
        add("RAK", "01/31/2025", "3-FX001", "RAK_KRT", "1");
        add("KAPUK", "01/31/2025", "3-FX001", "KAPUK_KRT", "0");
        add("LTC after the receipt", "02/01/2025", "3-FX001", "LTC_KRT", "9");
        add("on order", "04/20/2025", "5-FX004", "ONPO_KRT", "12");
        add("on sales order", "05/06/2025", "5-FX004", "ONSO_KRT", "3");
    }
    void threeCompanyRow()
    {
        QFETCH(QString, cutoff);
        QFETCH(QString, item);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        StockFilters filters;
        filters.cutoff = cutoff;
        filters.code = item;
        FbConnection connection;
        connection.setParams(fixture);
        FbQuery query(&connection);
        setLines(query, stockStatement(StockSource::AllCompanies, QString(kSuffixKrt), filters));
        const QString error = tryOpen(query);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!query.eof());
        const QString mismatch = numberMismatch(query.field(column), expected);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QCOMPARE(rowCount(query), 1);
    }

    // ---- the item-to-buy statements on the demo databases ----

    void itemToBuyMaster()
    {
        FbConnection connection;
        connection.setParams(demo(Krt));
        FbQuery query(&connection);
        setLines(query, itemToBuyMasterStatement());
        const QString error = tryOpen(query);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const char* column : {"ITEMNO", "ITEMDESCRIPTION", "PURCHPRICE", "CATEGORY", "SUBCAT",
                                   "CHILDCOUNT", "MINIMUMQTY", "ONSALES", "ONORDER", "LTC",
                                   "MEZANINE", "BOOKING", "RAK", "STOCKREMINDER"})
            QVERIFY2(query.fieldIndex(QLatin1String(column)) >= 0, column);
        for (; !query.eof(); query.next()) {
            QVariantHash row;
            for (const QString& name : query.fieldNames())
                row.insert(name.toUpper(), query.field(name));
            const QString item = row.value(QStringLiteral("ITEMNO")).toString();
            toBuy.insert(item, row);
            toBuyOrder += item;
        }
        QVERIFY(toBuyOrder.size() > 9);
        // Tree order: the children of one group together, a child's child right after it.
        const qsizetype first = toBuyOrder.indexOf(QStringLiteral("5-90021"));
        QVERIFY(first >= 0);
        QCOMPARE(toBuyOrder.mid(first, 3), (QStringList{"5-90021", "5-90023", "5-90022"}));
    }

    void itemToBuyMasterRow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected"); // empty: the item is not listed
        auto add = [](const char* item, const char* column, const char* value) {
            QTest::addRow("%s %s", item, column ? column : "not listed")
                << QString::fromLatin1(item) << QString::fromLatin1(column)
                << QString::fromLatin1(value);
        };
        add("5-90010", "STOCKREMINDER", "-10");
        add("5-90011", "STOCKREMINDER", "-8");
        add("5-90011", "LTC", "2");
        add("5-90012", "STOCKREMINDER", "-10"); // its 50 in Booking do not count
        add("5-90012", "BOOKING", "50");
        add("5-90013", "STOCKREMINDER", "-4");
        add("5-90015", "STOCKREMINDER", "-10");
        add("5-90017", "STOCKREMINDER", "-8");
        add("5-90017", "MINIMUMQTY", "20");
        add("5-90017", "ONORDER", "10");
        add("5-90017", "ONSALES", "3");
        add("5-90017", "BOOKING", "100");
        add("5-90021", "STOCKREMINDER", "-5");
        add("5-90021", "CHILDCOUNT", "1");
        add("5-90023", "STOCKREMINDER", "-2");
        add("5-90014", nullptr, nullptr); // minimum 0
        add("5-90016", nullptr, nullptr); // no minimum
        add("5-90018", nullptr, nullptr); // enough stock
        add("3-90001", nullptr, nullptr); // no minimum
    }
    void itemToBuyMasterRow()
    {
        QFETCH(QString, item);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        QVERIFY2(!toBuyOrder.isEmpty(), "the master statement did not run");
        if (column.isEmpty()) {
            QVERIFY(!toBuy.contains(item));
            return;
        }
        QVERIFY2(toBuy.contains(item), "not listed");
        const QString mismatch = numberMismatch(toBuy.value(item).value(column), expected);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void itemToBuyDetail_data()
    {
        QTest::addColumn<int>("database");
        QTest::addColumn<QString>("item");
        // LTC, MEZANINE, BOOKING, RAK, ONORDER, TOTQTY; empty: no row
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("reminder"); // StockReminder not null (the company has a minimum)
        QTest::newRow("SOKA LTC") << int(Soka) << "5-90011"
                                  << QStringList{"5", "0", "0", "0", "0", "5"} << false;
        QTest::newRow("KW MEZANINE")
            << int(Kw) << "5-90011" << QStringList{"0", "4", "0", "0", "0", "4"} << false;
        QTest::newRow("SOKA BOOKING")
            << int(Soka) << "5-90015" << QStringList{"0", "0", "20", "0", "0", "20"} << false;
        QTest::newRow("KW nothing")
            << int(Kw) << "5-90015" << QStringList{"0", "0", "0", "0", "0", "0"} << false;
        QTest::newRow("SOKA absent") << int(Soka) << "5-90013" << QStringList{} << false;
        QTest::newRow("KW absent") << int(Kw) << "5-90013" << QStringList{} << false;
        QTest::newRow("KRT with minimum")
            << int(Krt) << "5-90017" << QStringList{"5", "0", "100", "0", "10", "112"} << true;
    }
    void itemToBuyDetail()
    {
        QFETCH(int, database);
        QFETCH(QString, item);
        QFETCH(QStringList, expected);
        QFETCH(bool, reminder);
        FbConnection connection;
        connection.setParams(demo(Database(database)));
        FbQuery query(&connection);
        setLines(query, itemToBuyDetailStatement());
        query.setParam(QStringLiteral("ITEMNO"), item);
        const QString error = tryOpen(query);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        if (expected.isEmpty()) {
            QVERIFY(query.eof());
            return;
        }
        QVERIFY(!query.eof());
        const char* columns[] = {"LTC", "MEZANINE", "BOOKING", "RAK", "ONORDER", "TOTQTY"};
        for (int i = 0; i < 6; ++i) {
            const QString mismatch =
                numberMismatch(query.field(QLatin1String(columns[i])), expected.at(i));
            QVERIFY2(mismatch.isEmpty(), qPrintable(columns[i] + QStringLiteral(": ") + mismatch));
        }
        QCOMPARE(query.field(QStringLiteral("STOCKREMINDER")).isNull(), !reminder);
        QCOMPARE(rowCount(query), 1);
    }
};

QTEST_GUILESS_MAIN(TestErpSchema)
#include "tst_erp_schema.moc"
