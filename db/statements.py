"""The program's statements against the ERP schema, assembled piece by piece
as the program assembles them, so that the schema can be checked against them
with isql. Statement parameters (:FIRST, :ITEMNO, ...) are given here as
quoted literals, the one thing isql cannot bind."""

CRLF = "\r\n"

# (column, warehouse, alias) in the order of the select list
WAREHOUSES = [
    ("KAPUK_KRT", 0, "a0"),
    ("LTC_KRT", 1, "a1"),
    ("MEZANINE_KRT", 2, "a2"),
    ("BOOKING_KRT", 3, "a3"),
    ("PEC_KRT", 5, "a5"),
    ("PRODUKSI_KRT", 6, "a6"),
    ("WIP_KRT", 11, "a7"),
    ("RAK_KRT", 4, "a4"),
]


def quoted(text: str) -> str:
    return "'" + text.replace("'", "''") + "'"


def _hpp(first: str, d: str, name: str) -> str:
    return (first + d + ") eb) = 0 THEN 0 WHEN (SELECT eb.COSTBAL FROM GET_OBITEMS (a.ITEMNO,"
            + d + ") eb) = 0 THEN 0 ELSE (SELECT eb.COSTBAL FROM GET_OBITEMS (a.ITEMNO,"
            + d + ") eb) / (SELECT eb.QTYBAL FROM GET_OBITEMS (a.ITEMNO," + d + name)


def _warehouses(d: str, which=WAREHOUSES) -> str:
    parts = []
    for column, number, alias in which:
        parts.append(
            f"(select {alias}.QUANTITY {column} from GetItemQuantity (a.ITEMNO,{d},-1) g join "
            f"GET_ITEMByWH ({d},a.ITEMNO,{number}) {alias} on g.ItemNo_Qty = {alias}.ItemNoWH "
            f"where 1=1 and g.ITEMNO = a.ITEMNO) {column}")
    return ",".join(parts)


def three_company(suffix: str, cutoff: str, description: str, code: str,
                  classes: str = "('3','5','7','9')", sortby: str = "a.ITEMDESCRIPTION asc") -> str:
    d = quoted(cutoff)
    first = _hpp(
        "select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, coalesce(sum(ir.QUANTITY - "
        "ir.QTYTRANSFERED),0) AS IR_KRT, a.PURCHPRICE,CASE WHEN (SELECT eb.QTYBAL FROM "
        "GET_OBITEMS (a.ITEMNO,", d,
        ") eb) END AS HPP_KRT, ad.ONORDER ONPO_KRT, az.ONSALES ONSO_KRT,")
    first += _warehouses(d)
    first += (" from item a LEFT OUTER JOIN GET_TOTITEMORDER(a.ITEMNO, " + d
              + ") AD on AD.ITEMNO = a.ITEMNO LEFT OUTER JOIN Get_TotItemSales(a.ITEMNO, " + d
              + ") AZ on AZ.ITEMNO = a.ITEMNO LEFT OUTER JOIN IREQDET ir ON ir.ITEMNO = a.ITEMNO "
              "AND ir.CLOSED = '0' where a.ITEMDESCRIPTION containing " + quoted(description)
              + "and a.ITEMNO containing " + quoted(code))
    lines = [
        first,
        "and a.ITEMTYPE=0",
        "and left (a.ITEMNO,1) in" + classes,
        "GROUP BY a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE, az.ONSALES, ad.ONORDER",
        "Order by " + sortby,
    ]
    return CRLF.join(lines).replace("_KRT", "_" + suffix)


def _single(first_piece: str, cutoff: str, description: str, code: str, which) -> str:
    d = quoted(cutoff)
    first = _hpp(first_piece, d, ") eb) END AS HPP ,ad.ONORDER ONPO_KRT,")
    first += _warehouses(d, which)
    first += (" from item a LEFT OUTER JOIN GET_TOTITEMORDER(a.ITEMNO, " + d
              + ") AD on AD.ITEMNO = a.ITEMNO where a.ITEMDESCRIPTION containing "
              + quoted(description) + "and a.ITEMNO containing " + quoted(code))
    return first


def krt_only(cutoff: str, description: str, code: str, classes: str = "('3','5','7','9')",
             sortby: str = "a.ITEMDESCRIPTION asc") -> str:
    first = _single("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE,CASE WHEN "
                    "(SELECT eb.QTYBAL FROM GET_OBITEMS (a.ITEMNO,", cutoff, description, code,
                    WAREHOUSES)
    return CRLF.join([first, "and a.ITEMTYPE=0", "and left (a.ITEMNO,1) in" + classes,
                      "Order by " + sortby])


def old_stock(cutoff: str, description: str, code: str, itemtype: str,
              classes: str = "('3','5','7','9')", sortby: str = "a.ITEMDESCRIPTION asc") -> str:
    first = _single("select a.ITEMNO, a.ITEMDESCRIPTION, a.UNITPRICE, a.PURCHPRICE, a.reserved2 "
                    "SUBKATEGORI ,a.reserved3 MFD ,a.reserved4 KONDISI ,a.reserved5 CATATAN, "
                    "a.Notes TIPE_BARANG ,CASE WHEN (SELECT eb.QTYBAL FROM GET_OBITEMS (a.ITEMNO,",
                    cutoff, description, code, WAREHOUSES[:1])
    first += "and a.NOTES containing " + quoted(itemtype)
    return CRLF.join([first, "and a.ITEMTYPE=0", "and left (a.ITEMNO,1) in" + classes,
                      "Order by " + sortby])


# ---- item to buy ----

def _w(n: int, item: str, sep: str = " ") -> str:
    return (f"(select a1.QUANTITY from GETITEMQUANTITY ({item},'12/12/2099', -1) g{sep}"
            f"join GET_ITEMByWH ('12/12/2099', {item}, {n}) a1 on g.ItemNo_Qty = a1.ItemNoWH )")


def stock_krt() -> str:
    w = lambda n: _w(n, "a.ITEMNO")  # noqa: E731
    reminder = (w(1) + " +" + w(2) + " +" + w(4)
                + " + td.ONORDER - ts.ONSALES -a.MINIMUMQTY  as numeric(18,2))")
    return "\n".join([
        "select a.ITEMNO", ", a.ITEMDESCRIPTION", ", a.PURCHPRICE", ", icat.NAME Category",
        ", a.RESERVED2 Subcat", ", ic.ChildCount", ", coalesce(a.MINIMUMQTY,0) MINIMUMQTY",
        ", coalesce(ts.OnSales,0) OnSales", ", coalesce(td.OnOrder,0) OnOrder",
        "," + w(1) + " LTC", "," + w(2) + " Mezanine", "," + w(3) + " Booking",
        "," + w(4) + " Rak",
        ",cast(" + reminder + " StockReminder",
        "from ITEM a",
        "left outer join Department DDept on DDept.DeptID=a.DeptID",
        "left outer join Project DProj on DProj.ProjectID=a.ProjectID",
        "left outer join ItemCategory ICat on ICat.CategoryID=a.CategoryID",
        "left outer join WareHS DWHI on DWHI.WarehouseID=a.WarehouseID",
        "left outer join IsChild(a.ItemNo, 1) ic on ic.ItemNo = a.ItemNo",
        "left outer join item_indented(a.ItemNo) i on a.ItemNo = i.ItemNo_Indent",
        "left outer join Get_TotItemSales(a.ItemNo, '12/12/2099') ts on a.ItemNo = ts.ItemNo",
        "left outer join Get_TotItemOrder(a.ItemNo, '12/12/2099') td on a.ItemNo = td.ItemNo",
        "WHERE", "a.MINIMUMQTY > 0", "and",
        "cast(" + reminder + "<0",
        "order by a.FirstParentItem, i.Item_indent",
    ])


def stock_detail(itemno: str) -> str:
    p = quoted(itemno)
    v = lambda n: _w(n, p, "\n")  # noqa: E731
    four = v(1) + " +" + v(2) + " +" + v(3) + " +" + v(4) + " + td.ONORDER - ts.ONSALES"
    return "\n".join([
        "select a.ITEMNO", ", a.ITEMDESCRIPTION", ", a.IndentLevel", ", a.RATIO2", ", a.RATIO3",
        ", coalesce(a.MINIMUMQTY,0) MINIMUMQTY", ", coalesce(ts.OnSales,0) OnSales",
        ", coalesce(td.OnOrder,0) OnOrder",
        "," + v(1) + " LTC", "," + v(2) + " Mezanine", "," + v(3) + " Booking",
        "," + v(4) + " Rak",
        ",cast(" + four + " as numeric(18,2)) TotQty",
        ",cast(" + four + " -a.MINIMUMQTY  as numeric(18,2)) StockReminder",
        "from ITEM a",
        "left outer join WareHS DWHI on DWHI.WarehouseID=a.WarehouseID",
        f"left outer join Get_TotItemSales({p}, '12/12/2099') ts on a.ItemNo = ts.ItemNo",
        f"left outer join Get_TotItemOrder({p}, '12/12/2099') td on a.ItemNo = td.ItemNo",
        "WHERE", f"a.itemno = {p}", "order by a.FirstParentItem",
    ])


# ---- sales window ----

SALES_SOURCES = [
    "from Currency L",
    "left outer join Salesman S on 1=1",
    "left outer join sales_BySalesmansum(s.SalesmanID,L.CurrencyID,{first},{last}) V",
    "on V.SalesmanID=S.SalesmanID and V.CurrencyID=L.CurrencyID",
    "where L.CurrencyID in ('2') ",
    "and V.SalesmanID is not null",
    "and S.FIRSTNAME <>'Kantor'",
]
RETURNS = "(select coalesce(sum(r.RETURNAMOUNT),0) from ARINV r where r.SALESMANID=S.SALESMANID)"


def salesman_template(first: str, last: str) -> list[str]:
    return ["select DISTINCT L.CurrencyName, S.FIRSTNAME, S.JOBTITLE, S.BUSINESSPHONE, "
            "V.INVAMTBEFORETAX,", RETURNS + " TOTRETUR"] + \
        [line.format(first=quoted(first), last=quoted(last)) for line in SALES_SOURCES]


def division_template(first: str, last: str) -> list[str]:
    return ["select S.JOBTITLE, sum(V.INVAMTBEFORETAX) INVAMTBEFORETAX,",
            "sum(" + RETURNS + ") TOTRETUR"] + \
        [line.format(first=quoted(first), last=quoted(last)) for line in SALES_SOURCES]


def member_lines(names: list[str], column: str = "S.FIRSTNAME") -> list[str]:
    lines = []
    for k, name in enumerate(names, start=1):
        value = f"in ({quoted(name)})"
        if len(names) == 1:
            lines.append(f"and ({column} {value})")
        elif k == 1:
            lines.append(f"and ({column} {value}")
        elif k < len(names):
            lines.append(f"or {column} {value}")
        else:
            lines.append(f"or {column} {value})")
    return lines


def single_salesman(name: str, first: str, last: str) -> str:
    return "\n".join(salesman_template(first, last)
                     + [f"and S.FIRSTNAME={quoted(name)}", "order by L.CurrencyName"])


def team_division(members: list[str], first: str, last: str) -> str:
    return "\n".join(division_template(first, last) + member_lines(members)
                     + ["group by 1", "order by jobtitle desc"])


def ranking(first: str, last: str, members: list[str] | None = None) -> str:
    return "\n".join(salesman_template(first, last) + member_lines(members or [])
                     + ["order by S.FIRSTNAME"])


def invoice_detail(first: str, last: str, salesman: str | None) -> str:
    lines = [
        "select L.PERSONNAME, M.INVOICENO, M.INVOICEDATE, v.INVAMTBEFORETAX",
        ",IIF (m.PAIDAMOUNT=0 and m.TERMDISCOUNT=0,0,cast((m.PAIDAMOUNT+m.TERMDISCOUNT-"
        "m.ROUNDEDTAX1AMOUNT)as numeric (18,2))) Paid2",
        ", M.RETURNAMOUNT, M.OWING, L.SALESMANNAME",
        "from ARINV M",
        "left outer join View_ARINVDET(M.ARINVOICEID, null, 0, M.ARInvoiceID) V ",
        "on M.ARINVOICEID=V.ARINVOICEID",
        "left outer join LookUp_PurcSales(M.SalesmanID, M.TermsID, M.Tax1ID, M.Tax2ID, "
        "M.Shipvia, M.CustomerID, M.WarehouseID, M.FreightAccnt) L",
        "on M.SalesmanID=L.SalesmanID or M.TermsID=L.TermID ",
        "or M.Tax1ID=L.Tax1ID or M.Tax2ID=L.Tax2ID or M.Shipvia=L.Shipvia or ",
        "M.CustomerID=L.PersonID or M.WarehouseID=L.WarehouseID or ",
        "M.FreightAccnt=L.FreightAccnt",
        "where",
        "M.SalesmanID is not null and M.DeliveryOrder=0",
        "and L.SALESMANNAME<>'Kantor'",
        f"and M.InvoiceDate Between {quoted(first)} and {quoted(last)}",
    ]
    if salesman is not None:
        lines.append("and (m.SALESMANID = (select z.salesmanid from SALESMAN z where "
                     f"z.FIRSTNAME={quoted(salesman)}))")
    lines.append("order by L.SalesmanName")
    return "\n".join(lines)


# ---- receivables ----

def receivables_summary(filter_lines: list[str]) -> str:
    return "\n".join([
        "select distinct L.CurrencyName, S.FIRSTNAME, S.JOBTITLE, V.INVAMTBEFORETAX, "
        "V.BASETAXINVAMT, V.INVOICEAMOUNT, V.PAIDAMOUNT, V.TAXPAIDAMOUNT, V.PRIMEOWING, "
        "V.BASEOWING",
        "from Currency L",
        "left outer join Salesman S on 1=1",
        "left outer join sales_BySalesmansum(s.SalesmanID, L.CurrencyID,'1/1/2000','1/1/2030') V",
        "on V.SalesmanID=S.SalesmanID and V.CurrencyID=L.CurrencyID",
        "where",
        "V.SalesmanID is not null",
        "and l.CURRENCYNAME='IDR'",
    ] + filter_lines + ["order by L.CurrencyName"])


def receivables_detail(filter_lines: list[str], grouped: bool = True) -> str:
    lines = [
        "select distinct(L.PERSONNAME), l.SALESMANNAME, l.TYPENAME",
        ",sum(m.INVOICEAMOUNT) Invoice_SI",
        ",sum(m.PAIDAMOUNT) Paid_SI",
        ",sum(m.OWING) Outstanding_SI",
        ",sum(m.TERMDISCOUNT) Term_disc",
        ",sum(m.RETURNAMOUNT) Retur_SI",
        "from ARINV M",
        "left outer join View_ARINVDET(M.ARINVOICEID, null, 0, M.ARInvoiceID) V",
        "on M.ARINVOICEID=V.ARINVOICEID",
        "left outer join LookUp_PurcSales(M.SalesmanID, M.TermsID, M.Tax1ID, M.Tax2ID, "
        "M.Shipvia, M.CustomerID, M.WarehouseID, M.FreightAccnt) L",
        "on M.SalesmanID=L.SalesmanID or M.TermsID=L.TermID",
        "or M.Tax1ID=L.Tax1ID or M.Tax2ID=L.Tax2ID or",
        "M.Shipvia=L.Shipvia or M.CustomerID=L.PersonID",
        "or M.WarehouseID=L.WarehouseID or M.FreightAccnt=L.FreightAccnt",
        "where",
        "M.InvoiceDate Between '1/1/2000' and '12/31/2099'  ",
        "and M.DeliveryOrder=0",
        "and ( V.PrimeOwing > 0) ",
    ] + filter_lines
    if grouped:
        lines.append("group by L.PERSONNAME, L.SALESMANNAME, L.TYPENAME order by L.SALESMANNAME")
    return "\n".join(lines)


def five_names(column: str, names: list[str]) -> str:
    return f"and {column} in (" + ",".join(quoted(n) for n in names) + ")"
