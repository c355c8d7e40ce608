#include "report/PdfExporter.h"
#include "report/ReportEngine.h"
#include "report/ReportLayoutReader.h"
#include "report/ReportVectorDataSource.h"
#include "report/XlsxExporter.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

namespace
{

const QLocale kIndonesian(QLocale::Indonesian, QLocale::Indonesia);

// Debian's own interpreter, which has openpyxl; another python3 may come first on PATH.
const QString kPython = QStringLiteral("/usr/bin/python3");

const char* kDumpWorkbook = R"(
import datetime, json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
cells = {}
for row in ws.iter_rows():
    for c in row:
        value = c.value
        if isinstance(value, (datetime.datetime, datetime.date)):
            value = value.isoformat()
        cells[c.coordinate] = {"value": value, "type": c.data_type, "format": c.number_format,
            "fill": str(c.fill.fgColor.rgb) if c.fill.fill_type else "",
            "bold": bool(c.font.b), "font": c.font.name, "align": c.alignment.horizontal or "",
            "frame": "".join(side[0] for side in ("left", "top", "right", "bottom")
                             if getattr(c.border, side).style)}
print(json.dumps({"cells": cells, "merged": sorted(str(r) for r in ws.merged_cells.ranges),
                  "breaks": [b.id for b in ws.row_breaks.brk]}))
)";

QVariantMap row(std::initializer_list<std::pair<QString, QVariant>> values)
{
    QVariantMap out;
    for (const auto& [key, value] : values)
        out.insert(key, value);
    return out;
}

QVariantMap stockRow(const QString& item, const QString& suffix, double price, int ltc)
{
    return row({{"ITEMNO", item},
                {"ITEMDESCRIPTION", "Kabel " + item},
                {"UNITPRICE", price},
                {"PURCHPRICE", price / 2},
                {"LTC_" + suffix, ltc},
                {"MEZANINE_" + suffix, 2},
                {"RAK_" + suffix, 0},
                {"BOOKING_" + suffix, 1},
                {"ONPO_" + suffix, 12}});
}

// printstock over one row per company, or `count` rows of company A.
PreparedReport stockReport(const QString& layoutName, int count = 1)
{
    QList<QVariantMap> rows;
    for (int i = 0; i < count; ++i)
        rows << stockRow(QStringLiteral("K-%1").arg(i + 1, 3, 10, QLatin1Char('0')), "KRT",
                         1234567.5 + i, i);
    VectorDataSource krt(rows);
    VectorDataSource soka({stockRow("S-001", "SM", 250, 7)});
    VectorDataSource kw({stockRow("W-001", "KW", 99.99, 3)});
    QString error;
    const std::optional<ReportLayout> layout = ReportLayoutReader::fromResource(layoutName, &error);
    if (!layout)
        qFatal("%s", qPrintable(error));
    ReportEngine engine(*layout);
    engine.bind("krt", &krt);
    engine.bind("soka", &soka);
    engine.bind("kw", &kw);
    engine.setLocale(kIndonesian);
    const std::optional<PreparedReport> report = engine.prepare(&error);
    if (!report)
        qFatal("%s", qPrintable(error));
    return *report;
}

PreparedReport itemToBuyReport()
{
    VectorDataSource a({row({{"ITEMNO", "I1"},
                             {"ITEMDESCRIPTION", "Lampu"},
                             {"StockReminder", -10},
                             {"MINIMUMQTY", 10},
                             {"PURCHPRICE", 1500.5}})});
    VectorDataSource b, c; // neither company has the item
    QString error;
    ReportEngine engine(*ReportLayoutReader::fromResource("printitemtobuy", &error));
    engine.bind("StockKRT", &a);
    engine.bind("stockbsm", &b);
    engine.bind("stocktwsp", &c);
    return *engine.prepare(&error);
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning() << program << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QJsonObject workbook(const QString& fileName)
{
    const QString out = run(kPython, {"-c", kDumpWorkbook, fileName});
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

QJsonObject cellWith(const QJsonObject& book, const QJsonValue& value, QString* ref = nullptr)
{
    const QJsonObject cells = book.value("cells").toObject();
    for (auto it = cells.begin(); it != cells.end(); ++it)
        if (it.value().toObject().value("value") == value) {
            if (ref)
                *ref = it.key();
            return it.value().toObject();
        }
    return {};
}

enum class Format { Pdf, Xlsx };

ReportExportResult exportAs(Format format, const PreparedReport& report, const QString& fileName,
                            const ReportProgress& progress = {})
{
    return format == Format::Pdf ? PdfExporter().exportToFile(report, fileName, progress)
                                 : XlsxExporter().exportToFile(report, fileName, progress);
}

} // namespace

Q_DECLARE_METATYPE(Format)

class TestReportExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // The stock list as PDF: title, money in the regional format, each company's "DB".
    void pdfText()
    {
        const QString file = m_dir.filePath("stock.pdf");
        const ReportExportResult result = exportAs(Format::Pdf, stockReport("printstock"), file);
        QVERIFY2(result.ok(), qPrintable(result.error));
        const QStringList lines = run("pdftotext", {"-layout", file, "-"}).split('\n');

        auto lineWith = [&lines](const QString& text) {
            for (const QString& line : lines)
                if (line.contains(text))
                    return line.simplified();
            return QString();
        };
        QVERIFY(!lineWith("Stock Vora Integrasi").isEmpty());
        QCOMPARE(lineWith("Kode Barang"),
                 "Kode Barang Deskripsi Barang Harga LTC Mezanine Rak Dediz Booking On Order DB");
        QCOMPARE(lineWith("K-001"), "K-001 Kabel K-001 1.234.567,50 0 2 0 1 12 KRT");
        QCOMPARE(lineWith("S-001"), "S-001 Kabel S-001 250,00 7 2 0 1 12 SOKA");
        QCOMPARE(lineWith("W-001"), "W-001 Kabel W-001 99,99 3 2 0 1 12 TWSP");
        QVERIFY(!lineWith("Akhir Laporan").isEmpty());
    }

    void pdfPageSize_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QSizeF>("millimetres");

        QTest::newRow("printstock") << "printstock" << QSizeF(231, 210);
        QTest::newRow("printhppalldb") << "printhppalldb" << QSizeF(271, 210);
        QTest::newRow("printitemtobuy") << "printitemtobuy" << QSizeF(335, 297);
    }

    void pdfPageSize()
    {
        QFETCH(QString, layout);
        QFETCH(QSizeF, millimetres);

        const QString file = m_dir.filePath(layout + ".pdf");
        const PreparedReport report =
            layout == "printitemtobuy" ? itemToBuyReport() : stockReport(layout);
        QVERIFY(exportAs(Format::Pdf, report, file).ok());
        const QString info = run("pdfinfo", {file});
        const QRegularExpressionMatch size =
            QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        QVERIFY(std::abs(size.captured(1).toDouble() * 25.4 / 72 - millimetres.width()) < 0.5);
        QVERIFY(std::abs(size.captured(2).toDouble() * 25.4 / 72 - millimetres.height()) < 0.5);
    }

    // The stock list as a workbook: numbers as numbers with their format, the layout's fills,
    // the title merged over the columns, a page break where the second page starts.
    void workbookLayout()
    {
        const QString file = m_dir.filePath("stock.xlsx");
        const ReportExportResult result =
            exportAs(Format::Xlsx, stockReport("printstock", 40), file);
        QVERIFY2(result.ok(), qPrintable(result.error));
        const QJsonObject book = workbook(file);
        const QJsonObject cells = book.value("cells").toObject();

        const QJsonObject money = cellWith(book, 1234567.5);
        QCOMPARE(money.value("type").toString(), "n");
        QCOMPARE(money.value("format").toString(), "#,##0.00");
        QCOMPARE(money.value("align").toString(), "right");
        QCOMPARE(money.value("frame").toString(), "ltrb");
        QCOMPARE(cellWith(book, 12).value("format").toString(), "General");

        QString ref;
        const QJsonObject title = cellWith(book, "Stock Vora Integrasi", &ref);
        QVERIFY(title.value("bold").toBool());
        QCOMPARE(title.value("font").toString(), "Arial");
        QCOMPARE(ref, "A1");
        QVERIFY(book.value("merged").toArray().contains("A1:I1"));
        for (const QString& column : {"A", "B", "C", "D", "E", "F", "G", "H", "I"}) {
            const QJsonObject heading = cells.value(column + "2").toObject();
            QCOMPARE(heading.value("fill").toString(), "FFCCF4FF");
            QCOMPARE(heading.value("frame").toString(), "ltrb");
        }
        QCOMPARE(cells.value("A2").toObject().value("value").toString(), "Kode Barang");
        QCOMPARE(cells.value("I2").toObject().value("value").toString(), "DB");
        QCOMPARE(cellWith(book, "*** Akhir Laporan Stock ***").value("fill").toString(),
                 "FFD8D8D8");
        // 36 rows fill page 1 after title and headings; row 38 opens page 2.
        QCOMPARE(book.value("breaks").toArray(), QJsonArray({37}));
        QCOMPARE(cells.value("A38").toObject().value("value").toString(), "K-036");
    }

    void workbookItemToBuy()
    {
        const QString file = m_dir.filePath("itemtobuy.xlsx");
        QVERIFY(exportAs(Format::Xlsx, itemToBuyReport(), file).ok());
        const QJsonObject book = workbook(file);
        QCOMPARE(cellWith(book, "Reminder Item to Buy").value("fill").toString(), "FFDCFFFF");
        QString ref;
        QCOMPARE(cellWith(book, "Item to Buy", &ref).value("fill").toString(), "FFD8D8D8");
        // The value sits right under its heading.
        const QString below = ref.left(1) + QString::number(ref.mid(1).toInt() + 1);
        const QJsonObject buy = book.value("cells").toObject().value(below).toObject();
        QCOMPARE(buy.value("value").toDouble(), 10.0);
        QCOMPARE(buy.value("fill").toString(), "FFFFFF00");
        QCOMPARE(buy.value("frame").toString(), "ltb");
    }

    // Values a worksheet cannot take as they are: NaN and infinity, over-long and control text.
    void workbookAwkwardValues()
    {
        const QByteArray json =
            R"({"name": "odd", "page": {"width": 200, "height": 100, "margins": 10},
          "bands": [{"type": "data", "dataSet": "d", "height": 5, "cells": [
            {"left": 0, "width": 30, "text": "[d.A]", "format": "%2.2n", "frame": "all"},
            {"left": 30, "width": 30, "text": "[d.B]", "frame": "all"},
            {"left": 60, "width": 30, "text": "[d.C]"},
            {"left": 90, "width": 30, "text": "[d.DAY]"},
            {"left": 120, "width": 30, "text": "[d.E]"}]}]})";
        VectorDataSource d({row({{"A", std::numeric_limits<double>::quiet_NaN()},
                                 {"B", std::numeric_limits<double>::infinity()},
                                 {"C", QString(40000, 'x') + QChar(0x7)},
                                 {"DAY", QDate(2026, 3, 5)},
                                 {"E", QStringLiteral("a\x01"
                                                      "b\x1f"
                                                      "c\td")}})});
        ReportEngine engine(*ReportLayoutReader::fromJson(json));
        engine.bind("d", &d);
        const QString file = m_dir.filePath("odd.xlsx");
        const ReportExportResult result = exportAs(Format::Xlsx, *engine.prepare(), file);
        QVERIFY2(result.ok(), qPrintable(result.error));
        const QJsonObject cells = workbook(file).value("cells").toObject();
        QVERIFY2(!cells.isEmpty(), "the workbook does not open");
        for (const char* blank : {"A1", "B1"}) {
            QVERIFY2(cells.value(blank).toObject().value("value").isNull(), blank);
            QCOMPARE(cells.value(blank).toObject().value("frame").toString(), "ltrb");
        }
        QCOMPARE(cells.value("C1").toObject().value("value").toString(), QString(32767, 'x'));
        QCOMPARE(cells.value("E1").toObject().value("value").toString(), "abc\td");
        QCOMPARE(cells.value("D1").toObject().value("value").toString(), "2026-03-05T00:00:00");
        QCOMPARE(cells.value("D1").toObject().value("format").toString(), "dd/mm/yyyy");
    }

    void unwritableFolder_data()
    {
        QTest::addColumn<Format>("format");
        QTest::newRow("pdf") << Format::Pdf;
        QTest::newRow("xlsx") << Format::Xlsx;
    }

    // The folder is a plain file (a permission would not stop root): the error names the file.
    void unwritableFolder()
    {
        QFETCH(Format, format);
        QFile plain(m_dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString file = m_dir.filePath("plain/out.file");
        const ReportExportResult result = exportAs(format, stockReport("printstock"), file);
        QCOMPARE(result.status, ReportExportResult::Status::Failed);
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(file)), qPrintable(result.error));
    }

    void cancelLeavesNoFile_data() { unwritableFolder_data(); }

    void cancelLeavesNoFile()
    {
        QFETCH(Format, format);
        QTemporaryDir dir;
        const QString file = dir.filePath("cancelled.out");
        qint64 calls = 0;
        const ReportExportResult result = exportAs(format, stockReport("printstock", 100), file,
                                                   [&calls](qint64 done, qint64 total) {
                                                       ++calls;
                                                       return !(done == 2 && total == 3);
                                                   });
        QCOMPARE(result.status, ReportExportResult::Status::Cancelled);
        QCOMPARE(calls, 2);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void replacesExistingFile_data() { unwritableFolder_data(); }

    void replacesExistingFile()
    {
        QFETCH(Format, format);
        const QString file = m_dir.filePath("existing.out");
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'z'));
        old.close();
        QVERIFY(exportAs(format, stockReport("printstock"), file).ok());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.read(2), format == Format::Pdf ? QByteArray("%P") : QByteArray("PK"));
        QVERIFY(old.size() < 100000);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestReportExport)
#include "tst_report_export.moc"
