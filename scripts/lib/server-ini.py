"""Sets keys of the section "Server" of an INI file, keeping every other line
and section as it is.  Usage: server-ini.py <file> KEY=VALUE..."""

import os
import sys


def _close(out: list[str], pending: dict[str, str]) -> None:
    """Adds the keys not met in the section after its last non-blank line."""
    at = len(out)
    while at > 0 and not out[at - 1].strip():
        at -= 1
    out[at:at] = [f"{k}={v}" for k, v in pending.items()]
    pending.clear()


def update(lines: list[str], values: dict[str, str]) -> list[str]:
    out, pending, in_server, seen = [], dict(values), False, False
    for line in lines:
        stripped = line.strip()
        if stripped.startswith("[") and stripped.endswith("]"):
            if in_server:
                _close(out, pending)
            in_server = stripped == "[Server]"
            seen = seen or in_server
        elif in_server and "=" in stripped:
            key = stripped.split("=", 1)[0].strip()
            if key in values:
                if key in pending:
                    out.append(f"{key}={pending.pop(key)}")
                continue
        out.append(line)
    if in_server:
        _close(out, pending)
    elif not seen:
        if out and out[-1].strip():
            out.append("")
        out.append("[Server]")
        out.extend(f"{k}={v}" for k, v in pending.items())
    return out


def main(argv: list[str]) -> int:
    if len(argv) < 3 or not all("=" in a for a in argv[2:]):
        print(__doc__, file=sys.stderr)
        return 2
    path = argv[1]
    values = dict(a.split("=", 1) for a in argv[2:])
    lines = []
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="surrogateescape") as f:
            lines = f.read().splitlines()
    with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
        f.write("\n".join(update(lines, values)) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
