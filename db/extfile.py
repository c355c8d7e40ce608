"""Bulk loading through Firebird external tables: rows are written as
fixed-width WIN1252 records, and one INSERT ... SELECT per table moves them into
the real table. Far faster than one INSERT statement per row.

Column kinds: "int", "num" (NUMERIC(18,2), given as an int in hundredths),
"num4" (NUMERIC(18,4), given in ten-thousandths), "date" (datetime.date),
"ts" (datetime.datetime), or an int N for a text of at most N characters.
Every field starts with a flag character: "N" for NULL, a blank otherwise."""

import datetime
import os

WIDTHS = {"int": 12, "num": 22, "num4": 22, "date": 10, "ts": 19}
CASTS = {
    "int": "INTEGER",
    "num": "NUMERIC(18,2)",
    "num4": "NUMERIC(18,4)",
    "date": "DATE",
    "ts": "TIMESTAMP",
}


def _scaled(value: int, places: int) -> str:
    sign = "-" if value < 0 else ""
    whole, frac = divmod(abs(value), 10**places)
    return f"{sign}{whole}.{frac:0{places}d}"


def _field(kind, value) -> bytes:
    width = kind if isinstance(kind, int) else WIDTHS[kind]
    if value is None:
        return b"N" + b" " * width
    if isinstance(kind, int):
        data = value.encode("cp1252")
        if len(data) > width:
            raise ValueError(f"text longer than {width}: {value!r}")
        if data.endswith(b" "):
            raise ValueError(f"text with trailing blank: {value!r}")
        return b" " + data.ljust(width)
    if kind == "int":
        text = str(int(value))
    elif kind == "num":
        text = _scaled(value, 2)
    elif kind == "num4":
        text = _scaled(value, 4)
    elif kind == "date":
        text = value.isoformat()
    else:
        text = value.strftime("%Y-%m-%d %H:%M:%S")
    return b" " + text.encode("ascii").rjust(width)


class ExternalTable:
    def __init__(self, table: str, columns: list[tuple[str, object]]):
        self.table = table
        self.columns = columns
        self.rows: list[tuple] = []

    def add(self, *values) -> None:
        if len(values) != len(self.columns):
            raise ValueError(f"{self.table}: {len(values)} values for {len(self.columns)} columns")
        self.rows.append(values)

    def write(self, folder: str) -> str:
        path = os.path.join(folder, f"{self.table}.dat")
        kinds = [kind for _, kind in self.columns]
        with open(path, "wb") as out:
            for row in self.rows:
                out.write(b"".join(_field(k, v) for k, v in zip(kinds, row)) + b"\n")
        return path

    def load_sql(self, path: str) -> str:
        ext = f"EXT_{self.table}"
        defs = []
        selects = []
        for index, (name, kind) in enumerate(self.columns):
            width = kind if isinstance(kind, int) else WIDTHS[kind]
            field = f"F{index}"
            defs.append(f"{field} CHAR({width + 1})")
            value = f"SUBSTRING({field} FROM 2)"
            if isinstance(kind, int):
                value = f"TRIM(TRAILING FROM {value})"
            else:
                value = f"CAST({value} AS {CASTS[kind]})"
            selects.append(f"IIF({field} STARTING WITH 'N', NULL, {value})")
        defs.append("EOL CHAR(1)")
        names = ", ".join(name for name, _ in self.columns)
        return (
            f"CREATE TABLE {ext} EXTERNAL FILE '{path}' ({', '.join(defs)});\n"
            "COMMIT;\n"
            f"INSERT INTO {self.table} ({names})\n"
            f"  SELECT {', '.join(selects)} FROM {ext};\n"
            "COMMIT;\n"
            f"DROP TABLE {ext};\n"
            "COMMIT;\n"
        )


def date(text: str) -> datetime.date:
    return datetime.date.fromisoformat(text)
