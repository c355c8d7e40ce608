"""Items and invoices with fixed, documented values (see db/README.md), the
same at every database size. Quantities and money are in hundredths."""

from extfile import date

H = 100  # one unit in hundredths

# Warehouse numbers
KAPUK, LTC, MEZANINE, BOOKING, RAK, PEC, PRODUKSI, KARANTINA, WIP = 0, 1, 2, 3, 4, 5, 6, 7, 11

# code: (description, itemtype, unit price, purchase price (rupiah),
#        {company: minimum quantity}, parent code, companies that carry the item)
# Companies: 0 KRT, 1 SOKA, 2 KW. A minimum not named is NULL.
ITEMS = {
    "3-90001": ("Kabel NYA 2.5 mm² Merah", 0, 250, 180, {}, None, {0, 1, 2}),
    "3-90002": ("Pipa PVC Ø 3/4 Rucika AW", 0, 18500, 15000, {}, None, {0, 1}),
    "5-90003": ("Saklar Ganda Broco Putih", 0, 21000, 15000, {}, None, {0, 1, 2}),
    "5-90004": ("Fitting Lampu E27 Broco", 0, 9500, 7000, {}, None, {0}),
    "5-90010": ("Stop Kontak Broco 2 Lubang", 0, 32000, 25000, {0: 10}, None, {0, 1, 2}),
    "5-90011": ("MCB Schneider 1P 10A", 0, 78000, 61000, {0: 10}, None, {0, 1, 2}),
    "5-90012": ("Lampu LED Philips 9W Putih", 0, 45000, 36000, {0: 10}, None, {0, 1, 2}),
    "5-90013": ('Obeng 6" Plus d\'Lux', 0, 38000, 29000, {0: 5}, None, {0}),
    "5-90014": ("Isolasi Nitto Hitam", 0, 7500, 5500, {0: 0}, None, {0, 1}),
    "5-90015": ("Terminal Blok 12P Legrand", 0, 54000, 43000, {0: 10}, None, {0, 1, 2}),
    "5-90016": ("Isolasi Nitto Merah", 0, 7500, 5500, {}, None, {0}),
    "5-90017": ('Klem Pipa ½" Galvanis', 0, 3500, 2500, {0: 20}, None, {0, 1, 2}),
    "5-90018": ("Kabel Tis 15 cm Hitam", 0, 12000, 9000, {0: 10}, None, {0, 1, 2}),
    "5-90020": ("Grup Stop Kontak Dinding", 3, 0, 0, {}, None, {0}),
    "5-90021": ("Stop Kontak Broco 3 Lubang", 0, 36000, 28000, {0: 5}, "5-90020", {0}),
    "5-90022": ("Stop Kontak Panasonic 4 Lubang", 0, 52000, 41000, {0: 5}, "5-90020", {0}),
    "5-90023": ("Stop Kontak Broco 3 Lubang Arde", 0, 41000, 32000, {0: 2}, "5-90021", {0}),
    "3-90030": (None, 0, 10000, 8000, {}, None, {0, 1, 2}),
    "3-90031": ("KABEL SERABUT 1.5 MM", 0, 3000, 2100, {}, None, {0, 1, 2}),
    "3-90032": ("xKaBeLx Tester Digital", 0, 95000, 70000, {}, None, {1, 2}),
    "1-90040": ("Kabel Duct 25x25 Abu-abu", 0, 15000, 11000, {}, None, {0, 1, 2}),
    "8-90041": ("Kabel Roll 10 m Uticon", 0, 125000, 98000, {}, None, {0, 1, 2}),
    "3-90042": ("Jasa Tarik Kabel per Meter", 2, 5000, 0, {}, None, {0, 1, 2}),
}

OPENING = date("2024-12-31")

# company -> list of (code, date, warehouse, quantity, cost, type, document)
# type: 0 opening, 1 receipt, 2 delivery, 3 transfer
MOVEMENTS = {
    0: [
        ("3-90001", date("2025-01-15"), LTC, 10 * H, 1500 * H, 1, "RI-K-90001"),
        ("3-90001", date("2025-02-10"), LTC, -6 * H, -900 * H, 2, "DO-K-90001"),
        ("3-90001", date("2025-03-01"), LTC, -1 * H, -150 * H, 3, "TR-K-90001"),
        ("3-90001", date("2025-03-01"), RAK, 1 * H, 150 * H, 3, "TR-K-90001"),
        ("3-90002", date("2025-01-10"), KAPUK, 5 * H, 75000 * H, 1, "RI-K-90002"),
        ("3-90002", date("2025-02-20"), KAPUK, -5 * H, -74965 * H, 2, "DO-K-90002"),
        ("5-90003", OPENING, LTC, 12 * H, 180000 * H, 0, "SA-2024"),
        ("5-90003", date("2025-04-20"), LTC, 8 * H, 120000 * H, 1, "RI-K-90003"),
        ("5-90003", date("2025-05-06"), LTC, -2 * H, -30000 * H, 2, "DO-K-90003"),
        ("5-90004", date("2025-01-05"), RAK, 10 * H, 0, 1, "RI-K-90004"),
        ("5-90011", OPENING, LTC, 2 * H, 122000 * H, 0, "SA-2024"),
        ("5-90012", OPENING, BOOKING, 50 * H, 1800000 * H, 0, "SA-2024"),
        ("5-90013", OPENING, RAK, 1 * H, 29000 * H, 0, "SA-2024"),
        ("5-90017", OPENING, LTC, 5 * H, 12500 * H, 0, "SA-2024"),
        ("5-90017", OPENING, BOOKING, 100 * H, 250000 * H, 0, "SA-2024"),
        ("5-90018", OPENING, LTC, 50 * H, 450000 * H, 0, "SA-2024"),
        ("3-90030", OPENING, LTC, 7 * H, 56000 * H, 0, "SA-2024"),
        ("3-90031", OPENING, MEZANINE, 300 * H, 630000 * H, 0, "SA-2024"),
        ("1-90040", OPENING, RAK, 40 * H, 440000 * H, 0, "SA-2024"),
        ("8-90041", OPENING, LTC, 6 * H, 588000 * H, 0, "SA-2024"),
    ],
    1: [
        ("3-90001", OPENING, KAPUK, 100 * H, 16000 * H, 0, "SA-2024"),
        ("3-90002", OPENING, LTC, 3 * H, 45000 * H, 0, "SA-2024"),
        ("5-90011", OPENING, LTC, 5 * H, 305000 * H, 0, "SA-2024"),
        ("5-90015", OPENING, BOOKING, 20 * H, 860000 * H, 0, "SA-2024"),
        ("3-90031", OPENING, LTC, 120 * H, 252000 * H, 0, "SA-2024"),
        ("3-90032", OPENING, RAK, 2 * H, 140000 * H, 0, "SA-2024"),
    ],
    2: [
        ("3-90001", OPENING, MEZANINE, 20 * H, 3400 * H, 0, "SA-2024"),
        ("5-90011", OPENING, MEZANINE, 4 * H, 244000 * H, 0, "SA-2024"),
        ("3-90031", OPENING, WIP, 15 * H, 31500 * H, 0, "SA-2024"),
        ("3-90032", OPENING, LTC, 1 * H, 70000 * H, 0, "SA-2024"),
    ],
}

# company -> purchase-order lines: (code, order date, quantity, closed, receipts)
# receipts: list of (date, quantity); their stock movements are part of MOVEMENTS.
PURCHASES = {
    0: [
        ("5-90003", date("2025-04-01"), 20 * H, 0, [(date("2025-04-20"), 8 * H)]),
        ("5-90003", date("2025-03-15"), 50 * H, 1, []),
        ("5-90017", date("2025-06-02"), 10 * H, 0, []),
    ],
}

# company -> sales-order lines: (code, order date, quantity, deliveries [(date, quantity)])
# Deliveries are delivery orders; their stock movements are part of MOVEMENTS.
SALES_ORDERS = {
    0: [
        ("5-90003", date("2025-05-02"), 5 * H, [(date("2025-05-06"), 2 * H)]),
        ("5-90017", date("2025-06-03"), 3 * H, []),
    ],
}

# company -> item-request lines: (code, quantity, transferred, closed)
ITEM_REQUESTS = {
    0: [
        ("3-90001", 7 * H, 2 * H, "0"),
        ("3-90001", 3 * H, 0, "0"),
        ("3-90001", 4 * H, 0, "1"),
        ("5-90003", 6 * H, 6 * H, "1"),
    ],
    1: [("3-90001", 9 * H, 4 * H, "0")],
}

# The salesman whose invoices are all fixed. Invoices: company -> list of
# (number, date, currency, delivery order, before tax, tax, paid, term discount, returned)
# in rupiah (or dollars for currency 1).
KNOWN_SALESMAN = "Andi"
KNOWN_INVOICES = {
    0: [
        ("KRT-A-0001", date("2026-01-01"), 2, 0, 1000000, 110000, 1110000, 0, 0),
        ("KRT-A-0002", date("2026-01-31"), 2, 0, 2000000, 220000, 0, 0, 0),
        ("KRT-A-0003", date("2025-12-31"), 2, 0, 500000, 55000, 0, 0, 100000),
        ("KRT-A-0004", date("2026-01-15"), 2, 1, 700000, 77000, 0, 0, 0),
        ("KRT-A-0005", date("2026-01-20"), 1, 0, 100, 11, 111, 0, 0),
    ],
    1: [
        ("SOKA-A-0001", date("2026-01-10"), 2, 0, 1500000, 165000, 1000000, 0, 0),
        ("SOKA-A-0002", date("2026-01-25"), 2, 0, 1000000, 110000, 1090000, 20000, 0),
    ],
    2: [
        ("KW-A-0001", date("2025-06-01"), 2, 0, 800000, 88000, 0, 0, 50000),
    ],
}
