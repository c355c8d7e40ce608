"""The statements the checks run.

The stock, item-to-buy and receivables statements are the program's own: the
build's print_statements (tests/tools) prints each as the program sends it, so
no copy of them is kept here. The sales window's statements are not built by
the program yet; until they are, they are written out below. Statement
parameters (:FIRST, :ITEMNO, ...) are given as quoted literals, the one thing
isql cannot bind.

The helper is found at $VID_PRINT_STATEMENTS, by default build/tests/print_statements
of this repository."""

import os
import subprocess

CODE_CLASS = "('3','5','7','9')"
BY_DESCRIPTION = "a.ITEMDESCRIPTION asc"

# A user's sales scope: sales1, sales2, dept1, dept2, dept3 (sales1 "1" sees every salesman).
ALL_SALESMEN = ("1", "", "", "", "")


def quoted(text: str) -> str:
    return "'" + text.replace("'", "''") + "'"


def _program(*arguments: str) -> str:
    helper = os.environ.get("VID_PRINT_STATEMENTS") or os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build", "tests", "print_statements")
    result = subprocess.run([helper, *arguments], capture_output=True, check=True)
    return result.stdout.decode("utf-8")


# ---- stock check ----

def three_company(suffix: str, cutoff: str, description: str, code: str,
                  classes: str = CODE_CLASS, sortby: str = BY_DESCRIPTION) -> str:
    return _program("stock", "all", suffix, cutoff, description, code, "", classes, sortby)


def krt_only(cutoff: str, description: str, code: str, classes: str = CODE_CLASS,
             sortby: str = BY_DESCRIPTION) -> str:
    return _program("stock", "krt", "KRT", cutoff, description, code, "", classes, sortby)


def old_stock(cutoff: str, description: str, code: str, itemtype: str,
              classes: str = CODE_CLASS, sortby: str = BY_DESCRIPTION) -> str:
    return _program("stock", "old", "KRT", cutoff, description, code, itemtype, classes, sortby)


# ---- item to buy ----

def stock_krt() -> str:
    return _program("item-to-buy-master")


def stock_detail(itemno: str) -> str:
    return _program("item-to-buy-detail").replace(":ITEMNO", quoted(itemno))


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

def team_lookup(scope: tuple[str, ...]) -> str:
    return _program("team-lookup", *scope)


def receivables_summary(scope: tuple[str, ...], members: list[str] = ()) -> str:
    return _program("receivables-summary", *scope, *members)


def receivables_detail(scope: tuple[str, ...], members: list[str] = ()) -> str:
    return _program("receivables-detail", *scope, *members)
