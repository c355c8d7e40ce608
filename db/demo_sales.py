"""The sales volume: how many invoices, salesmen and sales teams the generator
adds beyond the fixed, documented ones, for timing the sales and receivables
statements on a large company. At the default volume nothing is added, so the
default data stays as db/README.md documents it."""

from dataclasses import dataclass

# First names of the added salesmen; none of them is a fixed salesman's name.
FIRST_NAMES = [
    "Agus", "Bambang", "Cahyo", "Dian", "Endang", "Fitri", "Galih", "Hani", "Irfan", "Joni",
    "Kiki", "Lukman", "Maya", "Nanda", "Oki", "Putri", "Rahmat", "Sinta", "Taufik", "Umar",
    "Vina", "Wahyu", "Yanti", "Zainal", "Bayu", "Dodi", "Erna", "Ferry", "Gilang", "Hesti",
]


@dataclass(frozen=True)
class SalesVolume:
    invoices: int | None  # generated invoices per company; None: as many as the item count gives
    salesmen: int  # salesmen in all, the fixed ones included
    teams: int  # sales teams in all, the fixed ones included


def check(volume: SalesVolume, fixed_salesmen: int, fixed_teams: int) -> str | None:
    """What is wrong with the volume, or None."""
    if volume.invoices is not None and volume.invoices < 0:
        return "--invoices must not be negative"
    if volume.salesmen < fixed_salesmen:
        return f"--salesmen must be at least {fixed_salesmen} (the fixed salesmen)"
    if volume.teams < fixed_teams:
        return f"--teams must be at least {fixed_teams} (the fixed teams)"
    if volume.teams - fixed_teams > volume.salesmen - fixed_salesmen:
        return "every added team needs an added salesman"
    return None


def added_name(index: int) -> str:
    first = FIRST_NAMES[index % len(FIRST_NAMES)]
    round_ = index // len(FIRST_NAMES)
    return first if round_ == 0 else f"{first} {round_ + 1}"


def own_target(index: int) -> int:
    return 1000000 * (2 + index % 5)


def added_salesmen(volume: SalesVolume, fixed_salesmen: int,
                   fixed_teams: int) -> list[tuple[str, str, str, str | None]]:
    """(first name, division, target printed in the ranking, team or None) of every added
    salesman. Added teams take the added salesmen in turn; a team's members share its
    division, so its division total is the team's total."""
    teams = volume.teams - fixed_teams
    out = []
    for index in range(volume.salesmen - fixed_salesmen):
        team = index % teams + 1 if teams else None
        division = f"WILAYAH {team}" if team else "UMUM"
        out.append((added_name(index), division, str(own_target(index) * 30),
                    f"Team Wilayah {team}" if team else None))
    return out


def added_team_rows(volume: SalesVolume, fixed_salesmen: int,
                    fixed_teams: int) -> list[tuple[str, str, str, str]]:
    """Sales-team control rows (team, salesman, own target, team target) of the added
    teams, team by team; the team target, the sum of its members' own, on every row."""
    members: dict[str, list[tuple[str, int]]] = {}
    for index, (name, _, _, team) in enumerate(
            added_salesmen(volume, fixed_salesmen, fixed_teams)):
        if team:
            members.setdefault(team, []).append((name, own_target(index)))
    rows = []
    for team, people in members.items():
        total = str(sum(target for _, target in people))
        rows += [(team, name, str(target), total) for name, target in people]
    return rows


def customer_count(default: int, volume: SalesVolume) -> int:
    """More invoices need more customers: about a hundred invoices each."""
    if volume.invoices is None:
        return default
    return max(default, volume.invoices // 100)
