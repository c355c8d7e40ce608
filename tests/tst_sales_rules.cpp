#include "sales/SalesCheckRules.h"
#include "sales/SalesList.h"
#include "sales/SalesStatements.h"

#include <QTest>

Q_DECLARE_METATYPE(SalesCheck)
Q_DECLARE_METATYPE(InvoiceDetail)
Q_DECLARE_METATYPE(SalesScope)

namespace
{

const QLocale kPoint = QLocale::c();
const QLocale kIndonesian(QLocale::Indonesian, QLocale::Indonesia);

// The lines a statement adds to its template.
QStringList tail(const QStringList& statement, const QStringList& templ)
{
    if (statement.mid(0, templ.size()) != templ)
        return {QStringLiteral("<template changed>")};
    return statement.mid(templ.size());
}

} // namespace

// The sales window's rules: what a button does, the statements it runs, the figures it
// shows and the list it offers.
class TestSalesRules : public QObject
{
    Q_OBJECT
private slots:
    void chooseCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("teamCount");
        QTest::addColumn<SalesCheck>("expected");
        // Full list of 4 teams: 0..3 teams, 4 "All Sales", 5.. salesmen.
        QTest::newRow("all sales entry") << "All Sales" << 4 << 4 << SalesCheck::AllSalesRanking;
        QTest::newRow("all sales typed, nothing selected")
            << "All Sales" << -1 << 4 << SalesCheck::AllSalesRanking;
        QTest::newRow("team entry") << "Team Proyek" << 0 << 4 << SalesCheck::Team;
        QTest::newRow("last team entry") << "Team Solo" << 3 << 4 << SalesCheck::Team;
        QTest::newRow("nothing selected is a team") << "Andi" << -1 << 4 << SalesCheck::Team;
        QTest::newRow("nothing selected, empty box") << "" << -1 << 4 << SalesCheck::Team;
        QTest::newRow("salesman entry") << "Andi" << 5 << 4 << SalesCheck::Salesman;
        QTest::newRow("typed All Team over All Sales")
            << "All Team" << 4 << 4 << SalesCheck::AllTeamRanking;
        QTest::newRow("restricted All Team entry")
            << "All Team" << 0 << 0 << SalesCheck::AllTeamRanking;
        QTest::newRow("restricted salesman") << "Budi" << 1 << 0 << SalesCheck::Salesman;
        QTest::newRow("restricted team name without team")
            << "Team Proyek" << 2 << 0 << SalesCheck::Salesman;
        QTest::newRow("restricted, nothing selected") << "Budi" << -1 << 0 << SalesCheck::Team;
        QTest::newRow("empty entry") << "" << 3 << 0 << SalesCheck::Nothing;
    }
    void chooseCheck()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(int, teamCount);
        QFETCH(SalesCheck, expected);
        QCOMPARE(::chooseCheck(text, position, teamCount), expected);
    }

    void chooseInvoiceDetail_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("teamCount");
        QTest::addColumn<InvoiceDetail>("expected");
        QTest::newRow("team") << "Team Proyek" << 1 << 4 << InvoiceDetail::TeamRanking;
        QTest::newRow("nothing selected") << "Andi" << -1 << 4 << InvoiceDetail::TeamRanking;
        QTest::newRow("all sales") << "All Sales" << 4 << 4 << InvoiceDetail::Invoices;
        QTest::newRow("salesman") << "Andi" << 5 << 4 << InvoiceDetail::Invoices;
        QTest::newRow("empty") << "" << 2 << 0 << InvoiceDetail::Nothing;
    }
    void chooseInvoiceDetail()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(int, teamCount);
        QFETCH(InvoiceDetail, expected);
        QCOMPARE(::chooseInvoiceDetail(text, position, teamCount), expected);
    }

    // A team's members as one bracketed condition, in both statements of the team check.
    void teamStatements_data()
    {
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QStringList>("condition");
        QTest::newRow("one") << QStringList{"Andi"} << QStringList{"and (S.FIRSTNAME in ('Andi'))"};
        QTest::newRow("two") << QStringList{"Andi", "Budi"}
                             << QStringList{"and (S.FIRSTNAME in ('Andi')",
                                            "or S.FIRSTNAME in ('Budi'))"};
        QTest::newRow("three") << QStringList{"Andi", "Budi", "Citra"}
                               << QStringList{"and (S.FIRSTNAME in ('Andi')",
                                              "or S.FIRSTNAME in ('Budi')",
                                              "or S.FIRSTNAME in ('Citra'))"};
        QTest::newRow("quote doubled")
            << QStringList{"Ma'ruf", "Budi"}
            << QStringList{"and (S.FIRSTNAME in ('Ma''ruf')", "or S.FIRSTNAME in ('Budi'))"};
        QTest::newRow("no team row") << QStringList{} << QStringList{};
    }
    void teamStatements()
    {
        QFETCH(QStringList, members);
        QFETCH(QStringList, condition);
        QCOMPARE(tail(teamDivisionStatement(members), divisionLevelTemplate()),
                 condition + QStringList({"group by 1", "order by jobtitle desc"}));
        QCOMPARE(tail(rankingStatement(members), salesmanLevelTemplate()),
                 condition + QStringList{"order by S.FIRSTNAME"});
    }

    void otherStatements()
    {
        QCOMPARE(tail(singleSalesmanStatement(), salesmanLevelTemplate()),
                 (QStringList{"and S.FIRSTNAME=:nmsalesman", "order by L.CurrencyName"}));
        QCOMPARE(tail(invoiceDetailStatement(true), invoiceLevelTemplate()),
                 QStringList{"order by L.SalesmanName"});
        const QStringList one = tail(invoiceDetailStatement(false), invoiceLevelTemplate());
        QCOMPARE(one.size(), 2);
        QVERIFY(one.at(0).contains("m.SALESMANID in (select z.salesmanid from SALESMAN z"));
        QVERIFY(one.at(0).contains(":nmsalesman"));
    }

    // The pieces the company databases rely on reach them exactly.
    void templatePieces_data()
    {
        QTest::addColumn<QStringList>("statement");
        QTest::addColumn<QStringList>("lines");
        const QStringList conditions{"where L.CurrencyID in ('2') ", "and V.SalesmanID is not null",
                                     "and S.FIRSTNAME <>'Kantor'"};
        QTest::newRow("salesman level") << salesmanLevelTemplate() << conditions;
        QTest::newRow("division level") << divisionLevelTemplate() << conditions;
        QTest::newRow("invoice level")
            << invoiceLevelTemplate()
            << QStringList{
                   "from ARINV M",
                   "left outer join View_ARINVDET(M.ARINVOICEID, null, 0, M.ARInvoiceID) V ",
                   "on M.ARINVOICEID=V.ARINVOICEID",
                   "on M.SalesmanID=L.SalesmanID or M.TermsID=L.TermID ",
                   "M.CustomerID=L.PersonID or M.WarehouseID=L.WarehouseID or ",
                   "M.FreightAccnt=L.FreightAccnt",
                   "where",
                   "M.SalesmanID is not null and M.DeliveryOrder=0",
                   "and L.SALESMANNAME<>'Kantor'",
                   "and M.InvoiceDate Between :FIRST and :LAST"};
    }
    void templatePieces()
    {
        QFETCH(QStringList, statement);
        QFETCH(QStringList, lines);
        for (const QString& line : lines)
            QVERIFY2(statement.contains(line), qPrintable(line));
        const QString text = statement.join('\n');
        if (statement != invoiceLevelTemplate()) {
            QVERIFY(text.contains("left outer join Salesman S on 1=1"));
            QVERIFY(text.contains("(s.SalesmanID,L.CurrencyID,:FIRST,:LAST) V"));
        } else {
            QVERIFY(text.contains(",IIF (m.PAIDAMOUNT=0 and m.TERMDISCOUNT=0,0,cast((m.PAIDAMOUNT+"
                                  "m.TERMDISCOUNT-m.ROUNDEDTAX1AMOUNT)as numeric (18,2))) Paid2"));
        }
    }

    void percentageText_data()
    {
        QTest::addColumn<double>("achieved");
        QTest::addColumn<double>("target");
        QTest::addColumn<int>("days");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Andi's January")
            << 5400000.0 << 5000000.0 << 30 << kPoint << "108.00% / 1296.00%";
        QTest::newRow("regional separator")
            << 5400000.0 << 5000000.0 << 30 << kIndonesian << "108,00% / 1296,00%";
        QTest::newRow("a year") << 4263000.0 << 12000000.0 << 360 << kPoint << "35.53% / 35.53%";
        QTest::newRow("nothing achieved") << 0.0 << 1000000.0 << 10 << kPoint << "0.00% / 0.00%";
        QTest::newRow("returns exceed") << -500.0 << 1000.0 << 360 << kPoint << "-50.00% / -50.00%";
        QTest::newRow("same day") << 5400000.0 << 5000000.0 << 0 << kPoint << "108.00% / -";
        QTest::newRow("target 0") << 5400000.0 << 0.0 << 30 << kPoint << "- / -";
    }
    void percentageText()
    {
        QFETCH(double, achieved);
        QFETCH(double, target);
        QFETCH(int, days);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(::percentageText(achieved, target, days, locale), expected);
    }

    void periodDays_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<int>("days");
        QTest::newRow("January") << QDate(2026, 1, 1) << QDate(2026, 1, 31) << 30;
        QTest::newRow("same day") << QDate(2026, 1, 1) << QDate(2026, 1, 1) << 0;
        QTest::newRow("end before start") << QDate(2026, 1, 31) << QDate(2026, 1, 1) << 30;
        QTest::newRow("leap year") << QDate(2024, 1, 1) << QDate(2025, 1, 1) << 366;
    }
    void periodDays()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(int, days);
        QCOMPARE(::periodDays(start, end), days);
    }

    void parseTarget_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "5000000" << true << 5000000.0;
        QTest::newRow("decimal point") << "1500000.50" << true << 1500000.5;
        QTest::newRow("blanks around") << " 8000000 " << true << 8000000.0;
        QTest::newRow("zero") << "0" << true << 0.0;
        QTest::newRow("words") << "dua juta" << false << 0.0;
        QTest::newRow("grouped") << "5.000.000" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }
    void parseTarget()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const std::optional<double> target = ::parseTarget(text);
        QCOMPARE(target.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*target, value);
    }

    void congratulation()
    {
        QVERIFY(!targetPassed(5000000, 5000000));
        QVERIFY(targetPassed(5000001, 5000000));
        QVERIFY(targetPassed(1, 0));
        QCOMPARE(::congratulation("Andi"), QString("Selamat pencapaian omset Andi sudah 100%"));
    }

    void achievedAmount()
    {
        // Invoiced less returns over the companies; a company without a row adds nothing.
        const QList<CompanySales> andi{{3000000, 100000}, {2500000, 0}, {}};
        QCOMPARE(::achievedAmount(andi), 5400000.0);
        QCOMPARE(::achievedAmount(QList<CompanySales>()), 0.0);
    }

    void salesList_data()
    {
        QTest::addColumn<SalesScope>("scope");
        QTest::addColumn<QStringList>("members"); // of the user's teams, as read
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("a name, no team: the five names, empty ones too")
            << SalesScope{"Budi", "Citra", "", "", ""} << QStringList{}
            << QStringList{"Budi", "Citra", "", "", ""};
        QTest::newRow("teams: own name, then the members")
            << SalesScope{"Andi", "", "Team Proyek", "Team Retail", ""}
            << QStringList{"Andi", "Budi", "Citra", "Dewi", "Eko"}
            << QStringList{"Andi", "Andi", "Budi", "Citra", "Dewi", "Eko"};
        QTest::newRow("All Team first") << SalesScope{"All Team", "", "Team Proyek", "", ""}
                                        << QStringList{"Andi", "Budi", "Citra"}
                                        << QStringList{"All Team", "Andi", "Budi", "Citra"};
    }
    void salesList()
    {
        QFETCH(SalesScope, scope);
        QFETCH(QStringList, members);
        QFETCH(QStringList, entries);
        QVERIFY(!seesAllSalesmen(scope));
        QCOMPARE(restrictedSalesList(scope, members).entries, entries);
    }

    void fullSalesList()
    {
        QVERIFY(seesAllSalesmen(SalesScope{"1", "", "", "", ""}));
        const SalesList list = ::fullSalesList({"Team A", "Team B"}, {"Andi", "Budi", "Andi"});
        QCOMPARE(list.entries,
                 (QStringList{"Team A", "Team B", "All Sales", "Andi", "Budi", "Andi"}));
        QCOMPARE(list.teamCount, 2);
    }
};

QTEST_APPLESS_MAIN(TestSalesRules)
#include "tst_sales_rules.moc"
