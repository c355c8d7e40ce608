#include "sales/ReceivablesStatements.h"

#include <QTest>

namespace
{

const QString kSummaryOrder = QStringLiteral("order by L.CurrencyName");
const QString kDetailOrder =
    QStringLiteral("group by L.PERSONNAME, L.SALESMANNAME, L.TYPENAME order by L.SALESMANNAME");

// Bracket depth after the text, counting only brackets outside string literals; -1 when a
// bracket closes that was never opened or a literal stays open.
int bracketBalance(const QString& sql)
{
    int depth = 0;
    bool inside = false;
    for (const QChar c : sql) {
        if (c == QLatin1Char('\''))
            inside = !inside; // a doubled quote toggles twice
        else if (!inside && c == QLatin1Char('('))
            ++depth;
        else if (!inside && c == QLatin1Char(')') && --depth < 0)
            return -1;
    }
    return inside ? -1 : depth;
}

} // namespace

Q_DECLARE_METATYPE(SalesScope)

class TestReceivablesStatements : public QObject
{
    Q_OBJECT
private slots:
    void salesFilterLines_data()
    {
        QTest::addColumn<SalesScope>("scope");
        QTest::addColumn<QStringList>("team");
        QTest::addColumn<QStringList>("summary");
        QTest::addColumn<QStringList>("detail");

        const SalesScope restricted{"Budi", "Ani", "Team A", "Team B", ""};
        QTest::newRow("sees everyone")
            << SalesScope{"1", "Ani", "Team A", "", ""} << QStringList{"Andi"}
            << QStringList{kSummaryOrder} << QStringList{kDetailOrder};
        QTest::newRow("team of three")
            << restricted << QStringList{"Andi", "Bayu", "Citra"}
            << QStringList{"and (S.FIRSTNAME in ('Andi')", "or S.FIRSTNAME in ('Bayu')",
                           "or S.FIRSTNAME in ('Citra'))", kSummaryOrder}
            << QStringList{"and (L.SALESMANNAME in ('Andi')", "or L.SALESMANNAME in ('Bayu')",
                           "or L.SALESMANNAME in ('Citra'))", kDetailOrder};
        QTest::newRow("team of two") << restricted << QStringList{"Andi", "Bayu"}
                                     << QStringList{"and (S.FIRSTNAME in ('Andi')",
                                                    "or S.FIRSTNAME in ('Bayu'))", kSummaryOrder}
                                     << QStringList{"and (L.SALESMANNAME in ('Andi')",
                                                    "or L.SALESMANNAME in ('Bayu'))", kDetailOrder};
        QTest::newRow("team of one")
            << restricted << QStringList{"Andi"}
            << QStringList{"and (S.FIRSTNAME in ('Andi'))", kSummaryOrder}
            << QStringList{"and (L.SALESMANNAME in ('Andi'))", kDetailOrder};
        QTest::newRow("no team: the five names, empty ones too")
            << restricted << QStringList{}
            << QStringList{"and S.FIRSTNAME in ('Budi','Ani','Team A','Team B','')", kSummaryOrder}
            << QStringList{"and L.SALESMANNAME in ('Budi','Ani','Team A','Team B','')",
                           kDetailOrder};
        QTest::newRow("member with a quote")
            << restricted << QStringList{"D'Souza", "Eko"}
            << QStringList{"and (S.FIRSTNAME in ('D''Souza')", "or S.FIRSTNAME in ('Eko'))",
                           kSummaryOrder}
            << QStringList{"and (L.SALESMANNAME in ('D''Souza')", "or L.SALESMANNAME in ('Eko'))",
                           kDetailOrder};
        QTest::newRow("own name with a quote, no team")
            << SalesScope{"O'Neil", "", "", "", ""} << QStringList{}
            << QStringList{"and S.FIRSTNAME in ('O''Neil','','','','')", kSummaryOrder}
            << QStringList{"and L.SALESMANNAME in ('O''Neil','','','','')", kDetailOrder};
    }

    void salesFilterLines()
    {
        QFETCH(SalesScope, scope);
        QFETCH(QStringList, team);
        QFETCH(QStringList, summary);
        QFETCH(QStringList, detail);
        const FilterLines lines = ::salesFilterLines(scope, team);
        QCOMPARE(lines.summary, summary);
        QCOMPARE(lines.detail, detail);

        // The completed statements close every bracket and every literal.
        QCOMPARE(bracketBalance((summaryStatementStart() + lines.summary).join(QLatin1Char('\n'))),
                 0);
        QCOMPARE(bracketBalance((detailStatementStart() + lines.detail).join(QLatin1Char('\n'))),
                 0);
    }

    void statementsEndInsideTheirWhereClause()
    {
        for (const QStringList& start : {summaryStatementStart(), detailStatementStart()}) {
            QVERIFY(start.contains(QStringLiteral("where")));
            QCOMPARE(bracketBalance(start.join(QLatin1Char('\n'))), 0);
            QVERIFY(!start.join(QLatin1Char(' '))
                         .contains(QStringLiteral("order by"), Qt::CaseInsensitive));
        }
    }

    void teamLookupStatement_data()
    {
        QTest::addColumn<SalesScope>("scope");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three teams")
            << SalesScope{"Budi", "", "Team A", "Team B", "Team C"}
            << "select a.INFO1, a.INFO2 from EXTENDEDDET a where a.EXTENDEDTYPEID=8 and "
               "(a.INFO1='Team A' or a.INFO1='Team B' OR a.INFO1='Team C')";
        QTest::newRow("empty teams") << SalesScope{"Budi", "", "", "", ""}
                                     << "select a.INFO1, a.INFO2 from EXTENDEDDET a where "
                                        "a.EXTENDEDTYPEID=8 and (a.INFO1='' or a.INFO1='' OR "
                                        "a.INFO1='')";
        QTest::newRow("quote in a team name")
            << SalesScope{"Budi", "", "Tim 'Satu'", "x' or '1'='1", ""}
            << "select a.INFO1, a.INFO2 from EXTENDEDDET a where a.EXTENDEDTYPEID=8 and "
               "(a.INFO1='Tim ''Satu''' or a.INFO1='x'' or ''1''=''1' OR a.INFO1='')";
    }

    void teamLookupStatement()
    {
        QFETCH(SalesScope, scope);
        QFETCH(QString, expected);
        QCOMPARE(::teamLookupStatement(scope), expected);
    }

    void memberCondition_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QStringList{} << QStringList{};
        QTest::newRow("one") << QStringList{"Andi"} << QStringList{"and (X.NAME in ('Andi'))"};
        QTest::newRow("three") << QStringList{"Andi", "", "Citra"}
                               << QStringList{"and (X.NAME in ('Andi')", "or X.NAME in ('')",
                                              "or X.NAME in ('Citra'))"};
    }

    void memberCondition()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, expected);
        QCOMPARE(::memberCondition(names, QStringLiteral("X.NAME")), expected);
    }
};

QTEST_GUILESS_MAIN(TestReceivablesStatements)
#include "tst_receivables_statements.moc"
