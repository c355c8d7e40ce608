#include "stock/StockStatements.h"

#include <QRegularExpression>
#include <QTest>

// Golden statements, written out in full from the stock check's description.
namespace golden
{

const QString kWarehousesKrt = QStringLiteral(
    "(select a0.QUANTITY KAPUK_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,0) a0 on g.ItemNo_Qty = a0.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) KAPUK_KRT"
    ",(select a1.QUANTITY LTC_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,1) a1 on g.ItemNo_Qty = a1.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) LTC_KRT"
    ",(select a2.QUANTITY MEZANINE_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,2) a2 on g.ItemNo_Qty = a2.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) MEZANINE_KRT"
    ",(select a3.QUANTITY BOOKING_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,3) a3 on g.ItemNo_Qty = a3.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) BOOKING_KRT"
    ",(select a5.QUANTITY PEC_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,5) a5 on g.ItemNo_Qty = a5.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) PEC_KRT"
    ",(select a6.QUANTITY PRODUKSI_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,6) a6 on g.ItemNo_Qty = a6.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) PRODUKSI_KRT"
    ",(select a7.QUANTITY WIP_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,11) a7 on g.ItemNo_Qty = a7.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) WIP_KRT"
    ",(select a4.QUANTITY RAK_KRT from GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join "
    "GET_ITEMByWH ('09/29/2025',a.ITEMNO,4) a4 on g.ItemNo_Qty = a4.ItemNoWH where 1=1 and "
    "g.ITEMNO = a.ITEMNO) RAK_KRT");

const QString kAverageCost = QStringLiteral(
    "CASE WHEN (SELECT eb.QTYBAL FROM GET_OBITEMS (a.ITEMNO,'09/29/2025') eb) = 0 THEN 0 "
    "WHEN (SELECT eb.COSTBAL FROM GET_OBITEMS (a.ITEMNO,'09/29/2025') eb) = 0 THEN 0 "
    "ELSE (SELECT eb.COSTBAL FROM GET_OBITEMS (a.ITEMNO,'09/29/2025') eb) / "
    "(SELECT eb.QTYBAL FROM GET_OBITEMS (a.ITEMNO,'09/29/2025') eb) END AS ");

// Three companies, company A, description "kabel", default code class and sort.
QStringList allCompaniesKrt()
{
    return {QStringLiteral("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, "
                           "coalesce(sum(ir.QUANTITY - ir.QTYTRANSFERED),0) AS IR_KRT, "
                           "a.PURCHPRICE,") +
                kAverageCost +
                QStringLiteral("HPP_KRT, ad.ONORDER ONPO_KRT, az.ONSALES ONSO_KRT,") +
                kWarehousesKrt +
                QStringLiteral(
                    " from item a LEFT OUTER JOIN GET_TOTITEMORDER(a.ITEMNO, '09/29/2025') AD "
                    "on AD.ITEMNO = a.ITEMNO LEFT OUTER JOIN Get_TotItemSales(a.ITEMNO, "
                    "'09/29/2025') AZ on AZ.ITEMNO = a.ITEMNO LEFT OUTER JOIN IREQDET ir ON "
                    "ir.ITEMNO = a.ITEMNO AND ir.CLOSED = '0' where a.ITEMDESCRIPTION "
                    "containing 'kabel'and a.ITEMNO containing ''"),
            QStringLiteral("and a.ITEMTYPE=0"),
            QStringLiteral("and left (a.ITEMNO,1) in('3','5','7','9')"),
            QStringLiteral("GROUP BY a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE, "
                           "az.ONSALES, ad.ONORDER"),
            QStringLiteral("Order by a.ITEMDESCRIPTION asc")};
}

QStringList withSuffix(QStringList lines, const QString& suffix)
{
    for (QString& line : lines)
        line.replace(QStringLiteral("_KRT"), QLatin1Char('_') + suffix);
    return lines;
}

// KRT only, code "3A-1", all code classes, sorted by code.
QStringList krtOnly()
{
    return {QStringLiteral("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE,") +
                kAverageCost + QStringLiteral("HPP ,ad.ONORDER ONPO_KRT,") + kWarehousesKrt +
                QStringLiteral(
                    " from item a LEFT OUTER JOIN GET_TOTITEMORDER(a.ITEMNO, '09/29/2025') AD "
                    "on AD.ITEMNO = a.ITEMNO where a.ITEMDESCRIPTION containing ''and a.ITEMNO "
                    "containing '3A-1'"),
            QStringLiteral("and a.ITEMTYPE=0"),
            QStringLiteral("and left (a.ITEMNO,1) in('3','5','7','9','1')"),
            QStringLiteral("Order by a.ITEMNO asc")};
}

// Old stock, type "XL", code class 1, sorted by type.
QStringList oldStock()
{
    return {QStringLiteral("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE, "
                           "a.reserved2 SUBKATEGORI ,a.reserved3 MFD ,a.reserved4 KONDISI "
                           ",a.reserved5 CATATAN, a.Notes TIPE_BARANG ,") +
                kAverageCost +
                QStringLiteral(
                    "HPP ,ad.ONORDER ONPO_KRT,(select a0.QUANTITY KAPUK_KRT from "
                    "GetItemQuantity (a.ITEMNO,'09/29/2025',-1) g join GET_ITEMByWH "
                    "('09/29/2025',a.ITEMNO,0) a0 on g.ItemNo_Qty = a0.ItemNoWH where 1=1 and "
                    "g.ITEMNO = a.ITEMNO) KAPUK_KRT from item a LEFT OUTER JOIN "
                    "GET_TOTITEMORDER(a.ITEMNO, '09/29/2025') AD on AD.ITEMNO = a.ITEMNO where "
                    "a.ITEMDESCRIPTION containing ''and a.ITEMNO containing ''and a.NOTES "
                    "containing 'XL'"),
            QStringLiteral("and a.ITEMTYPE=0"), QStringLiteral("and left (a.ITEMNO,1) in('1')"),
            QStringLiteral("Order by a.NOTES asc")};
}

} // namespace golden

namespace
{

StockFilters filters(const QString& description, const QString& code, const QString& type,
                     const QString& codeClass, const QString& sortBy)
{
    StockFilters f;
    f.cutoff = QStringLiteral("09/29/2025");
    f.description = description;
    f.code = code;
    f.type = type;
    f.codeClass = codeClass;
    f.sortBy = sortBy;
    return f;
}

// Splits SQL text into its string literals (decoded) and the text with every literal emptied,
// as the database's lexer sees them. False when a literal is left open.
bool splitLiterals(const QString& sql, QStringList* literals, QString* skeleton)
{
    bool inside = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!inside) {
            *skeleton += c;
            if (c == QLatin1Char('\'')) {
                inside = true;
                literals->append(QString());
            }
        } else if (c != QLatin1Char('\'')) {
            literals->last() += c;
        } else if (i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char('\'')) {
            literals->last() += c;
            ++i;
        } else {
            inside = false;
            *skeleton += c;
        }
    }
    return !inside;
}

} // namespace

Q_DECLARE_METATYPE(StockSource)
Q_DECLARE_METATYPE(StockFilters)

class TestStockStatements : public QObject
{
    Q_OBJECT
private slots:
    void statement_data()
    {
        QTest::addColumn<StockSource>("source");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<StockFilters>("filters");
        QTest::addColumn<QStringList>("expected");

        const QString none;
        const StockFilters kabel =
            filters(QStringLiteral("kabel"), none, none, kCodeClass3579, kSortByDescription);
        QTest::newRow("three companies, A") << StockSource::AllCompanies << QStringLiteral("KRT")
                                            << kabel << golden::allCompaniesKrt();
        QTest::newRow("three companies, B")
            << StockSource::AllCompanies << QStringLiteral("SM") << kabel
            << golden::withSuffix(golden::allCompaniesKrt(), QStringLiteral("SM"));
        QTest::newRow("three companies, C")
            << StockSource::AllCompanies << QStringLiteral("KW") << kabel
            << golden::withSuffix(golden::allCompaniesKrt(), QStringLiteral("KW"));

        // The grouped statement cannot be ordered by the ungrouped NOTES: it sorts by code.
        QStringList byCode = golden::allCompaniesKrt();
        byCode.last() = QStringLiteral("Order by a.ITEMNO asc");
        QTest::newRow("three companies, type sort")
            << StockSource::AllCompanies << QStringLiteral("KRT")
            << filters(QStringLiteral("kabel"), none, none, kCodeClass3579, kSortByType) << byCode;

        const StockFilters byCodeFilter =
            filters(none, QStringLiteral("3A-1"), none, kCodeClassAll, kSortByCode);
        QTest::newRow("KRT only") << StockSource::KrtOnly << QStringLiteral("KRT") << byCodeFilter
                                  << golden::krtOnly();
        QTest::newRow("KRT only ignores another suffix")
            << StockSource::KrtOnly << QStringLiteral("SM") << byCodeFilter << golden::krtOnly();

        QStringList krtByType = golden::krtOnly();
        krtByType.last() = QStringLiteral("Order by a.NOTES asc");
        QTest::newRow("KRT only keeps the type sort")
            << StockSource::KrtOnly << QStringLiteral("KRT")
            << filters(none, QStringLiteral("3A-1"), none, kCodeClassAll, kSortByType) << krtByType;

        QTest::newRow("old stock")
            << StockSource::OldStock << QStringLiteral("KRT")
            << filters(none, none, QStringLiteral("XL"), kCodeClassOne, kSortByType)
            << golden::oldStock();
    }

    void statement()
    {
        QFETCH(StockSource, source);
        QFETCH(QString, suffix);
        QFETCH(StockFilters, filters);
        QFETCH(QStringList, expected);
        const QStringList actual = stockStatement(source, suffix, filters);
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i)
            QCOMPARE(actual.at(i), expected.at(i));
    }

    void defaultsAreTheWindowsStartSettings()
    {
        StockFilters f;
        QCOMPARE(f.quote, QStringLiteral("'"));
        QCOMPARE(f.codeClass, QStringLiteral("('3','5','7','9')"));
        QCOMPARE(f.sortBy, QStringLiteral("a.ITEMDESCRIPTION asc"));
    }

    // Whatever a user types stays inside its own literal: the statement keeps its shape and
    // the database reads back exactly the typed text.
    void typedTextStaysOneLiteral_data()
    {
        QTest::addColumn<StockSource>("source");
        QTest::addColumn<int>("field"); // 0 description, 1 code, 2 type
        QTest::addColumn<QString>("text");

        QString longText;
        while (longText.size() < 2000)
            longText += QStringLiteral("ab'c%d--e ");
        longText.truncate(2000);
        const QList<QPair<const char*, QString>> texts{
            {"quote", QStringLiteral("O'Brien")},
            {"quotes only", QStringLiteral("''")},
            {"closing attempt", QStringLiteral("x' or 1=1 or a.ITEMNO containing '")},
            {"statement attempt", QStringLiteral("'; delete from item; --")},
            {"percent", QStringLiteral("100%")},
            {"comment", QStringLiteral("kabel -- x")},
            {"non-ASCII", QStringLiteral("kabel 2.5 mm\u00b2 \u00d8")},
            {"2000 characters", longText},
        };
        const QList<QPair<const char*, StockSource>> sources{
            {"three companies", StockSource::AllCompanies},
            {"KRT only", StockSource::KrtOnly},
            {"old stock", StockSource::OldStock}};
        for (const auto& [sourceName, source] : sources) {
            const int fields = source == StockSource::OldStock ? 3 : 2;
            for (int field = 0; field < fields; ++field) {
                for (const auto& [textName, text] : texts)
                    QTest::addRow("%s, field %d, %s", sourceName, field, textName)
                        << source << field << text;
            }
        }
    }

    void typedTextStaysOneLiteral()
    {
        QFETCH(StockSource, source);
        QFETCH(int, field);
        QFETCH(QString, text);

        const auto statementWith = [&](const QString& typed) {
            StockFilters f = filters(QStringLiteral("d"), QStringLiteral("c"), QStringLiteral("t"),
                                     kCodeClass3579, kSortByDescription);
            (field == 0 ? f.description : field == 1 ? f.code : f.type) = typed;
            return stockStatement(source, QStringLiteral("KRT"), f).join(QStringLiteral("\r\n"));
        };
        QStringList plainLiterals, typedLiterals;
        QString plainSkeleton, typedSkeleton;
        QVERIFY(
            splitLiterals(statementWith(QStringLiteral("MARK")), &plainLiterals, &plainSkeleton));
        QVERIFY(splitLiterals(statementWith(text), &typedLiterals, &typedSkeleton));
        QCOMPARE(typedSkeleton, plainSkeleton);
        QCOMPARE(plainLiterals.count(QStringLiteral("MARK")), 1);
        plainLiterals.replace(plainLiterals.indexOf(QStringLiteral("MARK")), text);
        QCOMPARE(typedLiterals, plainLiterals);
    }

    void costColumn_data()
    {
        QTest::addColumn<StockSource>("source");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("expected");
        QTest::newRow("KRT only") << StockSource::KrtOnly << "KRT"
                                  << "HPP";
        QTest::newRow("old stock") << StockSource::OldStock << "KRT"
                                   << "HPP";
        QTest::newRow("three companies, A") << StockSource::AllCompanies << "KRT"
                                            << "HPP_KRT";
        QTest::newRow("three companies, B") << StockSource::AllCompanies << "SM"
                                            << "HPP_SM";
        QTest::newRow("three companies, C") << StockSource::AllCompanies << "KW"
                                            << "HPP_KW";
    }

    void costColumn()
    {
        QFETCH(StockSource, source);
        QFETCH(QString, suffix);
        QFETCH(QString, expected);
        QCOMPARE(::costColumn(source, suffix), expected);
        // The column must be one the statement actually selects.
        StockFilters f;
        f.cutoff = QStringLiteral("01/31/2025");
        const QString first = stockStatement(source, suffix, f).first();
        QVERIFY(first.contains(QStringLiteral(" AS ") + expected + QLatin1Char(' ')) ||
                first.contains(QStringLiteral(" AS ") + expected + QLatin1Char(',')));
    }

    void companyColumns_data()
    {
        QTest::addColumn<StockSource>("source");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<int>>("widths");

        const QStringList companyTitles{
            "Kode Barang", "Deskripsi Barang", "Harga Barang", "LTC",   "MEZANINE",
            "RAK",         "BOOKING",          "ON ORDER",     "PEC",   "PRODUKSI",
            "WIP",         "Harga Beli",       "HPP",          "ON SO", "IR"};
        QTest::newRow("three companies, B")
            << StockSource::AllCompanies << "SM"
            << QStringList{"ITEMNO", "ITEMDESCRIPTION", "UNITPRICE", "LTC_SM",  "MEZANINE_SM",
                           "RAK_SM", "BOOKING_SM",      "ONPO_SM",   "PEC_SM",  "PRODUKSI_SM",
                           "WIP_SM", "PURCHPRICE",      "HPP_SM",    "ONSO_SM", "IR_SM"}
            << companyTitles << QList<int>(15, 0);
        QTest::newRow("KRT only") << StockSource::KrtOnly << "KRT"
                                  << QStringList{"ITEMNO",       "ITEMDESCRIPTION", "UNITPRICE",
                                                 "LTC_KRT",      "MEZANINE_KRT",    "RAK_KRT",
                                                 "BOOKING_KRT",  "ONPO_KRT",        "PEC_KRT",
                                                 "PRODUKSI_KRT", "WIP_KRT",         "PURCHPRICE",
                                                 "HPP"}
                                  << companyTitles.mid(0, 13) << QList<int>(13, 0);
        QTest::newRow("old stock")
            << StockSource::OldStock << "KRT"
            << QStringList{"ITEMNO", "ITEMDESCRIPTION", "TIPE_BARANG", "KAPUK_KRT",
                           "MFD",    "KONDISI",         "CATATAN"}
            << QStringList{"Kode Barang", "Deskripsi Barang", "Tipe Barang", "QTY",
                           "MFD",         "KONDISI",          "KETERANGAN"}
            << QList<int>{0, 150, 150, 0, 0, 100, 150};
    }

    void companyColumns()
    {
        QFETCH(StockSource, source);
        QFETCH(QString, suffix);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, titles);
        QFETCH(QList<int>, widths);
        const QVector<GridColumnSpec> columns = ::companyColumns(source, suffix);
        QCOMPARE(columns.size(), fields.size());
        for (qsizetype i = 0; i < columns.size(); ++i) {
            QCOMPARE(columns.at(i).field, fields.at(i));
            QCOMPARE(columns.at(i).title, titles.at(i));
            QCOMPARE(columns.at(i).width, widths.at(i));
        }
    }

    // Every column a check binds is one its statement selects.
    void boundColumnsExistInTheStatement_data()
    {
        QTest::addColumn<StockSource>("source");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("KRT only") << StockSource::KrtOnly << "KRT";
        QTest::newRow("three companies, C") << StockSource::AllCompanies << "KW";
        QTest::newRow("old stock") << StockSource::OldStock << "KRT";
    }

    void boundColumnsExistInTheStatement()
    {
        QFETCH(StockSource, source);
        QFETCH(QString, suffix);
        StockFilters f;
        f.cutoff = QStringLiteral("01/31/2025");
        const QString first = stockStatement(source, suffix, f).first();
        for (const GridColumnSpec& column : ::companyColumns(source, suffix)) {
            const QRegularExpression selected(QStringLiteral("(a\\.|[ ,)])") + column.field +
                                              QStringLiteral("[ ,]"));
            QVERIFY2(first.contains(selected), qPrintable(column.field));
        }
    }

    void startColumns()
    {
        const QVector<GridColumnSpec> columns = ::startColumns();
        QCOMPARE(columns.size(), kStockGridColumns);
        const QStringList fields{"Kode", "Deskripsi", "Harga", "LTC",   "Mezanine",
                                 "Rak",  "Booking",   "Kapuk", "PEC",   "Produksi",
                                 "WIP",  "Purchase",  "HPP",   "On SO", "IR"};
        const QList<int> widths{85, 200, 90, 45, 70, 45, 60, 70, 45, 60, 45, 64, 64, 64, 64};
        for (int i = 0; i < kStockGridColumns; ++i) {
            QCOMPARE(columns.at(i).field, fields.at(i));
            QCOMPARE(columns.at(i).title, i == 7 ? QStringLiteral("On PO") : fields.at(i));
            QCOMPARE(columns.at(i).width, widths.at(i));
        }
    }
};

QTEST_GUILESS_MAIN(TestStockStatements)
#include "tst_stock_statements.moc"
