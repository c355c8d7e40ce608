"""The shared item catalog of the demo companies. Item i is the same in every
company that carries it and at every size, so a bigger database only adds
items; companies carry overlapping slices of the catalog."""

import random
from dataclasses import dataclass

COLORS = ["Merah", "Hitam", "Biru", "Kuning", "Hijau-Kuning", "Abu-abu", "Putih", "Coklat"]
CABLE_BRANDS = ["Supreme", "Eterna", "Kabelmetal", "Jembo", "Extrana"]
PIPE_BRANDS = ["Rucika", "Wavin", "Maspion", "Pralon"]
ELECTRIC_BRANDS = ["Broco", "Panasonic", "Schneider", "Legrand", "Uticon"]
LAMP_BRANDS = ["Philips", "Hannochs", "Osram", "Chiyoda"]
TOOL_BRANDS = ["Tekiro", "Krisbow", "Stanley", "Kenmaster"]
PAINT_BRANDS = ["Nippon Paint", "Dulux", "Avian", "Jotun"]
CEMENT_BRANDS = ["Tiga Roda", "Holcim", "Gresik"]
PIPE_SIZES = ["1/2", "3/4", "1", "1 1/4", "1 1/2", "2", "3", "4"]

# First characters of item codes: the classes 3, 5, 7, 9 and 1 that the program
# filters on, and a few others that no filter admits.
CODE_CLASSES = "35791" * 4 + "28AK"

# Categories: (id, name)
CATEGORIES = [
    (1, "Kabel"),
    (2, "Pipa & Fitting"),
    (3, "Instalasi Listrik"),
    (4, "Lampu"),
    (5, "Perkakas"),
    (6, "Baut & Mur"),
    (7, "Bahan Bangunan"),
    (8, "Aksesoris"),
]


@dataclass
class CatalogItem:
    index: int
    code: str
    description: str | None
    itemtype: int  # 0 stock, 1 non-stock, 2 service, 3 group
    category: int
    subcategory: str
    unit1: str
    unit2: str | None
    ratio2: int | None  # ten-thousandths
    unitprice: int  # hundredths of a rupiah
    purchprice: int
    minimumqty: int | None  # hundredths
    parent: int | None  # catalog index of the parent item
    is_cable: bool


def _money(rupiah: int) -> int:
    return rupiah * 100


def _describe(kind: int, rng: random.Random) -> tuple[str, int, str, str, str | None, int, int]:
    """(description, category, subcategory, unit1, unit2, ratio2, price in rupiah)"""
    if kind in (0, 5):
        form = rng.randrange(3)
        if form == 0:
            t = rng.choice(["NYA", "NYAF"])
            size = rng.choice(["0.75", "1.5", "2.5", "4", "6"])
            return (f"Kabel {t} {size} mm² {rng.choice(COLORS)}", 1, t, "MTR", "ROLL", 100,
                    rng.randrange(20, 120) * 100)
        if form == 1:
            t = rng.choice(["NYM", "NYY", "NYMHY"])
            cores = rng.choice([2, 3, 4])
            size = rng.choice(["1.5", "2.5", "4", "6", "10", "16"])
            return (f"Kabel {t} {cores}x{size} mm² {rng.choice(CABLE_BRANDS)}", 1, t, "MTR",
                    "ROLL", 50, rng.randrange(80, 900) * 100)
        name = rng.choice(["LAN Cat6 UTP", "Coaxial RG6", "Tis 15 cm Hitam", "Tis 30 cm Putih",
                           "Telepon 2 Pair", "Speaker 2x0.75", "Fleksibel 20 mm"])
        return (f"Kabel {name} {rng.choice(CABLE_BRANDS)}", 1, "Lain-lain", "MTR", "ROLL", 100,
                rng.randrange(15, 150) * 100)
    if kind == 1:
        size = rng.choice(PIPE_SIZES)
        part = rng.choice(["Pipa PVC", "Pipa PVC", "Elbow PVC", "Sok Drat Dalam", "Tee PVC"])
        grade = rng.choice(["AW", "D", ""])
        text = f"{part} Ø {size} {rng.choice(PIPE_BRANDS)} {grade}".rstrip()
        unit = "BTG" if part == "Pipa PVC" else "PCS"
        return (text, 2, part, unit, None, None, rng.randrange(30, 2500) * 100)
    if kind == 2:
        if rng.random() < 0.5:
            holes = rng.choice([1, 2, 3, 4])
            return (f"Stop Kontak {rng.choice(ELECTRIC_BRANDS)} {holes} Lubang", 3, "Stop Kontak",
                    "PCS", "DUS", 10, rng.randrange(150, 950) * 100)
        return (f"Saklar {rng.choice(['Tunggal', 'Ganda', 'Seri'])} {rng.choice(ELECTRIC_BRANDS)}",
                3, "Saklar", "PCS", "DUS", 10, rng.randrange(120, 700) * 100)
    if kind == 3:
        poles = rng.choice(["1P", "2P", "3P"])
        amp = rng.choice(["2A", "4A", "6A", "10A", "16A", "20A", "32A"])
        return (f"MCB {rng.choice(ELECTRIC_BRANDS)} {poles} {amp}", 3, "MCB", "PCS", "DUS", 12,
                rng.randrange(450, 3500) * 100)
    if kind == 4:
        watt = rng.choice([3, 5, 7, 9, 12, 15, 18])
        return (f"Lampu LED {rng.choice(LAMP_BRANDS)} {watt}W {rng.choice(['Putih', 'Kuning'])}",
                4, "LED", "PCS", "DUS", 24, rng.randrange(150, 900) * 100)
    if kind == 6:
        tool = rng.choice(['Obeng 6" Plus', 'Obeng 8" Min', 'Tang Kombinasi 8"', 'Tang Potong 6"',
                           'Kunci Inggris 10"', 'Kunci Ring 17 mm', 'Palu Kambing 16 oz'])
        return (f"{tool} {rng.choice(TOOL_BRANDS)}", 5, tool.split()[0], "PCS", None, None,
                rng.randrange(250, 2500) * 100)
    if kind == 7:
        size = rng.choice(["M6", "M8", "M10", "M12"])
        thing = rng.choice([f"Baut {size} x {rng.choice([20, 30, 40, 50])} mm Galvanis",
                            f"Mur {size} Stainless", f"Ring Plat {size}",
                            f'Paku Beton {rng.choice(["2", "3", "4"])}"'])
        return (thing, 6, thing.split()[0], "PCS", "DUS", 100, rng.randrange(2, 60) * 100)
    if kind == 8:
        if rng.random() < 0.6:
            return (f"Cat Tembok {rng.choice(PAINT_BRANDS)} 5 kg {rng.choice(COLORS)}", 7, "Cat",
                    "PAIL", None, None, rng.randrange(900, 3500) * 100)
        return (f"Semen {rng.choice(CEMENT_BRANDS)} 50 kg", 7, "Semen", "SAK", None, None,
                rng.randrange(550, 800) * 100)
    thing = rng.choice([f"Isolasi {rng.choice(['Nitto', '3M'])} {rng.choice(COLORS)}",
                        f"Fitting Lampu E27 {rng.choice(ELECTRIC_BRANDS)}",
                        f"Terminal Blok {rng.choice([6, 12])}P {rng.choice(ELECTRIC_BRANDS)}",
                        f"Klem Pipa {rng.choice(['½', '¾', '1'])}\" Galvanis",
                        f"Kotak Sekring {rng.choice([4, 6, 8])} Grup {rng.choice(ELECTRIC_BRANDS)}"])
    return (thing, 8, thing.split()[0], "PCS", "DUS", 20, rng.randrange(30, 900) * 100)


def catalog_item(index: int) -> CatalogItem:
    rng = random.Random(index * 7919 + 17)
    kind = index % 10
    description, category, subcategory, unit1, unit2, ratio2, price = _describe(kind, rng)
    place = index % 50
    itemtype = 0
    parent = None
    if place == 0:
        itemtype = 3
        description = f"Grup {description}"
    elif place in (1, 2, 3):
        parent = index - place
    elif place == 4:
        parent = index - 3
    if itemtype == 0 and index % 40 == 7:
        itemtype = 1
    elif itemtype == 0 and index % 40 == 23:
        itemtype = 2
        description = f"Jasa Pemasangan {description}"
    if index % 211 == 17:
        description = None
    minimum = None
    if itemtype == 0 and index % 9 == 4:
        minimum = rng.choice([5, 10, 20, 25, 50]) * 100
    elif itemtype == 0 and index % 9 == 5:
        minimum = 0
    purch = price * rng.randrange(70, 86) // 100 // 100 * 100
    return CatalogItem(
        index=index,
        code=f"{CODE_CLASSES[index % len(CODE_CLASSES)]}-{index:06d}",
        description=description,
        itemtype=itemtype,
        category=category,
        subcategory=subcategory,
        unit1=unit1,
        unit2=unit2,
        ratio2=ratio2 * 10000 if ratio2 else None,
        unitprice=_money(price),
        purchprice=_money(purch),
        minimumqty=minimum,
        parent=parent,
        is_cable=kind in (0, 5),
    )


def company_indices(company: int, items: int) -> list[int]:
    """Catalog indices carried by company 0 (KRT), 1 (SOKA) or 2 (KW): 40% of
    the items in all three, the rest shared by two or carried by one alone."""
    n = items
    if company == 0:
        return list(range(0, n))
    if company == 1:
        return list(range(3 * n // 10, 13 * n // 10))
    return (list(range(0, 2 * n // 10)) + list(range(6 * n // 10, 10 * n // 10))
            + list(range(12 * n // 10, 16 * n // 10)))
