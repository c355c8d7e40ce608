#include "sales/SalesStatements.h"

#include "sales/ReceivablesStatements.h"

namespace
{

// Returns are the salesman's over every date, not only the period's.
const QString kReturns = QStringLiteral("(select coalesce(sum(r.RETURNAMOUNT),0) from ARINV r "
                                        "where r.SALESMANID=S.SALESMANID)");

QStringList salesSources()
{
    return {
        QStringLiteral("from Currency L"),
        QStringLiteral("left outer join Salesman S on 1=1"),
        QStringLiteral("left outer join sales_BySalesmansum(s.SalesmanID,L.CurrencyID,:FIRST,"
                       ":LAST) V"),
        QStringLiteral("on V.SalesmanID=S.SalesmanID and V.CurrencyID=L.CurrencyID"),
        QStringLiteral("where L.CurrencyID in ('2') "),
        QStringLiteral("and V.SalesmanID is not null"),
        QStringLiteral("and S.FIRSTNAME <>'Kantor'"),
    };
}

const QString kByName = QStringLiteral("order by S.FIRSTNAME");

} // namespace

QStringList salesmanLevelTemplate()
{
    return QStringList{QStringLiteral("select DISTINCT L.CurrencyName, S.FIRSTNAME, S.JOBTITLE, "
                                      "S.BUSINESSPHONE, V.INVAMTBEFORETAX,"),
                       kReturns + QStringLiteral(" TOTRETUR")} +
           salesSources();
}

QStringList divisionLevelTemplate()
{
    return QStringList{QStringLiteral("select S.JOBTITLE, sum(v.INVAMTBEFORETAX) INVAMTBEFORETAX,"),
                       QStringLiteral("sum(") + kReturns + QStringLiteral(") TOTRETUR")} +
           salesSources();
}

QStringList invoiceLevelTemplate()
{
    return {
        QStringLiteral("select L.PERSONNAME, M.INVOICENO, M.INVOICEDATE, v.INVAMTBEFORETAX"),
        QStringLiteral(",IIF (m.PAIDAMOUNT=0 and m.TERMDISCOUNT=0,0,cast((m.PAIDAMOUNT+"
                       "m.TERMDISCOUNT-m.ROUNDEDTAX1AMOUNT)as numeric (18,2))) Paid2"),
        QStringLiteral(", M.RETURNAMOUNT, M.OWING, L.SALESMANNAME"),
        QStringLiteral("from ARINV M"),
        QStringLiteral("left outer join View_ARINVDET(M.ARINVOICEID, null, 0, M.ARInvoiceID) V "),
        QStringLiteral("on M.ARINVOICEID=V.ARINVOICEID"),
        QStringLiteral("left outer join LookUp_PurcSales(M.SalesmanID, M.TermsID, M.Tax1ID, "
                       "M.Tax2ID, M.Shipvia, M.CustomerID, M.WarehouseID, M.FreightAccnt) L"),
        QStringLiteral("on M.SalesmanID=L.SalesmanID or M.TermsID=L.TermID "),
        QStringLiteral("or M.Tax1ID=L.Tax1ID or M.Tax2ID=L.Tax2ID or M.Shipvia=L.Shipvia or "),
        QStringLiteral("M.CustomerID=L.PersonID or M.WarehouseID=L.WarehouseID or "),
        QStringLiteral("M.FreightAccnt=L.FreightAccnt"),
        QStringLiteral("where"),
        QStringLiteral("M.SalesmanID is not null and M.DeliveryOrder=0"),
        QStringLiteral("and L.SALESMANNAME<>'Kantor'"),
        QStringLiteral("and M.InvoiceDate Between :FIRST and :LAST"),
    };
}

QStringList salesmanCondition(const QStringList& names)
{
    return memberCondition(names, QStringLiteral("S.FIRSTNAME"));
}

QStringList teamDivisionStatement(const QStringList& members)
{
    return divisionLevelTemplate() + salesmanCondition(members) +
           QStringList{QStringLiteral("group by 1"), QStringLiteral("order by jobtitle desc")};
}

QStringList rankingStatement(const QStringList& names)
{
    return salesmanLevelTemplate() + salesmanCondition(names) + QStringList{kByName};
}

QStringList singleSalesmanStatement()
{
    return salesmanLevelTemplate() + QStringList{QStringLiteral("and S.FIRSTNAME=:nmsalesman"),
                                                 QStringLiteral("order by L.CurrencyName")};
}

QStringList invoiceDetailStatement(bool allSalesmen)
{
    QStringList lines = invoiceLevelTemplate();
    // By id, so that two salesmen who share a first name list their invoices instead of
    // failing the sub-select; the name is bound, whatever quotes it holds.
    if (!allSalesmen)
        lines += QStringLiteral("and (m.SALESMANID in (select z.salesmanid from SALESMAN z "
                                "where z.FIRSTNAME=cast(:nmsalesman as varchar(255))))");
    lines += QStringLiteral("order by L.SalesmanName");
    return lines;
}
