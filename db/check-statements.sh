#!/usr/bin/env bash
# Runs the program's statements against freshly built demo databases on a
# private server and checks the documented values of db/README.md.
#
#   db/check-statements.sh [--items N] [--bench]
#
# --items N builds N items per company (default: the small demo size);
# --bench times the heavy statements instead of checking values.
# Work folder: $VID_CHECK_ROOT (default /tmp/vid-check); server 127.0.0.21:3051.
# The statements come from the program's build in $VID_BUILD_DIR (default
# build/ of the repository; configured here when it is not yet).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=${VID_CHECK_ROOT:-/tmp/vid-check}
address=${VID_CHECK_ADDRESS:-127.0.0.21}
items=()
bench=()
while [[ $# -gt 0 ]]; do
    case $1 in
    --items) items=(--items "$2"); shift 2 ;;
    --bench) bench=(--bench); shift ;;
    *) echo "usage: db/check-statements.sh [--items N] [--bench]" >&2; exit 2 ;;
    esac
done

build=${VID_BUILD_DIR:-$here/../build}
[[ -f $build/CMakeCache.txt ]] || cmake -S "$here/.." -B "$build" >/dev/null
cmake --build "$build" --target print_statements >/dev/null
export VID_PRINT_STATEMENTS
VID_PRINT_STATEMENTS=$(cd "$build" && pwd -P)/tests/print_statements

"$here/../scripts/fbserver" stop "$root/server" >/dev/null
"$here/../scripts/make-databases" "$root/data" "${items[@]}"
"$here/../scripts/fbserver" start "$root/server" "$address" 3051 "$root/data"
trap '"$here/../scripts/fbserver" stop "$root/server" >/dev/null' EXIT
cd "$here"
PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 check_statements.py "$address" 3051 "${bench[@]}"
