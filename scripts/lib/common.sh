# shellcheck shell=bash
# Shared by the server and database scripts.
VID_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# Debian's own python3: another one may stand earlier on PATH.
VID_PYTHON=${VID_PYTHON:-/usr/bin/python3}
export PYTHONDONTWRITEBYTECODE=1
FB_HOME=${FB_HOME:-/usr/lib/x86_64-linux-gnu/firebird/3.0}

# Alias lines of databases.conf for the files in folder $1.
write_aliases() {
    "$VID_PYTHON" "$VID_REPO/db/layout.py" aliases "$1"
}

# The file names of the five databases, one a line.
database_files() {
    "$VID_PYTHON" "$VID_REPO/db/layout.py" files
}

# A Firebird root folder of our own ($1): links to the installed engine, and a
# real copy of intl because the engine refuses a character set module reached
# through a symbolic link. The caller writes firebird.conf.
prepare_fb_root() {
    local root=$1 name
    mkdir -p "$root/lock" "$root/tmp"
    for name in plugins UDF lib firebird.msg plugins.conf; do
        ln -sfn "$FB_HOME/$name" "$root/$name"
    done
    if [[ ! -f $root/intl/libfbintl.so ]]; then
        rm -rf "$root/intl"
        mkdir -p "$root/intl"
        cp -L "$FB_HOME/intl/libfbintl.so" "$FB_HOME/intl/fbintl.conf" "$root/intl/"
    fi
    [[ -f $root/databases.conf ]] || : >"$root/databases.conf"
}
