// vid_test: DB
#include "app/MainWindow.h"
#include "data/ConnectionSet.h"
#include "data/Decimal.h"
#include "data/FbQuery.h"
#include "data/QueryTableModel.h"
#include "report/PdfExporter.h"
#include "report/XlsxExporter.h"
#include "sales/ReceivablesReports.h"
#include "stock/StockView.h"
#include "tests/support/ByName.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace
{

const QString kCompanyCodes[] = {"KRT", "BSM", "TWSP"};

// Debian's own interpreter, which has openpyxl; another python3 may come first on PATH.
const QString kPython = QStringLiteral("/usr/bin/python3");

// Rows of the first worksheet: each cell as [value, openpyxl data type].
const char* kDumpRows = R"(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(json.dumps([[[c.value, c.data_type] for c in row if c.value is not None]
                  for row in ws.iter_rows()]))
)";

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning() << program << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The report as PDF, read back as text: one entry per printed line, blanks collapsed.
QStringList pdfLines(const PreparedReport& report, const QString& fileName)
{
    if (!PdfExporter().exportToFile(report, fileName).ok())
        return {};
    QStringList lines;
    for (const QString& line : run("pdftotext", {"-layout", fileName, "-"}).split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.simplified();
    return lines;
}

// The lines of a prepared report: texts of the items that share a top, left to right.
QList<QStringList> linesOf(const PreparedReport& report)
{
    QList<QStringList> lines;
    for (const PreparedPage& page : report.pages) {
        QList<const PreparedItem*> items;
        for (const PreparedItem& item : page.items)
            items.append(&item);
        std::stable_sort(items.begin(), items.end(), [](auto* a, auto* b) {
            return a->top != b->top ? a->top < b->top : a->left < b->left;
        });
        float top = -1;
        for (const PreparedItem* item : items) {
            if (item->top != top)
                lines.append(QStringList());
            top = item->top;
            lines.last().append(report.itemText(*item));
        }
    }
    return lines;
}

// Salesmen the report names: the summary's first column, the detail's group headers.
QSet<QString> salesmenIn(const PreparedReport& report)
{
    QSet<QString> names;
    static const QRegularExpression header("^Sales Name : (.*)$");
    for (const QStringList& line : linesOf(report)) {
        if (line.size() == 5 &&
            QStringList(std::begin(kCompanyCodes), std::end(kCompanyCodes)).contains(line.last()))
            names << line.first();
        const QRegularExpressionMatch match = header.match(line.first());
        if (match.hasMatch())
            names << match.captured(1);
    }
    return names;
}

QString money(double value)
{
    return QLocale().toString(value, 'f', 2);
}

ConnectionParams companyDatabase(int company)
{
    const TestServers::Suffixes suffixes = TestServers::suffixes();
    const QString database = company == 0   ? ConnectionSet::krtDatabase(suffixes.krt)
                             : company == 1 ? ConnectionSet::sokaDatabase(suffixes.soka)
                                            : ConnectionSet::kwDatabase(suffixes.kw);
    return TestServers::params(TestServers::lan(), ConnectionSet::kLanPort, database);
}

// All-time invoiced and owed amounts in rupiah over the three companies, straight from the
// invoices: what the summary's totals must add up to.
QPair<double, double> invoicedAndOwed()
{
    double invoiced = 0, owed = 0;
    for (int company = 0; company < 3; ++company) {
        FbConnection connection;
        connection.setParams(companyDatabase(company));
        FbQuery query(&connection);
        query.setSql("select sum(m.INVOICEAMOUNT) INVOICED, sum(m.OWING) OWED from ARINV m "
                     "join CURRENCY c on c.CURRENCYID = m.CURRENCYID "
                     "where c.CURRENCYNAME = 'IDR' and m.DELIVERYORDER = 0 "
                     "and exists (select 1 from SALESMAN s where s.SALESMANID = m.SALESMANID)");
        query.open();
        invoiced += query.field("INVOICED").value<Decimal>().toDouble();
        owed += query.field("OWED").value<Decimal>().toDouble();
    }
    return {invoiced, owed};
}

// Books a payment on one of company KRT's invoices.
void setPaid(const QString& invoice, int amount)
{
    FbConnection krt;
    krt.setParams(companyDatabase(0));
    krt.execute("update ARINV set PAIDAMOUNT = :PAID where INVOICENO = :INVOICE",
                {{"PAID", amount}, {"INVOICE", invoice}});
}

// The main window on the test servers, logged in with one NIK.
class Session
{
public:
    explicit Session(const QString& nik) { ok = fixture.login(nik); }

    ReceivablesReports& reports() { return *fixture.window->findChild<ReceivablesReports*>(); }
    // Runs "Summary1" or "Detail1"; the new report, or null when none was previewed.
    const PreparedReport* run(const char* entry)
    {
        fixture.messages.clear();
        const int before = fixture.viewer.count();
        fixture.window->findChild<QAction*>(entry)->trigger();
        return fixture.viewer.count() > before ? &fixture.viewer.last() : nullptr;
    }

    WindowFixture fixture{WindowFixture::testServers()};
    bool ok = false;
};

} // namespace

// The receivables summary and detail reports against the demo databases.
class TestReceivablesReports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Session> m_admin; // 100001: sees every salesman

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        QVERIFY(m_dir.isValid());
        m_admin = std::make_unique<Session>("100001");
        QVERIFY(m_admin->ok);
    }
    void cleanupTestCase() { m_admin.reset(); }

    // Andi's all-time figures per company, paid as invoiced less owed, and totals over all
    // three companies that match the invoices themselves.
    void summaryPdf()
    {
        const PreparedReport* report = m_admin->run("Summary1");
        QCOMPARE(m_admin->fixture.messages.texts(), QStringList());
        QVERIFY(report);
        QCOMPARE(report->name, QString("reportsummary"));
        const QStringList lines = pdfLines(*report, m_dir.filePath("summary.pdf"));
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.at(0), QString("Sales and Outstanding Report"));
        QCOMPARE(lines.at(1), QString("Sales Name Invoice Amount Paid Amount Outstanding Company"));

        const QStringList andi = lines.filter(QRegularExpression("^Andi "));
        QCOMPARE(andi, QStringList({"Andi 3,885,000.00 1,210,000.00 2,675,000.00 KRT",
                                    "Andi 2,775,000.00 2,110,000.00 665,000.00 BSM",
                                    "Andi 888,000.00 50,000.00 838,000.00 TWSP"}));
        // Companies in the order KRT, BSM, TWSP.
        QStringList order;
        for (const QString& line : lines)
            for (const QString& code : kCompanyCodes)
                if (line.endsWith(' ' + code) && (order.isEmpty() || order.last() != code))
                    order << code;
        QCOMPARE(order, QStringList(std::begin(kCompanyCodes), std::end(kCompanyCodes)));

        const auto [invoiced, owed] = invoicedAndOwed();
        QCOMPARE(lines.last(), QString("TOTAL %1 %2 %3 ALL DB")
                                   .arg(money(invoiced), money(invoiced - owed), money(owed)));
    }

    // Per company, one group per salesman with his customers and his own total.
    void detailPdf()
    {
        const PreparedReport* report = m_admin->run("Detail1");
        QCOMPARE(m_admin->fixture.messages.texts(), QStringList());
        QVERIFY(report);
        QCOMPARE(report->name, QString("reportdetail"));
        const QStringList lines = pdfLines(*report, m_dir.filePath("detail.pdf"));
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.at(0), QString("Report Outstanding Detail per Customer"));
        QCOMPARE(lines.at(1), QString("Company : PT. Karya Rumpun Tama"));

        // Andi's only customer in each company, in the order KRT, BSM, TWSP.
        const QStringList companies = {"Company : PT. Karya Rumpun Tama",
                                       "Company : PT. Bumi Soka Mandiri",
                                       "Company : PT. Tirta Wening Sapta Pratama"};
        const QStringList expected[] = {
            {"Toko Pak'De 2,775,000.00 100,000.00 2,675,000.00",
             "Total Outstanding Andi 2,675,000.00"},
            {"Toko Pak'De 1,665,000.00 1,000,000.00 665,000.00",
             "Total Outstanding Andi 665,000.00"},
            {"Toko Pak'De 888,000.00 50,000.00 838,000.00", "Total Outstanding Andi 838,000.00"}};
        qsizetype from = 0;
        for (int company = 0; company < 3; ++company) {
            const qsizetype header = lines.indexOf("Sales Name : Andi", from);
            QVERIFY(header > 0);
            QCOMPARE(lines.at(header - 1), companies[company]);
            QCOMPARE(lines.at(header + 1),
                     QString("Customer Name Total Invoice Total Paid Outstanding Invoice"));
            QCOMPARE(lines.mid(header + 2, 2), expected[company]);
            from = header + 1;
        }
        // Every group ends with its salesman's total.
        QCOMPARE(lines.filter(QRegularExpression("^Total Outstanding ")).size(),
                 lines.filter(QRegularExpression("^Sales Name : ")).size());
    }

    // The summary as a workbook: the amounts are numbers, not texts.
    void summaryWorkbook()
    {
        const PreparedReport* report = m_admin->run("Summary1");
        QVERIFY(report);
        const QString file = m_dir.filePath("summary.xlsx");
        QVERIFY(XlsxExporter().exportToFile(*report, file).ok());
        const QJsonArray rows =
            QJsonDocument::fromJson(run(kPython, {"-c", kDumpRows, file}).toUtf8()).array();
        QJsonArray andi, total;
        for (const QJsonValue& row : rows) {
            const QJsonArray cells = row.toArray();
            if (cells.size() == 5 && cells.at(0).toArray().at(0) == "Andi" &&
                cells.at(4).toArray().at(0) == "KRT")
                andi = cells;
            if (!cells.isEmpty() && cells.at(0).toArray().at(0) == "TOTAL")
                total = cells;
        }
        QCOMPARE(andi, QJsonArray({QJsonArray{"Andi", "s"}, QJsonArray{3885000, "n"},
                                   QJsonArray{1210000, "n"}, QJsonArray{2675000, "n"},
                                   QJsonArray{"KRT", "s"}}));
        QCOMPARE(total.size(), 5);
        for (int column = 1; column <= 3; ++column)
            QCOMPARE(total.at(column).toArray().at(1), QJsonValue("n"));
        QCOMPARE(total.at(4).toArray().at(0), QJsonValue("ALL DB"));
    }

    // A user without the all-salesmen right sees only his team's members, or only the names
    // in his own record when his teams match none.
    void restrictedUser_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::addColumn<QStringList>("summary");
        QTest::addColumn<QStringList>("detail");
        QTest::newRow("teams Proyek and Retail")
            << "100005" << QStringList{"Andi", "Budi", "Citra", "Dewi", "Eko"}
            << QStringList{"Andi", "Budi", "Citra", "Dewi", "Eko"};
        QTest::newRow("no team: own names")
            << "100003" << QStringList{"Budi", "Citra"} << QStringList{"Budi", "Citra"};
    }
    void restrictedUser()
    {
        QFETCH(QString, nik);
        QFETCH(QStringList, summary);
        QFETCH(QStringList, detail);
        Session session(nik);
        QVERIFY(session.ok);
        const PreparedReport* report = session.run("Summary1");
        QVERIFY(report);
        QCOMPARE(salesmenIn(*report), QSet<QString>(summary.begin(), summary.end()));
        report = session.run("Detail1");
        QVERIFY(report);
        QCOMPARE(salesmenIn(*report), QSet<QString>(detail.begin(), detail.end()));
        QCOMPARE(session.fixture.messages.texts(), QStringList());
    }

    // Every run reads the databases afresh: a payment booked since the last run shows.
    void currentFiguresOnEveryRun()
    {
        QVERIFY(m_admin->run("Summary1"));
        QCOMPARE(m_admin->fixture.viewer.lineOf("Andi"),
                 QStringList({"Andi", "3,885,000.00", "1,210,000.00", "2,675,000.00", "KRT"}));

        setPaid("KRT-A-0002", 220000);
        auto restore = qScopeGuard([] { setPaid("KRT-A-0002", 0); });
        QVERIFY(m_admin->run("Summary1"));
        QCOMPARE(m_admin->fixture.viewer.lineOf("Andi"),
                 QStringList({"Andi", "3,885,000.00", "1,430,000.00", "2,455,000.00", "KRT"}));
        QVERIFY(m_admin->run("Detail1"));
        QCOMPARE(m_admin->fixture.viewer.lineOf("Toko Pak'De"),
                 QStringList({"Toko Pak'De", "2,775,000.00", "320,000.00", "2,455,000.00"}));
    }

    // The reports drop the company connections first, which empties the stock results.
    void stockResultsEmptied()
    {
        StockView& view = m_admin->fixture.window->stockView();
        byName<QRadioButton>(view.panel(), "rb2")->setChecked(true);
        byName<QLineEdit>(view.panel(), "vidarera")->setText("kabel");
        view.runStockCheck();
        for (int company = 0; company < 3; ++company)
            QVERIFY(view.dataSource(company)->rowCount() > 0);
        QVERIFY(m_admin->run("Detail1"));
        for (int company = 0; company < 3; ++company)
            QCOMPARE(view.dataSource(company)->rowCount(), 0);
    }

    // A company database that cannot be reached: the error box carries the database's
    // text and no report opens, since totals over all companies would be wrong without it;
    // once the database answers again the next run works.
    void companyDatabaseDown()
    {
        Session session("100001");
        QVERIFY(session.ok);
        FbConnection& kw = session.fixture.window->connections().kw;
        const ConnectionParams good = kw.params();
        ConnectionParams dead = good;
        dead.host = WindowFixture::deadAddress();
        kw.setParams(dead);
        for (const char* entry : {"Summary1", "Detail1"}) {
            QCOMPARE(session.run(entry), nullptr);
            const QStringList errors = session.fixture.messages.texts(Messages::Kind::Error);
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors.first().contains(WindowFixture::deadAddress()),
                     qPrintable(errors.first()));
        }

        kw.setParams(good);
        const PreparedReport* report = session.run("Summary1");
        QVERIFY(report);
        QCOMPARE(session.fixture.messages.texts(), QStringList());
        QVERIFY(salesmenIn(*report).contains("Andi"));
    }
};

QTEST_MAIN(TestReceivablesReports)
#include "tst_receivables_reports.moc"
