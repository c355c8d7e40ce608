// vid_test: DB
#include "app/MainWindow.h"
#include "data/ConnectionSet.h"
#include "data/Decimal.h"
#include "data/FbQuery.h"
#include "data/NumberFormat.h"
#include "report/PdfExporter.h"
#include "report/XlsxExporter.h"
#include "sales/SalesAchievementDialog.h"
#include "tests/support/TestServers.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace
{

const QDate kJanuaryFirst(2026, 1, 1);
const QDate kJanuaryLast(2026, 1, 31);

double number(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<Decimal>())
        return value.value<Decimal>().toDouble();
    return value.toDouble();
}

// "%2.2n" as the reports show it under the tests' C locale.
QString money(double value)
{
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    return grouped.toString(value, 'f', 2);
}

ConnectionParams company(int index)
{
    const TestServers::Suffixes s = TestServers::suffixes();
    const QString databases[] = {ConnectionSet::krtDatabase(s.krt),
                                 ConnectionSet::sokaDatabase(s.soka),
                                 ConnectionSet::kwDatabase(s.kw)};
    return TestServers::params(TestServers::lan(), ConnectionSet::kLanPort, databases[index]);
}

// One salesman's figures in one company, read straight from the tables.
struct Salesman {
    QString division;
    int invoices = 0;    // IDR sales in the period
    double invoiced = 0; // their lines before tax
    double returns = 0;  // every invoice's returns, whatever its date or currency
};

QHash<QString, Salesman> salesmen(int index, QDate first, QDate last)
{
    FbConnection connection;
    connection.setParams(company(index));
    FbQuery q(&connection);
    const QString period =
        QStringLiteral("m.SALESMANID=s.SALESMANID and m.CURRENCYID=2 and m.DELIVERYORDER=0 and "
                       "m.INVOICEDATE between :A and :B");
    q.setSql("select s.FIRSTNAME, s.JOBTITLE, (select count(*) from ARINV m where " + period +
             ") N, (select sum(d.LINEAMOUNT) from ARINV m join ARINVDET d on "
             "d.ARINVOICEID=m.ARINVOICEID where " +
             period +
             ") INV, (select sum(m.RETURNAMOUNT) from ARINV m where m.SALESMANID=s.SALESMANID) "
             "RET from SALESMAN s where s.FIRSTNAME<>'Kantor'");
    q.setParam("A", first);
    q.setParam("B", last);
    q.open();
    QHash<QString, Salesman> out;
    for (q.first(); !q.eof(); q.next())
        out.insert(q.field("FIRSTNAME").toString(),
                   {q.field("JOBTITLE").toString(), q.field("N").toInt(), number(q.field("INV")),
                    number(q.field("RET"))});
    return out;
}

// Invoiced less returns of the named salesmen with sales in the period; only the division
// that sorts last counts, as the team check reads it.
double achieved(const QStringList& names, QDate first, QDate last, bool lastDivisionOnly)
{
    double total = 0;
    for (int c = 0; c < 3; ++c) {
        const QHash<QString, Salesman> all = salesmen(c, first, last);
        QString division;
        for (const QString& name : names)
            if (all.value(name).invoices > 0 && all.value(name).division > division)
                division = all.value(name).division;
        for (const QString& name : names) {
            const Salesman s = all.value(name);
            if (s.invoices > 0 && (!lastDivisionOnly || s.division == division))
                total += s.invoiced - s.returns;
        }
    }
    return total;
}

struct InvoiceTotals {
    int rows = 0;
    double dppLessReturns = 0, paid = 0, owing = 0;
};

// The invoice detail's totals over the three companies, straight from the tables.
InvoiceTotals invoiceTotals(QDate first, QDate last)
{
    InvoiceTotals t;
    for (int c = 0; c < 3; ++c) {
        FbConnection connection;
        connection.setParams(company(c));
        FbQuery q(&connection);
        q.setSql("select (select coalesce(sum(d.LINEAMOUNT),0) from ARINVDET d where "
                 "d.ARINVOICEID=m.ARINVOICEID) DPP, m.PAIDAMOUNT, m.TERMDISCOUNT, "
                 "m.ROUNDEDTAX1AMOUNT, m.RETURNAMOUNT, m.OWING from ARINV m join SALESMAN s on "
                 "s.SALESMANID=m.SALESMANID where m.DELIVERYORDER=0 and s.FIRSTNAME<>'Kantor' "
                 "and m.INVOICEDATE between :A and :B");
        q.setParam("A", first);
        q.setParam("B", last);
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            const double paid = number(q.field("PAIDAMOUNT"));
            const double discount = number(q.field("TERMDISCOUNT"));
            ++t.rows;
            t.dppLessReturns += number(q.field("DPP")) - number(q.field("RETURNAMOUNT"));
            if (paid != 0 || discount != 0)
                t.paid += paid + discount - number(q.field("ROUNDEDTAX1AMOUNT"));
            t.owing += number(q.field("OWING"));
        }
    }
    return t;
}

void control(const QString& sql)
{
    FbConnection connection;
    connection.setParams(TestServers::lanControl());
    connection.execute(sql);
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The main window logged in with a NIK and its sales window, filled as on activation.
class Session
{
public:
    explicit Session(const QString& nik)
    {
        ok = fixture.login(nik);
        fixture.messages.clear();
        activate();
    }

    SalesAchievementDialog& dialog() { return *fixture.omset; }
    void activate()
    {
        QEvent event(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&dialog(), &event);
    }
    QComboBox* names() { return dialog().findChild<QComboBox*>("cbnamasales"); }
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < names()->count(); ++i)
            out << names()->itemText(i);
        return out;
    }
    QString label(const char* name) { return dialog().findChild<QLabel*>(name)->text(); }
    // Name, division, achieved, target, percentages.
    QStringList labels()
    {
        return {names()->currentText(), label("lbldivisi"), label("lblomset"), label("lbltarget"),
                label("lblpersen")};
    }
    void pick(const QString& entry, QDate first = kJanuaryFirst, QDate last = kJanuaryLast)
    {
        names()->setCurrentIndex(names()->findText(entry, Qt::MatchExactly));
        dialog().findChild<QDateEdit*>("DateAwal")->setDate(first);
        dialog().findChild<QDateEdit*>("DateAkhir")->setDate(last);
    }
    // Presses a button; the report it previewed, or null.
    const PreparedReport* press(const char* button)
    {
        fixture.messages.clear();
        const int before = fixture.viewer.count();
        dialog().findChild<QPushButton*>(button)->click();
        return fixture.viewer.count() > before ? &fixture.viewer.last() : nullptr;
    }
    bool companiesClosed()
    {
        ConnectionSet& set = fixture.window->connections();
        return !set.krt.isOpen() && !set.soka.isOpen() && !set.kw.isOpen();
    }

    WindowFixture fixture{WindowFixture::testServers()};
    bool ok = false;
};

} // namespace

// The sales window against the demo databases.
class TestSalesAchievement : public QObject
{
    Q_OBJECT

    std::unique_ptr<Session> m_all; // a user who sees every salesman
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY2(TestServers::available(), "test servers not configured");
        m_all = std::make_unique<Session>("100001");
        QVERIFY(m_all->ok);
    }
    void cleanupTestCase() { m_all.reset(); }

    // The list each kind of user gets, with the start of the period and today as dates.
    void salesList_data()
    {
        QTest::addColumn<QString>("nik");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("mayType");
        QTest::newRow("sees all") << "100004"
                                  << QStringList{"Team Proyek", "Team Retail", "Team Solo",
                                                 "Team Timur",  "All Sales",   "Andi",
                                                 "Budi",        "Citra",       "Dewi",
                                                 "Eko",         "Ma'ruf",      "Budi",
                                                 "Fajar"}
                                  << true;
        QTest::newRow("five names")
            << "100003" << QStringList{"Budi", "Citra", "", "", ""} << false;
        QTest::newRow("two teams")
            << "100005" << QStringList{"Andi", "Andi", "Budi", "Citra", "Dewi", "Eko"} << false;
        QTest::newRow("All Team") << "100006" << QStringList{"All Team", "Andi", "Budi", "Citra"}
                                  << false;
    }
    void salesList()
    {
        QFETCH(QString, nik);
        QFETCH(QStringList, entries);
        QFETCH(bool, mayType);
        Session session(nik);
        QVERIFY(session.ok);
        QCOMPARE(session.entries(), entries);
        QCOMPARE(session.names()->lineEdit()->isReadOnly(), !mayType);
        QCOMPARE(session.dialog().findChild<QDateEdit*>("DateAwal")->date(), kJanuaryFirst);
        QCOMPARE(session.dialog().findChild<QDateEdit*>("DateAkhir")->date(),
                 session.fixture.clock.today());
        QCOMPARE(session.fixture.messages.texts(), QStringList());
    }

    // "Sales Report" opens the window modally, filled for the user logged in.
    void menuOpensWindow()
    {
        Session s("100006");
        s.dialog().clearSalesList();
        QStringList shown;
        QTimer::singleShot(0, &s.dialog(), [&] {
            if (QTest::qWaitFor([&] { return s.names()->count() > 0; }, 5000))
                shown = s.entries();
            s.dialog().reject();
        });
        s.fixture.window->findChild<QAction*>("SalesReport2")->trigger();
        QCOMPARE(shown, (QStringList{"All Team", "Andi", "Budi", "Citra"}));
    }

    // Andi's January: 3,000,000 + 2,500,000 in KRT and BSM less KRT's return of 100,000 from
    // December; KW's return counts nothing without a sale in the period.
    void salesmanCheck()
    {
        Session& s = *m_all;
        s.pick("Andi");
        QVERIFY(!s.press("btncek"));
        QCOMPARE(achieved({"Andi"}, kJanuaryFirst, kJanuaryLast, false), 5400000.0);
        QCOMPARE(s.labels(), (QStringList{"Andi", "Team Proyek", "5.400.000", "5.000.000",
                                          "108.00% / 1296.00%"}));
        QCOMPARE(s.fixture.messages.texts(Messages::Kind::Information),
                 QStringList{"Selamat pencapaian omset Andi sudah 100%"});
        QCOMPARE(s.fixture.messages.shown.size(), 1);
        QVERIFY(s.companiesClosed());
    }

    void teamCheck_data()
    {
        QTest::addColumn<QString>("team");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::newRow("one division, January")
            << "Team Proyek" << QStringList{"Andi", "Budi", "Citra"} << "12.000.000"
            << kJanuaryFirst << kJanuaryLast;
        QTest::newRow("target on one member's row")
            << "Team Retail" << QStringList{"Dewi", "Eko"} << "8.000.000" << QDate(2025, 1, 1)
            << QDate(2026, 6, 30);
        QTest::newRow("two divisions: the one sorting last")
            << "Team Timur" << QStringList{"Ma'ruf", "Budi"} << "4.000.000" << QDate(2025, 1, 1)
            << QDate(2026, 6, 30);
    }
    void teamCheck()
    {
        QFETCH(QString, team);
        QFETCH(QStringList, members);
        QFETCH(QString, target);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        Session& s = *m_all;
        s.pick(team, first, last);
        s.press("btncek");
        QCOMPARE(s.fixture.messages.texts(Messages::Kind::Error), QStringList());
        const double expected = achieved(members, first, last, true);
        QVERIFY(expected > 0);
        QCOMPARE(s.label("lbldivisi"), team);
        QCOMPARE(s.label("lblomset"), formatuang(expected));
        QCOMPARE(s.label("lbltarget"), target);
        QVERIFY(s.label("lblpersen").contains("% / "));
        QVERIFY(s.companiesClosed());
    }

    // Rows the tests add to the control database: a team whose name has a quote and a
    // target of 0, and one whose target is not a number.
    void awkwardTeams_data()
    {
        QTest::addColumn<QString>("team");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("quote, target 0")
            << "Tim O'Brien"
            << "0" << QStringList{"Tim O'Brien", "Tim O'Brien", "-", "0", "- / -"} << QStringList{};
        QTest::newRow("target not a number")
            << "Tim Rusak"
            << "dua juta" << QStringList{"Tim Rusak", "Tim Rusak", "-", "dua juta", ""}
            << QStringList{"Target \"dua juta\" bukan angka."};
    }
    void awkwardTeams()
    {
        QFETCH(QString, team);
        QFETCH(QString, target);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, errors);
        const QString quotedTeam = QString(team).replace("'", "''");
        control(QString("insert into EXTENDEDDET (EXTENDEDTYPEID, INFO1, INFO2, INFO3, INFO4) "
                        "values (8, '%1', 'Ma''ruf', '1500000', '%2')")
                    .arg(quotedTeam, target));
        const auto remove = qScopeGuard([&] {
            control("delete from EXTENDEDDET where EXTENDEDTYPEID=8 and INFO1='" + quotedTeam +
                    "'");
        });
        Session& s = *m_all;
        s.activate();
        s.pick(team, QDate(2025, 1, 1), QDate(2026, 6, 30));
        s.press("btncek");
        const double expected = achieved({"Ma'ruf"}, QDate(2025, 1, 1), QDate(2026, 6, 30), true);
        QVERIFY(expected > 0);
        labels[2] = formatuang(expected);
        QCOMPARE(s.labels(), labels);
        QCOMPARE(s.fixture.messages.texts(Messages::Kind::Error), errors);
        // A target of 0 is passed by any sale.
        QCOMPARE(s.fixture.messages.texts(Messages::Kind::Information).size(),
                 errors.isEmpty() ? 1 : 0);
    }

    // The same day twice, and an end before the start: no sale counts; the days are the
    // absolute difference.
    void oddPeriods()
    {
        Session& s = *m_all;
        s.pick("Andi", QDate(2026, 1, 5), QDate(2026, 1, 5));
        s.press("btncek");
        QCOMPARE(s.labels(), (QStringList{"Andi", "Team Proyek", "0", "5.000.000", "0.00% / -"}));
        s.pick("Andi", kJanuaryLast, kJanuaryFirst);
        s.press("btncek");
        QCOMPARE(s.labels(),
                 (QStringList{"Andi", "Team Proyek", "0", "5.000.000", "0.00% / 0.00%"}));
        QCOMPARE(s.fixture.messages.texts(), QStringList());
    }

    // The ranking of every salesman: a row per salesman and company, the grand total.
    void allSalesRanking()
    {
        Session& s = *m_all;
        s.pick("All Sales");
        const PreparedReport* report = s.press("btncek");
        QVERIFY(report);
        QCOMPARE(report->name, QString("Printrank"));
        QVERIFY(s.companiesClosed());
        const QStringList everyone{"Andi",  "Budi", "Citra",  "Dewi",  "Eko",
                                   "Fajar", "Gita", "Hendra", "Ma'ruf"};
        const double total = achieved(everyone, kJanuaryFirst, kJanuaryLast, false);
        QCOMPARE(s.fixture.viewer.lineOf("GRAND TOTAL"),
                 (QStringList{"GRAND TOTAL", money(total)}));
        const QStringList andi = s.fixture.viewer.lineOf("Andi");
        QCOMPARE(andi.at(0), QString("KRT"));
        QCOMPARE(andi.at(2), QString("PROYEK"));
        QCOMPARE(andi.last(), QString("2,900,000.00"));
        QVERIFY(!s.fixture.viewer.texts().contains("Kantor"));

        // As a file: the PDF reads back, the workbook keeps numbers as numbers.
        const QString pdf = m_dir.filePath("rank.pdf");
        QVERIFY(PdfExporter().exportToFile(*report, pdf).ok());
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.contains("Pencapaian Sales All"));
        QVERIFY(text.contains(QRegularExpression("KRT +Andi +PROYEK .* 2,900,000\\.00")));
        QVERIFY(text.contains(
            QRegularExpression("GRAND TOTAL +" + QRegularExpression::escape(money(total)))));
        const QString book = m_dir.filePath("rank.xlsx");
        QVERIFY(XlsxExporter().exportToFile(*report, book).ok());
        const QString cells =
            run("/usr/bin/python3", {"-c",
                                     "import sys, openpyxl\n"
                                     "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                     "print([c.value for r in ws.iter_rows() for c in r "
                                     "if isinstance(c.value, (int, float))])",
                                     book});
        QVERIFY2(cells.contains("2900000"), qPrintable(cells));
    }

    // Typed "All Team" selects "All Sales" on the way: the ranking of the list's salesmen.
    void typedAllTeam()
    {
        Session& s = *m_all;
        s.pick("");
        s.names()->setEditText("");
        QTest::keyClicks(s.names()->lineEdit(), "All ");
        QCOMPARE(s.names()->currentText(), QString("All Sales"));
        QTest::keyClicks(s.names()->lineEdit(), "Team");
        QCOMPARE(s.names()->currentText(), QString("All Team"));
        QCOMPARE(s.names()->currentIndex(), s.entries().indexOf("All Sales"));
        s.dialog().findChild<QDateEdit*>("DateAwal")->setDate(kJanuaryFirst);
        s.dialog().findChild<QDateEdit*>("DateAkhir")->setDate(kJanuaryLast);
        QVERIFY(s.press("btncek"));
        const QStringList listed{"Andi", "Budi", "Citra", "Dewi", "Eko", "Fajar", "Ma'ruf"};
        QCOMPARE(s.fixture.viewer.lineOf("GRAND TOTAL").last(),
                 money(achieved(listed, kJanuaryFirst, kJanuaryLast, false)));
        QVERIFY(!s.fixture.viewer.texts().contains("Gita"));

        // Back from the preview the box still holds both, so the press runs the same.
        const QStringList ranking = s.fixture.viewer.texts();
        s.activate();
        QCOMPARE(s.names()->currentText(), QString("All Team"));
        s.dialog().findChild<QDateEdit*>("DateAkhir")->setDate(kJanuaryLast);
        QVERIFY(s.press("btncek"));
        QCOMPARE(s.fixture.viewer.texts(), ranking);
    }

    // Every invoice of January but "Kantor"'s, by company, with the four totals.
    void invoiceDetailAllSales()
    {
        Session& s = *m_all;
        s.pick("All Sales");
        const PreparedReport* report = s.press("btndetail");
        QVERIFY(report);
        QCOMPARE(report->name, QString("printdetail"));
        QVERIFY(s.companiesClosed());
        const InvoiceTotals t = invoiceTotals(kJanuaryFirst, kJanuaryLast);
        const auto total = [&](const char* label) { return s.fixture.viewer.lineOf(label).last(); };
        QCOMPARE(total("TOTAL DPP INVOICE"), money(t.dppLessReturns));
        QCOMPARE(total("TOTAL PAID"), money(t.paid));
        QCOMPARE(total("TOTAL OUTSTANDING (Exc Tax)"), money(t.dppLessReturns - t.paid));
        QCOMPARE(total("TOTAL OUTSTANDING (Tax)"), money(t.owing));
        QCOMPARE(s.fixture.viewer.lineOf("SOKA-A-0001"),
                 (QStringList{"Toko Pak'De", "SOKA-A-0001", "10/01/2026", "1,500,000.00",
                              "835,000.00", "0.00", "665,000.00", "Andi", "BSM"}));

        const QString pdf = m_dir.filePath("detail.pdf");
        QVERIFY(PdfExporter().exportToFile(*report, pdf).ok());
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.contains("Report Sales Omset by Invoice Detail"));
        QVERIFY(
            text.contains(QRegularExpression("KRT-A-0002 +31/01/2026 +2,000,000\\.00 +0\\.00")));
        QVERIFY(text.contains(
            QRegularExpression("TOTAL PAID +" + QRegularExpression::escape(money(t.paid)))));
    }

    // One salesman's invoices, dollars included (no currency condition): Andi's known ones.
    void invoiceDetailOneSalesman()
    {
        Session& s = *m_all;
        s.pick("Andi");
        QVERIFY(s.press("btndetail"));
        QStringList invoices;
        for (const QString& text : s.fixture.viewer.texts())
            if (text.contains("-A-"))
                invoices << text;
        invoices.sort();
        QCOMPARE(invoices, (QStringList{"KRT-A-0001", "KRT-A-0002", "KRT-A-0005", "SOKA-A-0001",
                                        "SOKA-A-0002"}));
        QCOMPARE(s.fixture.viewer.lineOf("TOTAL DPP INVOICE").last(), QString("5,500,100.00"));
        QCOMPARE(s.fixture.viewer.lineOf("TOTAL PAID").last(), QString("2,835,100.00"));
        QCOMPARE(s.fixture.viewer.lineOf("TOTAL OUTSTANDING (Exc Tax)").last(),
                 QString("2,665,000.00"));
        QCOMPARE(s.fixture.viewer.lineOf("TOTAL OUTSTANDING (Tax)").last(),
                 QString("2,885,000.00"));
    }

    // A second salesman with the same first name lists with the first instead of failing.
    void sharedFirstName()
    {
        FbConnection krt;
        krt.setParams(company(0));
        krt.execute("insert into SALESMAN (SALESMANID, FIRSTNAME, JOBTITLE) values (990001, "
                    "'Andi', 'RETAIL')");
        const auto remove =
            qScopeGuard([&] { krt.execute("delete from SALESMAN where SALESMANID=990001"); });
        Session& s = *m_all;
        s.pick("Andi");
        QVERIFY(s.press("btndetail"));
        QCOMPARE(s.fixture.messages.texts(), QStringList());
        QCOMPARE(s.fixture.viewer.lineOf("TOTAL DPP INVOICE").last(), QString("5,500,100.00"));
    }

    // For a team the detail is the ranking of its members, whatever ran before.
    void teamDetailAfterOtherChecks_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("salesman check") << "Andi";
        QTest::newRow("invoice detail") << "All Sales";
        QTest::newRow("other team's check") << "Team Retail";
    }
    void teamDetailAfterOtherChecks()
    {
        QFETCH(QString, before);
        Session& s = *m_all;
        s.pick(before);
        s.press(before == "All Sales" ? "btndetail" : "btncek");
        const QDate first(2025, 1, 1), last(2026, 6, 30);
        s.pick("Team Proyek", first, last);
        const PreparedReport* report = s.press("btndetail");
        QVERIFY(report);
        QCOMPARE(report->name, QString("Printrank"));
        QCOMPARE(s.fixture.messages.texts(), QStringList());
        QStringList names;
        for (const QString& text : s.fixture.viewer.texts())
            if (QStringList{"Andi", "Budi", "Citra", "Dewi", "Eko"}.contains(text))
                names << text;
        names.removeDuplicates();
        QCOMPARE(names, (QStringList{"Andi", "Budi", "Citra"}));
        QCOMPARE(s.fixture.viewer.lineOf("GRAND TOTAL").last(),
                 money(achieved({"Andi", "Budi", "Citra"}, first, last, false)));
    }

    // Back from a message or a preview the list is rebuilt and the dates reset; the entry
    // the box shows stays selected, so the next press is for the same salesman.
    void activationKeepsTheEntry()
    {
        Session& s = *m_all;
        s.pick("Andi");
        s.press("btncek");
        s.activate();
        QCOMPARE(s.names()->currentText(), QString("Andi"));
        QCOMPARE(s.names()->currentIndex(), s.entries().indexOf("Andi"));
        QCOMPARE(s.dialog().findChild<QDateEdit*>("DateAkhir")->date(), s.fixture.clock.today());
        QVERIFY(s.press("btndetail"));
        QCOMPARE(s.fixture.viewer.last().name, QString("printdetail"));
    }

    // A company database that cannot be reached: its error, and the next check works once
    // it is back.
    void companyDown()
    {
        Session& s = *m_all;
        s.pick("Andi");
        s.press("btncek");
        const QString before = s.label("lblomset");
        FbConnection& kw = s.fixture.window->connections().kw;
        const ConnectionParams good = kw.params();
        ConnectionParams dead = good;
        dead.host = WindowFixture::deadAddress();
        kw.setParams(dead);
        s.pick("Team Proyek");
        s.press("btncek");
        kw.setParams(good);
        QCOMPARE(s.fixture.messages.texts(Messages::Kind::Error).size(), 1);
        QVERIFY(!s.fixture.messages.texts(Messages::Kind::Error).first().isEmpty());
        QCOMPARE(s.label("lblomset"), before);
        QVERIFY(s.companiesClosed());

        s.pick("Andi");
        s.press("btncek");
        QCOMPARE(s.fixture.messages.texts(Messages::Kind::Error), QStringList());
        QCOMPARE(s.label("lblomset"), QString("5.400.000"));
    }
};

QTEST_MAIN(TestSalesAchievement)
#include "tst_sales_achievement.moc"
