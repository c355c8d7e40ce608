#include "report/ReportEngine.h"
#include "report/ReportFormat.h"
#include "report/ReportLayoutReader.h"
#include "report/ReportVectorDataSource.h"
#include "tests/support/FakeReportViewer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace
{

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kIndonesian(QLocale::Indonesian, QLocale::Indonesia);

// A money type of its own, as the data layer's exact decimals reach the engine.
struct Cents {
    qint64 value = 0;
};

ReportLayout layoutFrom(const QByteArray& json)
{
    QString error;
    const std::optional<ReportLayout> layout = ReportLayoutReader::fromJson(json, &error);
    if (!layout)
        qFatal("layout: %s", qPrintable(error));
    return *layout;
}

// One data band over "krt" with a single cell, on a roomy page.
QByteArray oneCellLayout(const QString& text, const QString& format)
{
    const QJsonObject cell{{"left", 0}, {"width", 100}, {"text", text}, {"format", format}};
    const QJsonObject band{
        {"type", "data"}, {"dataSet", "krt"}, {"height", 5}, {"cells", QJsonArray{cell}}};
    const QJsonObject layout{
        {"name", "cell"},
        {"page", QJsonObject{{"width", 200}, {"height", 100}, {"margins", 10}}},
        {"bands", QJsonArray{band}}};
    return QJsonDocument(layout).toJson();
}

QVariantMap row(std::initializer_list<std::pair<QString, QVariant>> values)
{
    QVariantMap out;
    for (const auto& [key, value] : values)
        out.insert(key, value);
    return out;
}

PreparedReport prepared(ReportEngine& engine)
{
    QString error;
    std::optional<PreparedReport> report = engine.prepare(&error);
    if (!report)
        qFatal("prepare: %s", qPrintable(error));
    return *report;
}

} // namespace

Q_DECLARE_METATYPE(Cents)

class TestReportEngine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QMetaType::registerConverter<Cents, double>([](const Cents& c) { return c.value / 100.0; });
    }

    // Fields, expressions, formats and the print time as a cell shows them.
    void cellText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");

        QTest::newRow("text field") << "[krt.NAME]"
                                    << ""
                                    << "Ani";
        QTest::newRow("literal around a field") << "Sales Name : [krt.NAME]"
                                                << ""
                                                << "Sales Name : Ani";
        QTest::newRow("field name in any case") << "[krt.qty * 2]"
                                                << ""
                                                << "6";
        QTest::newRow("money format") << "[krt.PRICE]"
                                      << "%2.2n"
                                      << "1,234,567.50";
        QTest::newRow("general format") << "[krt.PRICE / 100000]"
                                        << "%g"
                                        << "12.345675";
        QTest::newRow("precedence") << "[-krt.QTY + 10 * 2 - (1 + 1)]"
                                    << ""
                                    << "15";
        QTest::newRow("null counts as 0") << "[krt.NOTHING + 1]"
                                          << "%g"
                                          << "1";
        QTest::newRow("null alone shows nothing") << "[krt.NOTHING]"
                                                  << "%g"
                                                  << "";
        QTest::newRow("unknown field counts as 0") << "[krt.NOSUCH + 2]"
                                                   << ""
                                                   << "2";
        QTest::newRow("division by zero shows nothing") << "[krt.QTY / 0]"
                                                        << "%g"
                                                        << "";
        QTest::newRow("texts join") << "[krt.NAME + ' ' + krt.NAME]"
                                    << ""
                                    << "Ani Ani";
        QTest::newRow("number in text") << "Qty [krt.PRICE]"
                                        << "%2.2n"
                                        << "Qty 1,234,567.50";
        QTest::newRow("registered number type") << "[krt.CENTS]"
                                                << "%2.2n"
                                                << "-12,345.67";
        QTest::newRow("sum of registered type") << "[krt.CENTS + krt.CENTS]"
                                                << "%2.2n"
                                                << "-24,691.34";
        QTest::newRow("date field") << "[krt.DAY]"
                                    << ""
                                    << "05/03/2026";
        QTest::newRow("date with own format") << "[krt.DAY]"
                                              << "yyyy-MM-dd"
                                              << "2026-03-05";
        QTest::newRow("print date and time") << "[Date] - [Time]"
                                             << ""
                                             << "01/02/2026 - 14:07:09";
        QTest::newRow("escaped bracket") << "[[x]"
                                         << ""
                                         << "[x]";
    }

    void cellText()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        QFETCH(QString, expected);

        VectorDataSource krt({row({{"NAME", "Ani"},
                                   {"QTY", 3},
                                   {"PRICE", 1234567.5},
                                   {"NOTHING", QVariant()},
                                   {"CENTS", QVariant::fromValue(Cents{-1234567})},
                                   {"DAY", QDate(2026, 3, 5)}})});
        ReportEngine engine(layoutFrom(oneCellLayout(text, format)));
        engine.bind("KRT", &krt);
        engine.setLocale(kEnglish);
        engine.setPrintTime(QDateTime(QDate(2026, 2, 1), QTime(14, 7, 9)));
        const PreparedReport report = prepared(engine);
        const QList<PreparedItem>& items = report.pages.at(0).items;
        QCOMPARE(items.isEmpty() ? QString() : report.itemText(items.first()), expected);
    }

    // The display format and the workbook's number format that goes with it.
    void formats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("workbook");

        QTest::newRow("money, Indonesian") << "%2.2n" << 1234567.5 << kIndonesian << "1.234.567,50"
                                           << "#,##0.00";
        QTest::newRow("money, negative") << "%2.2n" << -0.5 << kEnglish << "-0.50"
                                         << "#,##0.00";
        QTest::newRow("general") << "%g" << 10.0 << kEnglish << "10"
                                 << "General";
        QTest::newRow("general, fraction") << "%g" << 2.5 << kIndonesian << "2,5"
                                           << "General";
        QTest::newRow("no format") << "" << 2.5 << kEnglish << "2.5"
                                   << "General";
        QTest::newRow("whole money") << "%.0n" << 1500000.0 << kEnglish << "1,500,000"
                                     << "#,##0";
        QTest::newRow("text around") << "Rp %2.2n" << 5.0 << kEnglish << "Rp 5.00"
                                     << "\"Rp \"#,##0.00";
    }

    void formats()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QString, workbook);

        const ReportFormat f(format);
        QCOMPARE(f.number(value, locale), text);
        QCOMPARE(f.workbookNumberFormat(), workbook);
    }

    // Groups break on a field's change, footers show their group's last row and sum only
    // their group, and the summary adds sums over two bands.
    void groupsAndSums()
    {
        const QByteArray json =
            R"({"name": "grouped", "page": {"width": 200, "height": 297, "margins": 10},
          "bands": [
            {"type": "title", "height": 10, "cells": [{"left": 0, "width": 180, "text": "Outstanding"}]},
            {"type": "data", "dataSet": "krt", "name": "krtRows", "height": 5,
             "groups": [{"condition": "krt.SALESMANNAME",
                "header": {"height": 5, "cells": [{"left": 0, "width": 180, "text": "Sales Name : [krt.SALESMANNAME]"}]},
                "footer": {"height": 5, "cells": [
                    {"left": 0, "width": 100, "text": "Total Outstanding [krt.SALESMANNAME]"},
                    {"left": 100, "width": 80, "text": "[SUM(krt.OWING, krtRows)]", "format": "%2.2n"}]}}],
             "cells": [{"left": 0, "width": 100, "text": "[krt.PERSONNAME]"},
                       {"left": 100, "width": 80, "text": "[krt.OWING]", "format": "%2.2n"}]},
            {"type": "data", "dataSet": "bsm", "name": "bsmRows", "height": 5,
             "cells": [{"left": 0, "width": 100, "text": "[bsm.PERSONNAME]"},
                       {"left": 100, "width": 80, "text": "[bsm.OWING]", "format": "%2.2n"}]},
            {"type": "summary", "height": 5, "cells": [
                {"left": 0, "width": 100, "text": "TOTAL"},
                {"left": 100, "width": 80, "text": "[SUM(krt.OWING, krtRows) + SUM(bsm.OWING, bsmRows)]", "format": "%2.2n"}]}]})";
        VectorDataSource krt(
            {row({{"SALESMANNAME", "Ani"}, {"PERSONNAME", "C1"}, {"OWING", 100.5}}),
             row({{"SALESMANNAME", "Ani"}, {"PERSONNAME", "C2"}, {"OWING", 200}}),
             row({{"SALESMANNAME", "Budi"}, {"PERSONNAME", "C3"}, {"OWING", 50}}),
             row({{"SALESMANNAME", "Ani"}, {"PERSONNAME", "C4"}, {"OWING", QVariant()}})});
        VectorDataSource bsm(
            {row({{"PERSONNAME", "D1"}, {"OWING", QVariant::fromValue(Cents{100000})}})});
        ReportEngine engine(layoutFrom(json));
        engine.bind("krt", &krt);
        engine.bind("bsm", &bsm);
        engine.setLocale(kEnglish);
        FakeReportViewer viewer;
        viewer.preview(prepared(engine));

        const QStringList expected = {"Outstanding",
                                      "Sales Name : Ani",
                                      "C1",
                                      "100.50",
                                      "C2",
                                      "200.00",
                                      "Total Outstanding Ani",
                                      "300.50",
                                      "Sales Name : Budi",
                                      "C3",
                                      "50.00",
                                      "Total Outstanding Budi",
                                      "50.00",
                                      "Sales Name : Ani",
                                      "C4",
                                      "Total Outstanding Ani",
                                      "0.00",
                                      "D1",
                                      "1,000.00",
                                      "TOTAL",
                                      "1,350.50"};
        QCOMPARE(viewer.texts(), expected);
        // Every data set was read to its end.
        QVERIFY(krt.eof());
        QVERIFY(bsm.eof());
    }

    // A band that does not fit in what is left of the page starts the next page.
    void bandMovesToNextPage()
    {
        const QByteArray json =
            R"({"name": "pages", "page": {"width": 100, "height": 50, "margins": 10},
          "bands": [
            {"type": "title", "height": 10, "cells": [{"left": 0, "width": 80, "text": "T"}]},
            {"type": "data", "dataSet": "krt", "height": 7,
             "cells": [{"left": 0, "width": 80, "text": "[krt.N]"}]},
            {"type": "summary", "height": 12, "cells": [{"left": 0, "width": 80, "text": "End"}]}]})";
        VectorDataSource krt({row({{"N", "r1"}}), row({{"N", "r2"}}), row({{"N", "r3"}}),
                              row({{"N", "r4"}}), row({{"N", "r5"}}), row({{"N", "r6"}})});
        ReportEngine engine(layoutFrom(json));
        engine.bind("krt", &krt);
        FakeReportViewer viewer;
        viewer.preview(prepared(engine));
        const PreparedReport& report = viewer.last();

        // 30 mm of room: the title and two rows, then four rows, then the summary alone.
        QCOMPARE(report.pageCount(), 3);
        QCOMPARE(viewer.texts(0), QStringList({"T", "r1", "r2"}));
        QCOMPARE(viewer.texts(1), QStringList({"r3", "r4", "r5", "r6"}));
        QCOMPARE(viewer.texts(2), QStringList({"End"}));
        QCOMPARE(report.pages.at(1).items.first().top, 10.0f);
        for (const PreparedPage& page : report.pages)
            for (const PreparedItem& item : page.items)
                QVERIFY2(item.top + item.height <= 40.0f, qPrintable(report.itemText(item)));
    }

    // A row whose rule hides it shows nothing but keeps its place.
    void hiddenRowKeepsItsHeight()
    {
        const QByteArray json =
            R"({"name": "hidden", "page": {"width": 100, "height": 100, "margins": 10},
          "bands": [
            {"type": "data", "dataSet": "krt", "name": "rows", "height": 5, "hideWhen": "krt.QTY > 5",
             "cells": [{"left": 0, "width": 40, "text": "[krt.N]", "frame": "LTRB"},
                       {"left": 40, "width": 40, "text": "[krt.QTY]", "fill": "#FFFF00"}]},
            {"type": "summary", "height": 5, "cells": [{"left": 0, "width": 80, "text": "[SUM(krt.QTY, rows)]"}]}]})";
        VectorDataSource krt({row({{"N", "a"}, {"QTY", 1}}), row({{"N", "b"}, {"QTY", 9}}),
                              row({{"N", "c"}, {"QTY", 2}})});
        ReportEngine engine(layoutFrom(json));
        engine.bind("krt", &krt);
        FakeReportViewer viewer;
        viewer.preview(prepared(engine));
        const QList<PreparedItem>& items = viewer.last().pages.at(0).items;

        QCOMPARE(viewer.texts(), QStringList({"a", "1", "c", "2", "12"}));
        QCOMPARE(items.at(0).top, 10.0f);
        QCOMPARE(items.at(2).top, 20.0f); // row "b" keeps 15 to 20
        QCOMPARE(items.at(4).top, 25.0f);
    }

    // The item-to-buy layout: details re-read per master row, missing detail rows and empty
    // quantities count as 0, and a row whose group stock covers the shortfall is blank.
    void itemToBuy()
    {
        QString error;
        const std::optional<ReportLayout> layout =
            ReportLayoutReader::fromResource("printitemtobuy", &error);
        QVERIFY2(layout, qPrintable(error));

        auto quantities = [](const QString& item, double ltc, double mezanine, double rak,
                             double booking, QVariant onOrder, double onSales) {
            return row({{"ITEMNO", item},
                        {"LTC", ltc},
                        {"MEZANINE", mezanine},
                        {"RAK", rak},
                        {"BOOKING", booking},
                        {"ONORDER", onOrder},
                        {"ONSALES", onSales}});
        };
        QList<QVariantMap> master;
        // Nothing anywhere, minimum 10: buy 10.
        master << quantities("I1", 0, 0, 0, 0, 0, 0);
        master.last().insert("STOCKREMINDER", -10);
        // B and C hold more than the shortfall: hidden.
        master << quantities("I2", 1, 0, 0, 0, 0, 0);
        master.last().insert("StockReminder", -5);
        // Only B knows it, with an empty on-order quantity; C has no row.
        master << quantities("I3", 1, 0, 0, 7, 0, 2);
        master.last().insert("StockReminder", -8);
        // Booking stock of B and C hides the row without lowering the quantity to buy.
        master << quantities("I4", 0, 0, 0, 0, 0, 0);
        master.last().insert("StockReminder", -4);
        for (QVariantMap& m : master) {
            m.insert("ITEMDESCRIPTION", "Desc " + m.value("ITEMNO").toString());
            m.insert("MINIMUMQTY", 10);
            m.insert("PURCHPRICE", 1500.5);
            m.insert("CATEGORY", "Kabel");
            m.insert("SUBCAT", "NYM");
        }
        const QHash<QString, QVariantMap> companyB = {
            {"I1", quantities("I1", 0, 0, 0, 0, 0, 0)},
            {"I2", quantities("I2", 3, 0, 0, 0, 0, 0)},
            {"I3", quantities("I3", 2, 0, 0, 0, QVariant(), 0)},
            {"I4", quantities("I4", 0, 0, 0, 3, 0, 0)}};
        const QHash<QString, QVariantMap> companyC = {{"I1", quantities("I1", 0, 0, 0, 0, 0, 0)},
                                                      {"I2", quantities("I2", 4, 0, 0, 0, 0, 0)},
                                                      {"I4", quantities("I4", 0, 0, 0, 2, 0, 0)}};

        VectorDataSource a(master), b, c;
        ReportEngine engine(*layout);
        engine.bind("StockKRT", &a);
        engine.bind("stockbsm", &b);
        engine.bind("stocktwsp", &c);
        QStringList masterRows;
        engine.setMasterRowHandler([&](const QString& dataSet, ReportDataSource& m) {
            masterRows << dataSet + ":" + m.value("itemno").toString();
            const QString item = m.value("ITEMNO").toString();
            b.setRows(companyB.contains(item) ? QList<QVariantMap>{companyB.value(item)}
                                              : QList<QVariantMap>{});
            c.setRows(companyC.contains(item) ? QList<QVariantMap>{companyC.value(item)}
                                              : QList<QVariantMap>{});
        });
        engine.setLocale(kEnglish);
        FakeReportViewer viewer;
        viewer.preview(prepared(engine));

        QCOMPARE(masterRows,
                 QStringList({"stockkrt:I1", "stockkrt:I2", "stockkrt:I3", "stockkrt:I4"}));
        QCOMPARE(viewer.lineOf("I1"), QStringList({"I1", "Desc I1", "0", "0", "0", "0", "0", "0",
                                                   "10", "10", "1500.5", "Kabel", "NYM"}));
        QCOMPARE(viewer.lineOf("I3"), QStringList({"I3", "Desc I3", "3", "0", "0", "7", "0", "2",
                                                   "10", "6", "1500.5", "Kabel", "NYM"}));
        const QStringList texts = viewer.texts();
        QVERIFY(!texts.contains("I2"));
        QVERIFY(!texts.contains("I4"));
        // I2 and I4 keep their lines: I3 sits two lines below I1, and the page ends two lines
        // later.
        const PreparedReport& report = viewer.last();
        float topI1 = -1, topI3 = -1;
        for (const PreparedItem& item : report.pages.at(0).items) {
            if (item.text == "I1")
                topI1 = item.top;
            if (item.text == "I3")
                topI3 = item.top;
        }
        QCOMPARE(topI3 - topI1, 10.0f);
    }

    // The stock layouts bind the data sets the stock window names, in company order.
    void stockLayouts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QStringList>("dataSets");
        QTest::addColumn<QStringList>("lastColumns");

        QTest::newRow("printstock")
            << "printstock" << QSizeF(231, 210) << QStringList{"krt", "soka", "kw"}
            << QStringList{"On Order", "DB"};
        QTest::newRow("printkrtonly") << "printkrtonly" << QSizeF(231, 210) << QStringList{"krt"}
                                      << QStringList{"On Order", "DB"};
        QTest::newRow("printhpp") << "printhpp" << QSizeF(271, 210) << QStringList{"krt"}
                                  << QStringList{"Purc. Price", "HPP"};
        QTest::newRow("printhppalldb")
            << "printhppalldb" << QSizeF(271, 210) << QStringList{"krt", "soka", "kw"}
            << QStringList{"Harga Beli", "HPP", "DB"};
        QTest::newRow("printitemtobuy")
            << "printitemtobuy" << QSizeF(335, 297) << QStringList{"stockkrt"}
            << QStringList{"Category", "Sub Category"};
    }

    void stockLayouts()
    {
        QFETCH(QString, name);
        QFETCH(QSizeF, page);
        QFETCH(QStringList, dataSets);
        QFETCH(QStringList, lastColumns);

        QString error;
        const std::optional<ReportLayout> layout = ReportLayoutReader::fromResource(name, &error);
        QVERIFY2(layout, qPrintable(error));
        QCOMPARE(QSizeF(layout->page.width, layout->page.height), page);
        QStringList bound, headings;
        for (const ReportBand& band : layout->bands) {
            if (band.type == ReportBand::Type::Data)
                bound << band.dataSet;
            if (band.type == ReportBand::Type::Header)
                for (const ReportCell& cell : band.cells)
                    headings << cell.text.parts().value(0).literal;
        }
        QCOMPARE(bound, dataSets);
        QCOMPARE(headings.mid(headings.size() - lastColumns.size()), lastColumns);
    }

    // A faulty layout fails when it is read, with a message naming the fault.
    void layoutErrors_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");

        const QString cell = R"({"page": {"width": 100, "height": 100},
            "bands": [{"type": "data", "dataSet": "krt", "height": 5, %1
                       "cells": [{"left": 0, "width": 50, "text": "%2"}]}]})";
        QTest::newRow("unknown data set") << cell.arg("", "[kw.ITEMNO]").toUtf8() << "\"kw\"";
        QTest::newRow("unknown name") << cell.arg("", "[G]").toUtf8() << "unknown name \"g\"";
        QTest::newRow("value used before defined")
            << cell.arg(R"("values": [{"name": "A", "expr": "B"}, {"name": "B", "expr": "1"}],)",
                        "[A]")
                   .toUtf8()
            << "unknown name \"b\"";
        QTest::newRow("sum over unknown band")
            << cell.arg("", "[SUM(krt.X, nothere)]").toUtf8() << "unknown band \"nothere\"";
        QTest::newRow("broken expression")
            << cell.arg("", "[krt.X +]").toUtf8() << "unexpected end";
        QTest::newRow("unknown function")
            << cell.arg("", "[AVG(krt.X, krt)]").toUtf8() << "unknown function";
        QTest::newRow("no width") << QByteArray(R"({"page": {"width": 100, "height": 100},
            "bands": [{"type": "title", "height": 5, "cells": [{"left": 0, "text": "x"}]}]})")
                                  << "width";
        QTest::newRow("margins too wide")
            << QByteArray(R"({"page": {"width": 100, "height": 100, "margins": 50}, "bands": []})")
            << "margins";
        QTest::newRow("not JSON") << QByteArray("{\"page\": ") << "offset";
    }

    void layoutErrors()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);

        QString error;
        QVERIFY(!ReportLayoutReader::fromJson(json, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void unboundDataSetIsAnError()
    {
        ReportEngine engine(layoutFrom(oneCellLayout("[krt.A]", "")));
        QString error;
        QVERIFY(!engine.prepare(&error));
        QVERIFY2(error.contains("\"krt\""), qPrintable(error));
    }

    // Find goes item by item, matches shown numbers, ignores case and wraps around.
    void find()
    {
        const QByteArray json =
            R"({"name": "find", "page": {"width": 100, "height": 30, "margins": 5},
          "bands": [{"type": "data", "dataSet": "krt", "height": 10,
                     "cells": [{"left": 0, "width": 40, "text": "[krt.N]"},
                               {"left": 40, "width": 40, "text": "[krt.P]", "format": "%2.2n"}]}]})";
        VectorDataSource krt({row({{"N", "kabel"}, {"P", 1}}), row({{"N", "lampu"}, {"P", 1234.5}}),
                              row({{"N", "KABEL NYM"}, {"P", 2}})});
        ReportEngine engine(layoutFrom(json));
        engine.bind("krt", &krt);
        engine.setLocale(kEnglish);
        const PreparedReport report = prepared(engine);
        QCOMPARE(report.pageCount(), 2);

        ReportTextPosition at = report.find("Kabel");
        QCOMPARE(std::pair(at.page, at.item), std::pair(0, 0));
        at = report.find("Kabel", at);
        QCOMPARE(std::pair(at.page, at.item), std::pair(1, 0));
        at = report.find("Kabel", at);
        QCOMPARE(std::pair(at.page, at.item), std::pair(0, 0));
        at = report.find("1,234.50");
        QCOMPARE(std::pair(at.page, at.item), std::pair(0, 3));
        QVERIFY(!report.find("semen").isValid());
    }
};

QTEST_GUILESS_MAIN(TestReportEngine)
#include "tst_report_engine.moc"
