#include "sales/ReceivablesStatements.h"

#include "data/SqlText.h"

QStringList summaryStatementStart()
{
    return {
        QStringLiteral("select distinct L.CurrencyName, S.FIRSTNAME, S.JOBTITLE, "
                       "V.INVAMTBEFORETAX, V.BASETAXINVAMT, V.INVOICEAMOUNT, V.PAIDAMOUNT, "
                       "V.TAXPAIDAMOUNT, V.PRIMEOWING, V.BASEOWING"),
        QStringLiteral("from Currency L"),
        QStringLiteral("left outer join Salesman S on 1=1"),
        QStringLiteral("left outer join sales_BySalesmansum(s.SalesmanID, "
                       "L.CurrencyID,'1/1/2000','1/1/2030') V"),
        QStringLiteral("on V.SalesmanID=S.SalesmanID and V.CurrencyID=L.CurrencyID"),
        QStringLiteral("where"),
        QStringLiteral("V.SalesmanID is not null"),
        QStringLiteral("and l.CURRENCYNAME='IDR'"),
    };
}

QStringList detailStatementStart()
{
    return {
        QStringLiteral("select distinct(L.PERSONNAME), l.SALESMANNAME, l.TYPENAME"),
        QStringLiteral(",sum(m.INVOICEAMOUNT) Invoice_SI"),
        QStringLiteral(",sum(m.PAIDAMOUNT) Paid_SI"),
        QStringLiteral(",sum(m.OWING) Outstanding_SI"),
        QStringLiteral(",sum(m.TERMDISCOUNT) Term_disc"),
        QStringLiteral(",sum(m.RETURNAMOUNT) Retur_SI"),
        QStringLiteral("from ARINV M"),
        QStringLiteral("left outer join View_ARINVDET(M.ARINVOICEID, null, 0, M.ARInvoiceID) V"),
        QStringLiteral("on M.ARINVOICEID=V.ARINVOICEID"),
        QStringLiteral("left outer join LookUp_PurcSales(M.SalesmanID, M.TermsID, M.Tax1ID, "
                       "M.Tax2ID, M.Shipvia, M.CustomerID, M.WarehouseID, M.FreightAccnt) L"),
        QStringLiteral("on M.SalesmanID=L.SalesmanID or M.TermsID=L.TermID"),
        QStringLiteral("or M.Tax1ID=L.Tax1ID or M.Tax2ID=L.Tax2ID or"),
        QStringLiteral("M.Shipvia=L.Shipvia or M.CustomerID=L.PersonID"),
        QStringLiteral("or M.WarehouseID=L.WarehouseID or M.FreightAccnt=L.FreightAccnt"),
        QStringLiteral("where"),
        QStringLiteral("M.InvoiceDate Between '1/1/2000' and '12/31/2099'  "),
        QStringLiteral("and M.DeliveryOrder=0"),
        QStringLiteral("and ( V.PrimeOwing > 0) "),
    };
}

QString teamLookupStatement(const SalesScope& scope)
{
    return QStringLiteral("select a.INFO1, a.INFO2 from EXTENDEDDET a where a.EXTENDEDTYPEID=8 "
                          "and (a.INFO1=") +
           sqlQuoted(scope.dept1) + QStringLiteral(" or a.INFO1=") + sqlQuoted(scope.dept2) +
           QStringLiteral(" OR a.INFO1=") + sqlQuoted(scope.dept3) + QLatin1Char(')');
}

QStringList memberCondition(const QStringList& names, const QString& column)
{
    QStringList lines;
    for (qsizetype k = 0; k < names.size(); ++k) {
        const bool first = k == 0;
        const bool last = k == names.size() - 1;
        lines += (first ? QStringLiteral("and (") : QStringLiteral("or ")) + column +
                 QStringLiteral(" in (") + sqlQuoted(names.at(k)) +
                 (last ? QStringLiteral("))") : QStringLiteral(")"));
    }
    return lines;
}

FilterLines salesFilterLines(const SalesScope& scope, const QStringList& teamMembers)
{
    const QString summaryColumn = QStringLiteral("S.FIRSTNAME");
    const QString detailColumn = QStringLiteral("L.SALESMANNAME");
    FilterLines lines;
    if (scope.sales1 == QLatin1String("1")) {
        // Sees every salesman: no restriction.
    } else if (teamMembers.isEmpty()) {
        const QString names =
            QLatin1Char('(') +
            QStringList{sqlQuoted(scope.sales1), sqlQuoted(scope.sales2), sqlQuoted(scope.dept1),
                        sqlQuoted(scope.dept2), sqlQuoted(scope.dept3)}
                .join(QLatin1Char(',')) +
            QLatin1Char(')');
        lines.summary += QStringLiteral("and ") + summaryColumn + QStringLiteral(" in ") + names;
        lines.detail += QStringLiteral("and ") + detailColumn + QStringLiteral(" in ") + names;
    } else {
        lines.summary = memberCondition(teamMembers, summaryColumn);
        lines.detail = memberCondition(teamMembers, detailColumn);
    }
    lines.summary += QLatin1String(kSummaryClosingLine);
    lines.detail += QLatin1String(kDetailClosingLine);
    return lines;
}
