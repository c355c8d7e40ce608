#!/usr/bin/env python3
"""Runs the program's statements against the demo databases on a server and
checks the documented values (db/README.md).

    check_statements.py <address> <port> [--bench]

--bench times the heavy stock statements instead (for the large databases)."""

import subprocess
import sys
import time
from decimal import Decimal

import layout
import statements as st

USER = ["-user", "SYSDBA", "-password", "plumtrees"]
CUTOFF = "12/30/2099"
FIRST, LAST = "01/01/2026", "01/31/2026"


class Server:
    def __init__(self, address: str, port: str):
        self.address = address
        self.port = port

    def dsn(self, db: layout.Database) -> str:
        return f"{self.address}/{self.port}:{db.erp_path}"

    def run(self, db: layout.Database, sql: str, charset: str = "UTF8") -> list[dict]:
        script = "SET LIST ON;\n" + sql + ";\n"
        result = subprocess.run(["isql-fb", "-q", *USER, "-ch", charset, self.dsn(db)],
                                input=script.encode("utf-8" if charset == "UTF8" else "cp1252"),
                                capture_output=True)
        err = result.stderr.decode("utf-8", "replace")
        if "Statement failed" in err or result.returncode != 0:
            raise RuntimeError(err.strip() or f"isql exit {result.returncode}")
        out = result.stdout.decode("utf-8" if charset == "UTF8" else "cp1252")
        rows, row = [], {}
        for line in out.splitlines():
            if not line.strip():
                if row:
                    rows.append(row)
                    row = {}
                continue
            name, _, value = line.partition(" ")
            value = value.strip()
            row[name.upper()] = None if value == "<null>" else value
        if row:
            rows.append(row)
        return rows


def num(value) -> Decimal | None:
    return None if value is None else Decimal(value)


def by_item(rows: list[dict]) -> dict[str, dict]:
    return {row["ITEMNO"]: row for row in rows}


class Checks:
    def __init__(self, server: Server):
        self.server = server
        self.passed = 0
        self.failed = 0

    def expect(self, name: str, condition: bool, detail: str = "") -> None:
        if condition:
            self.passed += 1
            print(f"ok   {name}")
        else:
            self.failed += 1
            print(f"FAIL {name} {detail}")

    def equal(self, name: str, got, want) -> None:
        self.expect(name, got == want, f"got {got!r}, want {want!r}")

    def rows(self, name, db, sql, charset="UTF8") -> list[dict]:
        try:
            return self.server.run(db, sql, charset)
        except RuntimeError as error:
            self.expect(name + " runs", False, str(error).splitlines()[-1])
            return []

    # ---- Stock check ----

    def stock(self) -> None:
        k = by_item(self.rows("three-company KRT", layout.KRT,
                              st.three_company("KRT", CUTOFF, "kabel", "")))
        row = k.get("3-90001", {})
        self.equal("KRT 3-90001 HPP_KRT", num(row.get("HPP_KRT")), Decimal(150))
        self.equal("KRT 3-90001 IR_KRT", num(row.get("IR_KRT")), Decimal(8))
        self.equal("KRT 3-90001 LTC/RAK", (num(row.get("LTC_KRT")), num(row.get("RAK_KRT"))),
                   (Decimal(3), Decimal(1)))
        self.equal("KRT 3-90001 ONPO/ONSO", (num(row.get("ONPO_KRT")), num(row.get("ONSO_KRT"))),
                   (Decimal(0), Decimal(0)))
        self.expect("CONTAINING ignores case", "3-90031" in k)
        self.expect("code class 1 and 8 left out", "1-90040" not in k and "8-90041" not in k)
        self.expect("service item left out", "3-90042" not in k)
        self.expect("cable items found", len(k) >= 10, f"{len(k)} rows")
        names = [r["ITEMDESCRIPTION"] for r in k.values()]
        self.expect("kabel in every description", all("KABEL" in n.upper() for n in names))

        s = by_item(self.rows("three-company SOKA", layout.SOKA,
                              st.three_company("SM", CUTOFF, "kabel", "")))
        self.equal("SOKA 3-90001 HPP_SM", num(s.get("3-90001", {}).get("HPP_SM")), Decimal(160))
        self.equal("SOKA 3-90001 IR_SM", num(s.get("3-90001", {}).get("IR_SM")), Decimal(5))
        self.expect("SOKA xKaBeLx found", "3-90032" in s)
        w = by_item(self.rows("three-company KW", layout.KW,
                              st.three_company("KW", CUTOFF, "kabel", "")))
        row = w.get("3-90001", {})
        self.equal("KW 3-90001 HPP_KW/MEZANINE_KW",
                   (num(row.get("HPP_KW")), num(row.get("MEZANINE_KW"))),
                   (Decimal(170), Decimal(20)))
        self.equal("KW 3-90031 WIP_KW", num(w.get("3-90031", {}).get("WIP_KW")), Decimal(15))

        rows = self.rows("KRT-only, empty filters", layout.KRT, st.krt_only(CUTOFF, "", ""))
        count = self.rows("item count", layout.KRT,
                          "select count(*) N from item where itemtype=0 and itemdescription "
                          "is not null and left(itemno,1) in ('3','5','7','9')")
        self.equal("KRT-only lists every type-0 item of the class",
                   len(rows), int(count[0]["N"]) if count else -1)
        self.expect("null description never listed", "3-90030" not in by_item(rows))
        k = by_item(rows)
        self.equal("HPP qty 0, cost 35 -> 0", num(k.get("3-90002", {}).get("HPP")), Decimal(0))
        self.equal("HPP cost 0 -> 0", num(k.get("5-90004", {}).get("HPP")), Decimal(0))
        self.equal("HPP at 01/31/2025", num(by_item(self.rows(
            "KRT-only at 01/31/2025", layout.KRT, st.krt_only("01/31/2025", "", "3-90001")))
            .get("3-90001", {}).get("HPP")), Decimal(150))
        for day, want in [("04/20/2025", 12), ("04/19/2025", 20), ("03/31/2025", 0)]:
            got = by_item(self.rows(f"ON ORDER at {day}", layout.KRT,
                                    st.krt_only(day, "", "5-90003"))).get("5-90003", {})
            self.equal(f"5-90003 ONPO_KRT at {day}", num(got.get("ONPO_KRT")), Decimal(want))
        got = by_item(self.rows("quote in filter", layout.KRT, st.krt_only(CUTOFF, "d'Lux", "")))
        self.expect("description with a quote found", list(got) == ["5-90013"], str(list(got)))
        got = by_item(self.rows("non-ASCII filter", layout.KRT, st.krt_only(CUTOFF, "mm²", "9000")))
        self.expect("mm² found", "3-90001" in got, str(list(got)))
        got = by_item(self.rows("non-ASCII filter WIN1252", layout.KRT,
                                st.krt_only(CUTOFF, "Ø 3/4", "9000"), charset="WIN1252"))
        self.expect("Ø found over WIN1252", "3-90002" in got, str(list(got)))
        got = self.rows("class ('1')", layout.KRT, st.krt_only(CUTOFF, "", "", "('1')"))
        self.expect("class ('1') only codes starting with 1",
                    got and all(r["ITEMNO"].startswith("1") for r in got))
        got = self.rows("KRT-only by NOTES", layout.KRT,
                        st.krt_only(CUTOFF, "kabel", "", sortby="a.NOTES asc"))
        self.expect("KRT-only accepts a.NOTES asc", len(got) > 0)
        # NOTES is not grouped: the three-company statement orders by code instead.
        got = self.rows("three-company by NOTES", layout.KRT,
                        st.three_company("KRT", CUTOFF, "kabel", "", sortby="a.NOTES asc"))
        codes = [r["ITEMNO"] for r in got]
        self.expect("three-company by NOTES runs, by code", codes == sorted(codes) and codes)
        got = self.rows("sort by code", layout.SOKA,
                        st.three_company("SM", CUTOFF, "", "", sortby="a.ITEMNO asc"))
        codes = [r["ITEMNO"] for r in got]
        self.expect("three-company sorted by code", codes == sorted(codes) and len(codes) > 50)

        o = by_item(self.rows("old stock PANEL", layout.OLD, st.old_stock(CUTOFF, "", "", "panel")))
        row = o.get("7-50001", {})
        self.equal("old 7-50001 KAPUK_KRT", num(row.get("KAPUK_KRT")), Decimal(12))
        self.equal("old 7-50001 attributes",
                   (row.get("TIPE_BARANG"), row.get("MFD"), row.get("KONDISI"),
                    row.get("CATATAN"), row.get("SUBKATEGORI")),
                   ("PANEL", "2016", "Baik", "Ex gudang Kapuk", "Panel"))
        self.equal("old 7-50001 HPP", num(row.get("HPP")), Decimal(300000))
        o = by_item(self.rows("old stock empty type", layout.OLD, st.old_stock(CUTOFF, "", "", "")))
        self.expect("old stock with NULL NOTES never listed", "7-50002" not in o and len(o) > 10)

    # ---- Item to buy ----

    def item_to_buy(self) -> None:
        rows = self.rows("StockKRT", layout.KRT, st.stock_krt())
        k = by_item(rows)
        want = {"5-90010": -10, "5-90011": -8, "5-90012": -10, "5-90013": -4, "5-90015": -10,
                "5-90017": -8, "5-90021": -5, "5-90022": -5, "5-90023": -2}
        for code, reminder in want.items():
            self.equal(f"StockKRT {code} StockReminder",
                       num(k.get(code, {}).get("STOCKREMINDER")), Decimal(reminder))
        for code in ["5-90014", "5-90016", "5-90018", "3-90001"]:
            self.expect(f"StockKRT leaves out {code}", code not in k)
        row = k.get("5-90017", {})
        self.equal("5-90017 OnOrder/OnSales/Booking",
                   (num(row.get("ONORDER")), num(row.get("ONSALES")), num(row.get("BOOKING"))),
                   (Decimal(10), Decimal(3), Decimal(100)))
        got = self.rows("IsChild", layout.KRT, "select ChildCount from IsChild('5-90020', 1)")
        self.equal("5-90020 direct children", got[0]["CHILDCOUNT"] if got else None, "2")
        order = [r["ITEMNO"] for r in rows if r["ITEMNO"] in ("5-90021", "5-90022", "5-90023")]
        self.equal("tree order", order, ["5-90021", "5-90023", "5-90022"])
        for db, code, column, value in [(layout.SOKA, "5-90011", "LTC", 5),
                                        (layout.KW, "5-90011", "MEZANINE", 4),
                                        (layout.SOKA, "5-90015", "BOOKING", 20),
                                        (layout.KW, "5-90010", "TOTQTY", 0)]:
            got = self.rows(f"detail {db.key} {code}", db, st.stock_detail(code))
            self.equal(f"detail {db.key} {code} {column}",
                       num(got[0].get(column)) if got else None, Decimal(value))
        got = self.rows("detail of a missing item", layout.SOKA, st.stock_detail("5-90013"))
        self.equal("no detail row for an item the company lacks", got, [])

    # ---- Parts 3.1 to 3.3 ----

    def sales(self) -> None:
        want = {layout.KRT: ("3000000.00", "100000.00"), layout.SOKA: ("2500000.00", "0.00")}
        for db in layout.COMPANIES:
            got = self.rows(f"single salesman {db.key}", db, st.single_salesman("Andi", FIRST, LAST))
            pair = (got[0]["INVAMTBEFORETAX"], got[0]["TOTRETUR"]) if got else None
            self.equal(f"Andi {db.key} DPP/returns", pair, want.get(db))
        got = self.rows("team division", layout.KRT,
                        st.team_division(["Andi", "Budi", "Citra"], FIRST, LAST))
        self.equal("Team Proyek division", got[0]["JOBTITLE"] if got else None, "PROYEK")
        got = self.rows("one-member team", layout.KRT, st.team_division(["Andi"], FIRST, LAST))
        self.equal("one-member team DPP", got[0]["INVAMTBEFORETAX"] if got else None, "3000000.00")
        got = self.rows("quote in a name", layout.KW, st.team_division(["Ma'ruf"], "01/01/2025",
                                                                         "12/31/2026"))
        self.expect("Ma'ruf's division runs", all(r["JOBTITLE"] == "TIMUR" for r in got))
        got = self.rows("all sales", layout.KRT, st.ranking(FIRST, LAST))
        names = [r["FIRSTNAME"] for r in got]
        self.expect("ranking without Kantor", "Kantor" not in names and "Andi" in names)
        self.expect("ranking ordered by name", names == sorted(names))
        got = self.rows("all team", layout.KRT, st.ranking(FIRST, LAST, ["Andi", "Budi", "1"]))
        self.expect("all-team ranking only of the listed", set(r["FIRSTNAME"] for r in got)
                    <= {"Andi", "Budi"})

        got = self.rows("invoice detail Andi", layout.KRT, st.invoice_detail(FIRST, LAST, "Andi"))
        self.equal("Andi KRT invoices", sorted(r["INVOICENO"] for r in got),
                   ["KRT-A-0001", "KRT-A-0002", "KRT-A-0005"])
        paid = {r["INVOICENO"]: r["PAID2"] for r in got}
        self.equal("Paid2 KRT-A-0001/0002", (paid.get("KRT-A-0001"), paid.get("KRT-A-0002")),
                   ("1000000.00", "0.00"))
        got = self.rows("invoice detail SOKA", layout.SOKA, st.invoice_detail(FIRST, LAST, "Andi"))
        paid = {r["INVOICENO"]: r["PAID2"] for r in got}
        self.equal("Paid2 with term discount", paid.get("SOKA-A-0002"), "1000000.00")
        self.equal("customer name", {r["PERSONNAME"] for r in got}, {"Toko Pak'De"})
        got = self.rows("invoice detail all", layout.KRT, st.invoice_detail(FIRST, LAST, None))
        self.expect("all sales without Kantor", got and all(r["SALESMANNAME"] != "Kantor"
                                                             for r in got))
        got = self.rows("unknown salesman", layout.KRT, st.invoice_detail(FIRST, LAST, "Nobody"))
        self.equal("unknown salesman: no rows", got, [])

        # Receivables: the program's statements, completed by the sales filter of a scope.
        all_ = st.ALL_SALESMEN
        got = self.rows("summary, all", layout.KRT, st.receivables_summary(all_))
        andi = [r for r in got if r["FIRSTNAME"] == "Andi"]
        self.equal("summary Andi KRT", (andi[0]["INVOICEAMOUNT"], andi[0]["PRIMEOWING"])
                   if andi else None, ("3885000.00", "2675000.00"))
        for db, want in [(layout.SOKA, ("2775000.00", "665000.00")),
                         (layout.KW, ("888000.00", "838000.00"))]:
            got = [r for r in self.rows(f"summary {db.key}", db, st.receivables_summary(all_))
                   if r["FIRSTNAME"] == "Andi"]
            self.equal(f"summary Andi {db.key}",
                       (got[0]["INVOICEAMOUNT"], got[0]["PRIMEOWING"]) if got else None, want)
        got = self.rows("delivery order", layout.KRT,
                        "select INVOICEAMOUNT, OWING from ARINV where INVOICENO='KRT-A-0004'")
        self.equal("delivery order owes nothing",
                   (got[0]["INVOICEAMOUNT"], got[0]["OWING"]) if got else None,
                   ("777000.00", "0.00"))
        team = ("Andi", "", "Team Proyek", "", "")
        members = self.team_members(team)
        self.equal("team lookup", members, ["Andi", "Budi", "Citra"])
        got = self.rows("summary, team", layout.KRT, st.receivables_summary(team, members))
        self.equal("summary team filter", sorted(r["FIRSTNAME"] for r in got),
                   ["Andi", "Budi", "Citra"])
        five = ("Budi", "Citra", "", "", "")
        got = self.rows("summary, five names", layout.KRT,
                        st.receivables_summary(five, self.team_members(five)))
        self.equal("summary five names", sorted(r["FIRSTNAME"] for r in got), ["Budi", "Citra"])
        got = self.rows("detail, all", layout.KRT, st.receivables_detail(all_))
        andi = [r for r in got if r["SALESMANNAME"] == "Andi"]
        self.equal("detail Andi KRT", [(r["PERSONNAME"], r["INVOICE_SI"], r["OUTSTANDING_SI"],
                                        r["RETUR_SI"]) for r in andi],
                   [("Toko Pak'De", "2775000.00", "2675000.00", "100000.00")])
        got = self.rows("detail, team", layout.KRT, st.receivables_detail(team, members))
        names = [r["SALESMANNAME"] for r in got]
        self.equal("detail team filter", sorted(set(names)), ["Andi", "Budi", "Citra"])
        self.expect("detail ordered by salesman", names == sorted(names))
        # Its closing line holds the group by the sums need.
        unclosed = "\r\n".join(st.receivables_detail(all_).split("\r\n")[:-1])
        try:
            self.server.run(layout.KRT, unclosed)
            self.expect("detail without its closing line is rejected", False, "it ran")
        except RuntimeError:
            self.expect("detail without its closing line is rejected", True)

    def team_members(self, scope: tuple[str, ...]) -> list[str]:
        """The salesmen of the scope's teams, as login reads them."""
        rows = self.rows("team lookup", layout.CONTROL, st.team_lookup(scope))
        return [r["INFO2"] for r in rows]

    # ---- control records and audit ----

    def control(self) -> None:
        got = self.rows("application record", layout.CONTROL,
                        "select * from EXTENDEDDET where EXTENDEDTYPEID=3 and "
                        "INFO1='VADIDUDIRARA' ")
        app = got[0] if got else {}
        self.equal("application record", tuple(app.get(f"INFO{n}") for n in range(2, 9)),
                   (layout.KRT_SUFFIX, layout.SOKA_SUFFIX, layout.KW_SUFFIX, "3.4", "01/01/2026",
                    None, "01/06/2025"))
        got = self.rows("login", layout.CONTROL,
                        "select * from EXTENDEDDET where EXTENDEDTYPEID=2 and INFO1='100001'")
        self.equal("user 100001", got[0]["INFO9"] if got else None, "Admin Sistem")
        got = self.rows("teams", layout.CONTROL,
                        "select a.INFO1, a.INFO2 from EXTENDEDDET a where a.EXTENDEDTYPEID=8 and "
                        "(a.INFO1='Team Proyek' or a.INFO1='Team Retail' OR a.INFO1='')")
        self.equal("team members", len(got), 5)
        got = self.rows("team target", layout.CONTROL,
                        "select INFO1,INFO2,INFO3,INFO4 from EXTENDEDDET where EXTENDEDTYPEID=8 "
                        "and INFO1='Team Retail'\norder by info4 desc")
        self.equal("team target first", got[0]["INFO4"] if got else None, "8000000")
        got = self.rows("online list", layout.CONTROL,
                        "select EXTENDEDDETID, INFO1, INFO6, INFO7, INFO8, INFO9 from EXTENDEDDET "
                        "where INFO6='Online' order by EXTENDEDDETID")
        self.equal("online users", [r["INFO1"] for r in got], ["100007"])
        got = self.rows("audit", layout.KRT,
                        "SELECT first 1 r.AUDITID, r.MODIDATE FROM AUDITXML r order by "
                        "r.AUDITID desc")
        self.expect("newest audit entry", got and got[0]["MODIDATE"].startswith("2026-06-30 17:45:12"),
                    str(got))

    def run_all(self) -> int:
        for part in (self.control, self.stock, self.item_to_buy, self.sales):
            part()
        print(f"{self.passed} passed, {self.failed} failed")
        return 0 if self.failed == 0 else 1


def bench(server: Server) -> int:
    for name, db, sql in [
        ("three-company KRT 'kabel'", layout.KRT, st.three_company("KRT", CUTOFF, "kabel", "")),
        ("three-company SOKA 'kabel'", layout.SOKA, st.three_company("SM", CUTOFF, "kabel", "")),
        ("three-company KW 'kabel'", layout.KW, st.three_company("KW", CUTOFF, "kabel", "")),
        ("KRT-only 'kabel'", layout.KRT, st.krt_only(CUTOFF, "kabel", "")),
        ("item to buy (StockKRT)", layout.KRT, st.stock_krt()),
    ]:
        start = time.monotonic()
        rows = server.run(db, sql)
        print(f"{name}: {len(rows)} rows, all fetched in {time.monotonic() - start:.1f} s")
    return 0


def main(argv: list[str]) -> int:
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    server = Server(argv[1], argv[2])
    if "--bench" in argv:
        return bench(server)
    return Checks(server).run_all()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
