#!/usr/bin/env python3
"""Deterministic demo data for one of the five databases.

    demo_data.py --db krt|soka|kw|old|edp --items N [--invoices N --salesmen M --teams T]
                 --work DIR --target FILE

writes DIR/*.dat (fixed-width records), DIR/create.sql, an isql script that
creates FILE, and DIR/load.sql, one that adds the ERP schema and loads the
records. The same arguments
always give the same data."""

import argparse
import datetime
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import demo_known as known  # noqa: E402
import demo_sales  # noqa: E402
import layout  # noqa: E402
from demo_catalog import CATEGORIES, catalog_item, company_indices  # noqa: E402
from demo_sales import SalesVolume  # noqa: E402
from demo_tables import LOAD_ORDER, new_tables  # noqa: E402
from extfile import date  # noqa: E402

H = 100
FIRST_DAY = date("2025-01-01")
PERIOD_DAYS = (date("2026-06-30") - FIRST_DAY).days + 1
USD_RATE = 15500 * 10000

WAREHOUSES = [
    (0, "Kapuk", "Gudang utama Kapuk"),
    (1, "LTC", "Gudang LTC Glodok"),
    (2, "Mezanine", "Lantai mezanine toko"),
    (3, "Booking", "Barang sudah dipesan pelanggan"),
    (4, "Rak", "Rak Dediz"),
    (5, "PEC", "Gudang PEC"),
    (6, "Produksi", "Bagian produksi"),
    (7, "Karantina", "Barang rusak / retur"),
    (11, "WIP", "Barang dalam proses"),
]
# Chance that an item has an opening balance in a warehouse.
OPENING_CHANCE = {0: 0.5, 1: 0.6, 2: 0.3, 3: 0.15, 4: 0.4, 5: 0.1, 6: 0.1, 11: 0.05, 7: 0.05}

# (first name, division, target printed in the ranking)
SALESMEN = [
    ("Andi", "PROYEK", "150000000"),
    ("Budi", "PROYEK", "120000000"),
    ("Citra", "PROYEK", "130000000"),
    ("Dewi", "RETAIL", "90000000"),
    ("Eko", "RETAIL", "80000000"),
    ("Fajar", "TIMUR", "60000000"),
    ("Gita", "RETAIL", "70000000"),
    ("Hendra", "DISTRIBUTOR", "200000000"),
    ("Ma'ruf", "TIMUR", "50000000"),
    ("Kantor", "KANTOR", "0"),
]
SALESMEN_ABSENT = {0: {"Hendra"}, 1: {"Gita"}, 2: {"Citra", "Gita"}}
SALESMAN_ID_BASE = {0: 1, 1: 101, 2: 201}

CUSTOMER_PREFIXES = ["Toko", "CV", "PT", "UD"]
CUSTOMER_NAMES = [
    "Sinar Jaya", "Maju Bersama", "Sumber Rejeki", "Listrik Terang", "Cahaya Abadi",
    "Karya Mandiri", "Bangun Persada", "Mitra Teknik", "Berkah Elektrik", "Sentosa Makmur",
    "Harapan Baru", "Jaya Sakti", "Anugerah Listrik", "Surya Kencana", "Tunas Muda",
]
CITIES = ["Jakarta Utara", "Jakarta Barat", "Tangerang", "Bekasi", "Bogor", "Depok", "Karawang"]
VENDORS = ["PT Supreme Cable Manufacturing", "PT Rucika Wavin", "PT Broco Elektrik",
           "CV Sumber Teknik", "PT Philips Lighting"]

COMPANY_PREFIX = {0: "KRT", 1: "SOKA", 2: "KW"}
NEWEST_AUDIT = {
    "krt": datetime.datetime(2026, 6, 30, 17, 45, 12),
    "soka": datetime.datetime(2026, 6, 30, 16, 10, 0),
    "kw": datetime.datetime(2026, 6, 29, 11, 5, 30),
    "old": datetime.datetime(2024, 1, 15, 9, 0, 0),
    "edp": datetime.datetime(2026, 6, 30, 18, 0, 0),
}


def rounded_div(numerator: int, denominator: int) -> int:
    """Integer division rounding halves away from zero."""
    sign = -1 if (numerator < 0) != (denominator < 0) else 1
    return sign * ((abs(numerator) * 2 + abs(denominator)) // (2 * abs(denominator)))


def random_day(rng: random.Random) -> datetime.date:
    return FIRST_DAY + datetime.timedelta(days=rng.randrange(PERIOD_DAYS))


class Builder:
    def __init__(self, key: str, items: int, volume: SalesVolume | None = None):
        self.key = key
        self.items = items
        self.volume = volume or SalesVolume(None, len(SALESMEN), len(FIXED_TEAMS))
        self.t = new_tables()
        self.next_id: dict[str, int] = {}

    def new_id(self, table: str) -> int:
        value = self.next_id.get(table, 0) + 1
        self.next_id[table] = value
        return value

    # ---- shared reference data ----

    def reference_data(self) -> None:
        t = self.t
        for wid, name, text in WAREHOUSES:
            t["WAREHS"].add(wid, name, text)
        for row in [(1, "UMUM", "Umum"), (2, "PROY", "Proyek"), (3, "RTL", "Retail")]:
            t["DEPARTMENT"].add(*row)
        for row in [(1, "PRJ-001", "Gedung Sudirman"), (2, "PRJ-002", "Pabrik Cikarang")]:
            t["PROJECT"].add(*row)
        for row in CATEGORIES:
            t["ITEMCATEGORY"].add(*row)
        t["CURRENCY"].add(1, "USD", "$", USD_RATE)
        t["CURRENCY"].add(2, "IDR", "Rp", 10000)
        t["CURRENCY"].add(3, "SGD", "S$", 11600 * 10000)
        for row in [(1, "Retail"), (2, "Proyek"), (3, "Distributor"), (4, "Supplier")]:
            t["PERSONTYPE"].add(*row)
        t["TERMOPMT"].add(1, "Tunai", 0, 0, 0)
        t["TERMOPMT"].add(2, "2/10 n/30", 2 * H, 10, 30)
        t["TERMOPMT"].add(3, "n/60", 0, 0, 60)
        t["TAX"].add(1, "PPN 11%", 11 * H)
        t["TAX"].add(2, "PPh 22", 150)
        for row in [(1, "Ambil Sendiri"), (2, "Truk Kantor"), (3, "JNE Cargo")]:
            t["SHIPMENT"].add(*row)
        t["GLACCNT"].add("6101", "Biaya Angkut Penjualan")
        t["GLACCNT"].add("6102", "Biaya Ekspedisi")
        for row in [(1, "Data ERP"), (2, "Pengguna"), (3, "Aplikasi"), (8, "Tim Sales"),
                    (99, "Server")]:
            t["EXTENDEDTYPE"].add(*row)

    def audit_rows(self, count: int) -> None:
        newest = NEWEST_AUDIT[self.key]
        for n in range(count):
            when = newest - datetime.timedelta(hours=7 * (count - 1 - n))
            self.t["AUDITXML"].add(self.new_id("AUDITXML"), when, "ADMIN", "ITEM",
                                   f"AUD-{n:05d}", "U")

    # ---- items ----

    def add_item(self, code, description, itemtype, unitprice, purchprice, minimum, unit1,
                 unit2, ratio2, parent, first_parent, level, category, notes=None,
                 reserved=(None, None, None, None)) -> None:
        self.t["ITEM"].add(code, description, itemtype, unitprice, purchprice, minimum, unit1,
                           unit2, ratio2, parent, first_parent, level, 1, None, category, 0,
                           notes, *reserved)

    def history(self, code, day, warehouse, quantity, cost, txtype, document) -> None:
        self.t["ITEMHIST"].add(self.new_id("ITEMHIST"), code, warehouse, day, txtype, quantity,
                               cost, document)


class Company(Builder):
    def __init__(self, key: str, items: int, volume: SalesVolume | None = None):
        super().__init__(key, items, volume)
        self.company = {"krt": 0, "soka": 1, "kw": 2}[key]
        self.prefix = COMPANY_PREFIX[self.company]
        self.salesman_ids: dict[str, int] = {}
        self.customers: list[int] = []
        self.vendors: list[int] = []
        self.stock_items: list[tuple[str, int]] = []  # (code, unit price)
        self.rng = random.Random(1000 + self.company)

    def build(self) -> None:
        self.reference_data()
        self.salesmen()
        self.persons()
        self.known_items()
        self.catalog_items()
        self.known_sales()
        self.random_invoices()
        self.audit_rows(20 + self.items // 100)

    def salesmen(self) -> None:
        absent = SALESMEN_ABSENT[self.company]
        people = [s for s in SALESMEN if s[0] not in absent]
        if self.company == 1:
            people.reverse()
        elif self.company == 2:
            people = people[3:] + people[:3]
        people += [(name, division, target) for name, division, target, _ in
                   demo_sales.added_salesmen(self.volume, len(SALESMEN), len(FIXED_TEAMS))]
        for offset, (name, division, target) in enumerate(people):
            sid = SALESMAN_ID_BASE[self.company] + offset
            self.salesman_ids[name] = sid
            email = f"{name.lower().replace(chr(39), '')}@{self.prefix.lower()}.co.id"
            self.t["SALESMAN"].add(sid, name, None, division, target, email)
        self.random_salesmen = [sid for name, sid in self.salesman_ids.items()
                                if name != known.KNOWN_SALESMAN]

    def persons(self) -> None:
        rng = random.Random(2000 + self.company)
        count = demo_sales.customer_count(30 + self.items // 500, self.volume)
        andi = self.salesman_ids[known.KNOWN_SALESMAN]
        self.t["PERSONDATA"].add(1, "C-00001", "Toko Pak'De", 0, 1, andi, "Jl. Pintu Kecil 12",
                                 "Jakarta Barat")
        self.customers.append(1)
        for n in range(2, count + 1):
            name = (f"{CUSTOMER_PREFIXES[n % 4]} {CUSTOMER_NAMES[n % len(CUSTOMER_NAMES)]}"
                    f" {n // len(CUSTOMER_NAMES) + 1}")
            self.t["PERSONDATA"].add(n, f"C-{n:05d}", name, 0, 1 + n % 3,
                                     rng.choice(self.random_salesmen),
                                     f"Jl. Raya {CUSTOMER_NAMES[(n * 7) % 15]} {n}",
                                     CITIES[n % len(CITIES)])
            self.customers.append(n)
        for offset, name in enumerate(VENDORS):
            vid = 9001 + offset
            self.t["PERSONDATA"].add(vid, f"V-{offset + 1:05d}", name, 1, 4, None, None, "Jakarta")
            self.vendors.append(vid)

    # -- fixed items --

    def known_items(self) -> None:
        c = self.company
        present = {code for code, entry in known.ITEMS.items() if c in entry[6]}
        parents = {code: entry[5] for code, entry in known.ITEMS.items()}
        for code, (text, itemtype, price, purch, minimums, parent, _) in known.ITEMS.items():
            if code not in present:
                continue
            top, level = code, 0
            while parents.get(top) is not None:
                top, level = parents[top], level + 1
            minimum = minimums.get(c)
            self.add_item(code, text, itemtype, price * H, purch * H,
                          None if minimum is None else minimum * H, "PCS", None, None, parent,
                          top, level, 3)
            if itemtype == 0:
                self.stock_items.append((code, price * H))
        for code, day, wh, qty, cost, txtype, doc in known.MOVEMENTS.get(c, []):
            self.history(code, day, wh, qty, cost, txtype, doc)
        for code, day, qty, closed, receipts in known.PURCHASES.get(c, []):
            line = self.purchase_line(code, day, qty, known.ITEMS[code][3] * H, closed)
            for rday, rqty in receipts:
                self.receipt(line, code, rday, rqty, known.LTC)
        for code, day, qty, deliveries in known.SALES_ORDERS.get(c, []):
            line = self.sales_line(code, day, qty, known.ITEMS[code][2] * H,
                                   self.salesman_ids["Budi"])
            for dday, dqty in deliveries:
                self.delivery_order(line, code, dday, dqty, known.ITEMS[code][2] * H, known.LTC,
                                    self.salesman_ids["Budi"])
        for code, qty, moved, closed in known.ITEM_REQUESTS.get(c, []):
            self.item_request(code, date("2025-05-10"), qty, moved, closed)

    # -- documents --

    def purchase_line(self, code, day, qty, price, closed) -> int:
        po = self.new_id("PO")
        self.t["PO"].add(po, f"PO-{self.prefix}-{po:06d}", day, self.vendors[po % len(self.vendors)])
        line = self.new_id("PODET")
        self.t["PODET"].add(line, po, 1, code, qty, price, closed)
        return line

    def receipt(self, po_line, code, day, qty, warehouse) -> None:
        ri = self.new_id("RI")
        self.t["RI"].add(ri, f"RI-{self.prefix}-{ri:06d}", day, self.vendors[ri % len(self.vendors)])
        self.t["RIDET"].add(self.new_id("RIDET"), ri, po_line, code, qty, warehouse)

    def sales_line(self, code, day, qty, price, salesman) -> int:
        so = self.new_id("SO")
        customer = self.customers[1 + so % (len(self.customers) - 1)]
        self.t["SO"].add(so, f"SO-{self.prefix}-{so:06d}", day, customer, salesman)
        line = self.new_id("SODET")
        self.t["SODET"].add(line, so, 1, code, qty, price, 0)
        return line

    def delivery_order(self, so_line, code, day, qty, price, warehouse, salesman) -> None:
        inv = self.new_id("ARINV")
        amount = rounded_div(qty * price, H)
        customer = self.customers[1 + inv % (len(self.customers) - 1)]
        self.t["ARINV"].add(inv, f"{self.prefix}-DO-{inv:06d}", day, customer, salesman, 1, 1, 2,
                            warehouse, None, 2, 10000, 1, 0, amount, 0, 0, 0,
                            "Pengiriman pesanan")
        self.t["ARINVDET"].add(self.new_id("ARINVDET"), inv, 1, code, qty, price, 0, amount,
                               so_line, warehouse)

    def item_request(self, code, day, qty, moved, closed) -> None:
        req = self.new_id("IREQ")
        self.t["IREQ"].add(req, f"IR-{self.prefix}-{req:06d}", day, 0, 1)
        self.t["IREQDET"].add(self.new_id("IREQDET"), req, 1, code, qty, moved, closed)

    # -- catalog items and their stock --

    def catalog_items(self) -> None:
        indices = company_indices(self.company, self.items)
        carried = set(indices)
        for index in indices:
            item = catalog_item(index)
            parent = item.parent if item.parent in carried else None
            top, level = index, 0
            if parent is not None:
                top, level = parent, 1
                grand = catalog_item(parent).parent
                if grand is not None and grand in carried:
                    top, level = grand, 2
            parent_code = catalog_item(parent).code if parent is not None else None
            top_code = catalog_item(top).code
            self.add_item(item.code, item.description, item.itemtype, item.unitprice,
                          item.purchprice, item.minimumqty, item.unit1, item.unit2, item.ratio2,
                          parent_code, top_code, level, item.category,
                          reserved=(item.subcategory, None, None, None))
            if item.itemtype == 0:
                self.stock_items.append((item.code, item.unitprice))
                self.simulate_stock(item)

    def simulate_stock(self, item) -> None:
        rng = random.Random(item.index * 31 + self.company)
        scale = 10 if item.is_cable else 1
        low = bool(item.minimumqty) and rng.random() < 0.5
        unit_cost = max(1, item.purchprice * rng.randrange(90, 106) // 100)
        events = []  # (date, order, kind, data)
        for wh, chance in OPENING_CHANCE.items():
            if rng.random() < chance:
                if low and wh in (1, 2, 4):
                    qty = rng.randrange(0, max(1, item.minimumqty // H // 3) + 1)
                else:
                    qty = rng.randrange(1, 200) * scale
                if qty:
                    events.append((known.OPENING, 0, "in", (wh, qty * H, "SA-2024", None)))
        for _ in range(rng.choice([0, 1, 1, 2, 3])):
            kind = rng.choice(["in", "out", "out", "move"])
            wh = rng.choice([0, 1, 2, 4])
            qty = rng.randrange(1, 60) * scale * H
            events.append((random_day(rng), 1, kind, (wh, qty, None, None)))
        if rng.random() < 0.08:
            day = random_day(rng)
            qty = rng.randrange(5, 100) * scale * H
            line = self.purchase_line(item.code, day, qty, item.purchprice,
                                      1 if rng.random() < 0.05 else 0)
            share = rng.random()
            if share > 0.3:
                got = qty if share > 0.7 else qty * rng.randrange(30, 71) // 100 // H * H
                rday = day + datetime.timedelta(days=rng.randrange(3, 40))
                if got and rday <= date("2026-06-30"):
                    self.receipt(line, item.code, rday, got, 1)
                    events.append((rday, 1, "in", (1, got, f"RI-{self.prefix}", None)))
        if rng.random() < 0.06:
            day = random_day(rng)
            qty = rng.randrange(1, 30) * scale * H
            salesman = rng.choice(self.random_salesmen)
            line = self.sales_line(item.code, day, qty, item.unitprice, salesman)
            if rng.random() < 0.6:
                dday = day + datetime.timedelta(days=rng.randrange(1, 20))
                want = qty if rng.random() < 0.5 else qty // 2 // H * H
                if want and dday <= date("2026-06-30"):
                    events.append((dday, 1, "so", (1, want, None, (line, salesman))))
        if rng.random() < 0.05:
            qty = rng.randrange(1, 30) * scale * H
            moved = rng.choice([0, 0, qty // 2 // H * H, qty])
            closed = "1" if moved == qty or rng.random() < 0.2 else "0"
            self.item_request(item.code, random_day(rng), qty, moved, closed)
        self.run_events(item, unit_cost, sorted(events, key=lambda e: (e[0], e[1])), rng)

    def run_events(self, item, unit_cost, events, rng) -> None:
        stock: dict[int, int] = {}
        total_qty = 0
        total_cost = 0

        def average(qty):
            return rounded_div(total_cost * qty, total_qty) if total_qty > 0 else 0

        for day, _, kind, (wh, qty, doc, extra) in events:
            if kind == "in":
                cost = rounded_div(qty * unit_cost, H)
                txtype = 0 if doc == "SA-2024" else 1
                self.history(item.code, day, wh, qty, cost, txtype, doc or f"RI-{self.prefix}")
                stock[wh] = stock.get(wh, 0) + qty
                total_qty += qty
                total_cost += cost
            elif kind in ("out", "so"):
                if kind == "so":
                    wh = max(stock, key=lambda w: stock[w], default=1)
                qty = min(qty, stock.get(wh, 0))
                if qty <= 0:
                    continue
                cost = average(qty)
                if kind == "so":
                    line, salesman = extra
                    self.delivery_order(line, item.code, day, qty, item.unitprice, wh, salesman)
                self.history(item.code, day, wh, -qty, -cost, 2, f"DO-{self.prefix}")
                stock[wh] -= qty
                total_qty -= qty
                total_cost -= cost
            else:
                source = max(stock, key=lambda w: stock[w], default=None)
                if source is None or stock[source] <= 0 or source == wh:
                    continue
                qty = min(qty, stock[source])
                cost = average(qty)
                self.history(item.code, day, source, -qty, -cost, 3, f"TR-{self.prefix}")
                self.history(item.code, day, wh, qty, cost, 3, f"TR-{self.prefix}")
                stock[source] -= qty
                stock[wh] = stock.get(wh, 0) + qty

    # -- invoices --

    def invoice(self, number, day, customer, salesman, currency, delivery, lines, tax_id,
                paid, term_discount, returned, term=1) -> None:
        inv = self.new_id("ARINV")
        before = 0
        for seq, (code, qty, price, disc) in enumerate(lines, start=1):
            amount = rounded_div(qty * price * (10000 - disc), H * 10000)
            before += amount
            self.t["ARINVDET"].add(self.new_id("ARINVDET"), inv, seq, code, qty, price, disc,
                                   amount, None, 1)
        tax = 0
        if tax_id == 1:
            tax = rounded_div(before * 11, 100)
            if currency == 2:
                tax = rounded_div(tax, H) * H
        total = before + tax
        rate = USD_RATE if currency == 1 else 10000
        self.t["ARINV"].add(inv, number, day, customer, salesman, term, tax_id, 2, 1,
                            "6101" if inv % 5 == 0 else None, currency, rate, delivery, tax,
                            total, paid(total, before), term_discount(before), returned(total),
                            None)

    def known_sales(self) -> None:
        andi = self.salesman_ids[known.KNOWN_SALESMAN]
        stock = [code for code, _ in self.stock_items[:3]]
        for number, day, currency, delivery, before, tax, paid, disc, returned in \
                known.KNOWN_INVOICES.get(self.company, []):
            # One line at the before-tax amount, so that the figures stay exact.
            lines = [(stock[0], 1 * H, before * H, 0)]
            tax_id = 1 if tax else None
            self.invoice(number, day, 1, andi, currency, delivery, lines, tax_id,
                         lambda total, b, p=paid: p * H, lambda b, d=disc: d * H,
                         lambda total, r=returned: r * H, term=2 if disc else 1)

    def random_invoices(self) -> None:
        rng = self.rng
        count = self.volume.invoices
        if count is None:
            count = max(80, self.items // 20)
        for n in range(1, count + 1):
            day = random_day(rng)
            currency = 1 if rng.random() < 0.05 else 2
            delivery = 1 if rng.random() < 0.04 else 0
            salesman = rng.choice(self.random_salesmen)
            customer = rng.choice(self.customers[1:])
            lines = []
            for _ in range(rng.randrange(1, 5)):
                code, price = rng.choice(self.stock_items)
                if currency == 1:
                    price = max(1, rounded_div(price * 10000, USD_RATE))
                lines.append((code, rng.randrange(1, 21) * H, price, rng.choice([0, 0, 0, 500, 1000])))
            term = rng.choice([1, 2, 3])
            tax_id = 1 if rng.random() < 0.85 else None
            old = day < date("2026-03-01")
            mode = rng.random()
            full = delivery == 0 and mode < (0.7 if old else 0.35)
            partial = delivery == 0 and not full and mode < (0.85 if old else 0.6)
            share = rng.randrange(20, 81)
            ret = delivery == 0 and rng.random() < 0.08
            ret_share = rng.randrange(10, 31)

            def disc(before, full=full, term=term):
                return rounded_div(before * 2, 100) if full and term == 2 else 0

            # Partial payments in round thousands of rupiah, or whole cents of a dollar.
            step = 100000 if currency == 2 else 1

            def paid(total, before, full=full, partial=partial, share=share, disc=disc,
                     step=step):
                if full:
                    return total - disc(before)
                if partial:
                    return rounded_div(total * share, 100 * step) * step
                return 0

            def returned(total, ret=ret, ret_share=ret_share, paid=paid):
                if not ret:
                    return 0
                return rounded_div(total * ret_share, 100)

            kind = "DO" if delivery else "INV"
            self.invoice_checked(f"{self.prefix}-{kind}-{n:06d}", day, customer, salesman,
                                 currency, delivery, lines, tax_id, paid, disc, returned, term)

    def invoice_checked(self, number, day, customer, salesman, currency, delivery, lines, tax_id,
                        paid, disc, returned, term) -> None:
        # Returns never exceed what is still owed, so OWING stays at or above zero.
        def capped_return(total, paid=paid, disc=disc, returned=returned, lines=lines):
            before = sum(rounded_div(q * p * (10000 - d), H * 10000) for _, q, p, d in lines)
            left = total - paid(total, before) - disc(before)
            return max(0, min(returned(total), left))

        self.invoice(number, day, customer, salesman, currency, delivery, lines, tax_id, paid,
                     disc, capped_return, term)


class OldStock(Builder):
    TYPES = ["MCB", "KABEL", "LAMPU", "PANEL", "SAKLAR", "STOP KONTAK"]
    CONDITIONS = ["Baik", "Rusak Ringan", "Perlu Cek", "Baik"]

    def build(self) -> None:
        self.reference_data()
        self.add_item("7-50001", "Panel Box Bekas 40x60", 0, 450000 * H, 300000 * H, None, "PCS",
                      None, None, None, "7-50001", 0, 3, "PANEL",
                      ("Panel", "2016", "Baik", "Ex gudang Kapuk"))
        self.history("7-50001", known.OPENING, known.KAPUK, 12 * H, 3600000 * H, 0, "SA-2024")
        self.add_item("7-50002", "Kabel NYY Bekas 4x16 mm²", 0, 90000 * H, 60000 * H, None,
                      "MTR", None, None, None, "7-50002", 0, 1, None,
                      ("Kabel", "2014", "Perlu Cek", None))
        self.history("7-50002", known.OPENING, known.KAPUK, 80 * H, 4800000 * H, 0, "SA-2024")
        self.add_item("3-50003", "MCB Bekas Schneider 3P 32A", 0, 250000 * H, 150000 * H, None,
                      "PCS", None, None, None, "3-50003", 0, 3, "MCB",
                      ("MCB", "2018", "Rusak Ringan", "Tuas seret"))
        self.history("3-50003", known.OPENING, known.KAPUK, 3 * H, 450000 * H, 0, "SA-2024")
        count = max(60, self.items // 4)
        for n in range(count):
            rng = random.Random(n * 13 + 5)
            item = catalog_item(100000 + n * 3)
            code = f"{'3579'[n % 4]}-OLD{n:05d}"
            kind = self.TYPES[n % len(self.TYPES)]
            notes = None if n % 17 == 3 else kind
            text = f"{item.description or 'Barang'} (bekas)"[:100]
            self.add_item(code, text, 0, item.unitprice, item.purchprice, None, item.unit1, None,
                          None, None, code, 0, item.category, notes,
                          (item.subcategory, str(2010 + n % 12), self.CONDITIONS[n % 4],
                           None if n % 3 else "Cek fisik ulang"))
            qty = rng.randrange(0, 40) * H
            if qty:
                self.history(code, known.OPENING, known.KAPUK, qty,
                             rounded_div(qty * item.purchprice, H) // 2, 0, "SA-2024")
        self.audit_rows(10)


class Control(Builder):
    APP = ["VADIDUDIRARA", layout.KRT_SUFFIX, layout.SOKA_SUFFIX, layout.KW_SUFFIX, "3.4",
           "01/01/2026", None, "01/06/2025"]
    # NIK, name, status, INFO5, INFO10, INFO11, INFO12, INFO13..INFO17, INFO18, INFO19
    USERS = [
        ("100001", "Admin Sistem", "Disconnected", "1", "1", "1", "1",
         "1", None, None, None, None, "1", "1"),
        ("100002", "Tamu Gudang", "Disconnected", "0", "0", "0", "0",
         None, None, None, None, None, "0", "0"),
        ("100003", "Rina Campuran", "Disconnected", "1", "", None, "1",
         "Budi", "Citra", "", "", "", "Y", "0"),
        ("100004", "Sari Penjualan", "Disconnected", "0", "0", "0", "0",
         "1", None, None, None, None, "0", "0"),
        ("100005", "Joko Tim Proyek", "Disconnected", "0", "0", "0", "0",
         "Andi", "", "Team Proyek", "Team Retail", "", "0", "0"),
        ("100006", "Lina All Team", "Disconnected", "0", "0", "0", "0",
         "All Team", "", "Team Proyek", "", "", "0", "0"),
        ("100007", "Rudi Lupa Keluar", "Online", "1", "1", "0", "0",
         None, None, None, None, None, "1", "0"),
        ("12345", "NIK Pendek", "Disconnected", "1", "1", "1", "1",
         "1", None, None, None, None, "1", "1"),
    ]
    # team, salesman, salesman target, team target
    TEAMS = [
        ("Team Proyek", "Andi", "5000000", "12000000"),
        ("Team Proyek", "Budi", "4000000", "12000000"),
        ("Team Proyek", "Citra", "3000000", "12000000"),
        ("Team Retail", "Dewi", "2500000", ""),
        ("Team Retail", "Eko", "2000000", "8000000"),
        ("Team Timur", "Ma'ruf", "1500000", "4000000"),
        ("Team Timur", "Budi", "4000000", "4000000"),
        ("Team Solo", "Fajar", "1000000", "1000000"),
    ]

    def row(self, typeid: int, *infos) -> None:
        values = list(infos) + [None] * (19 - len(infos))
        self.t["EXTENDEDDET"].add(self.new_id("EXTENDEDDET"), typeid, *values)

    def build(self) -> None:
        self.reference_data()
        self.row(3, *self.APP)
        for nik, name, status, p5, p10, p11, p12, s13, s14, d15, d16, d17, p18, p19 in self.USERS:
            time = "09:15:00" if status == "Online" else "17:30:05"
            self.row(2, nik, None, None, None, p5, status, time, "10/06/2026", name, p10, p11, p12,
                     s13, s14, d15, d16, d17, p18, p19)
        added = demo_sales.added_team_rows(self.volume, len(SALESMEN), len(FIXED_TEAMS))
        for team, salesman, own, total in self.TEAMS + added:
            self.row(8, team, salesman, own, total)
        self.row(1, "GUDANG", "Kapuk", None, None, None, "Aktif")
        self.row(1, "GUDANG", "LTC", None, None, None, "Aktif")
        self.row(99, "SERVERNAME", "LAN")
        self.audit_rows(5)


# The documented sales teams, counted in by --teams.
FIXED_TEAMS = {team for team, _, _, _ in Control.TEAMS}


def load_script(builder: Builder, work: str, target: str) -> str:
    here = os.path.dirname(os.path.abspath(__file__))
    parts = [
        "SET SQL DIALECT 3;",
        "SET NAMES WIN1252;",
        f"CONNECT '{target}' USER 'SYSDBA';",
        f"INPUT '{here}/erp-tables.sql';",
        f"INPUT '{here}/erp-procedures.sql';",
    ]
    for name in LOAD_ORDER:
        table = builder.t[name]
        if table.rows:
            parts.append(table.load_sql(table.write(work)))
    parts.append(f"INPUT '{here}/erp-indexes.sql';")
    ext = builder.next_id.get("EXTENDEDDET", 0)
    audit = builder.next_id.get("AUDITXML", 0)
    parts.append(f"ALTER SEQUENCE GEN_EXTENDEDDETID RESTART WITH {ext};")
    parts.append(f"ALTER SEQUENCE GEN_AUDITID RESTART WITH {audit};")
    parts.append("COMMIT;")
    # Keys created before the load still carry the statistics of empty tables.
    parts.append("SET TERM ^ ;")
    parts.append(
        "EXECUTE BLOCK AS DECLARE NAME VARCHAR(63); BEGIN\n"
        "  FOR SELECT TRIM(RDB$INDEX_NAME) FROM RDB$INDICES\n"
        "       WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 INTO :NAME DO\n"
        "    EXECUTE STATEMENT 'SET STATISTICS INDEX ' || NAME;\n"
        "END^")
    parts.append("SET TERM ; ^")
    parts.append("COMMIT;")
    return "\n".join(parts) + "\n"


def create_script(target: str) -> str:
    return (f"CREATE DATABASE '{target}' USER 'SYSDBA' PAGE_SIZE 8192"
            " DEFAULT CHARACTER SET WIN1252;\n")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--db", required=True, choices=[db.key for db in layout.ALL])
    parser.add_argument("--items", type=int, default=300)
    parser.add_argument("--invoices", type=int, default=None,
                        help="generated invoices per company (default: items / 20, at least 80)")
    parser.add_argument("--salesmen", type=int, default=len(SALESMEN),
                        help="salesmen per company list, the fixed ones included")
    parser.add_argument("--teams", type=int, default=len(FIXED_TEAMS),
                        help="sales teams, the fixed ones included")
    parser.add_argument("--work", required=True)
    parser.add_argument("--target", required=True)
    args = parser.parse_args()
    if args.items < 50:
        parser.error("--items must be at least 50")
    volume = SalesVolume(args.invoices, args.salesmen, args.teams)
    problem = demo_sales.check(volume, len(SALESMEN), len(FIXED_TEAMS))
    if problem:
        parser.error(problem)
    os.makedirs(args.work, exist_ok=True)
    if args.db in ("krt", "soka", "kw"):
        builder: Builder = Company(args.db, args.items, volume)
    elif args.db == "old":
        builder = OldStock(args.db, args.items, volume)
    else:
        builder = Control(args.db, args.items, volume)
    builder.build()
    with open(os.path.join(args.work, "create.sql"), "w", encoding="ascii") as out:
        out.write(create_script(os.path.abspath(args.target)))
    with open(os.path.join(args.work, "load.sql"), "w", encoding="ascii") as out:
        out.write(load_script(builder, os.path.abspath(args.work), os.path.abspath(args.target)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
