"""The five databases: how the program names them on the server and which local
file each one is. The company suffixes end up in the application record, so the
names the program builds from that record always meet an alias here."""

import sys
from dataclasses import dataclass


@dataclass(frozen=True)
class Database:
    key: str  # short name used by the generator and the scripts
    suffix: str  # the application record's suffix, "" where the path has none
    erp_path: str  # the path the program asks the server for
    file: str  # the file in the data folder

    @property
    def name(self) -> str:
        return self.file[: -len(".fdb")]


KRT_SUFFIX = "2025"
SOKA_SUFFIX = "2024"
KW_SUFFIX = "25"

CONTROL = Database("edp", "", "f:\\vora\\edp\\edp.fdb", "edp.fdb")
KRT = Database("krt", KRT_SUFFIX, f"f:\\vora\\krt\\krt{KRT_SUFFIX}.fdb", f"krt{KRT_SUFFIX}.fdb")
SOKA = Database(
    "soka", SOKA_SUFFIX, f"f:\\vora\\soka\\soka{SOKA_SUFFIX}.fdb", f"soka{SOKA_SUFFIX}.fdb"
)
KW = Database("kw", KW_SUFFIX, f"f:\\vora\\kw\\kw{KW_SUFFIX}.fdb", f"kw{KW_SUFFIX}.fdb")
OLD = Database("old", "", "f:\\vora\\old\\OLDSTOCK.fdb", "OLDSTOCK.fdb")

ALL = (CONTROL, KRT, SOKA, KW, OLD)
COMPANIES = (KRT, SOKA, KW)


def by_key(key: str) -> Database:
    for db in ALL:
        if db.key == key:
            return db
    raise KeyError(key)


def alias_lines(datadir: str) -> list[str]:
    # The server compares aliases after turning "\" into "/", case-sensitively;
    # the value is quoted so that a "#" or a blank in the folder is no comment.
    return [f'{db.erp_path} = "{datadir}/{db.file}"' for db in ALL]


def main(argv: list[str]) -> int:
    if len(argv) == 3 and argv[1] == "aliases":
        print("\n".join(alias_lines(argv[2])))
        return 0
    if len(argv) == 2 and argv[1] == "files":
        print("\n".join(db.file for db in ALL))
        return 0
    if len(argv) == 3 and argv[1] == "file":
        print(by_key(argv[2]).file)
        return 0
    print("usage: layout.py aliases <datadir> | files | file <key>", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
