#!/bin/bash
# check_setup.sh BUILD-DIR: every CMake package file the configured build
# found, and every program and data file the build, the tests and the package
# use, must come from a Debian package that scripts/setup.sh installs by name.
# A machine that only has them from earlier work would hide a missing entry.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="$1/CMakeCache.txt"
setup="${SETUP_SCRIPT:-$root/scripts/setup.sh}"
[ -f "$cache" ] || { echo "check_setup: no $cache (configure first)"; exit 1; }

# Programs and files used by name outside CMake's own look-ups.
PROGRAMS="cmake make python3 c++ clang++ lrelease lupdate dpkg-shlibdeps file
Xvfb xauth xdotool xdpyinfo import convert sqlite3 chattr appstreamcli hunspell runuser openssl"
FILES="/usr/share/X11/xkb/symbols/ara /usr/share/hunspell/ar.dic /usr/share/qt5/translations/qtbase_ar.qm
$(qmake_plugins=$(sed -n 's/^Qt5Core_DIR:PATH=//p' "$cache"); echo "${qmake_plugins%/cmake/Qt5Core}/qt5/plugins/sqldrivers/libqsqlite.so")
$(qmake_plugins=$(sed -n 's/^Qt5Core_DIR:PATH=//p' "$cache"); echo "${qmake_plugins%/cmake/Qt5Core}/qt5/plugins/sqldrivers/libqsqlpsql.so")
/usr/lib/postgresql/15/bin/initdb /usr/lib/postgresql/15/bin/pg_ctl /usr/lib/postgresql/15/bin/postgres /usr/lib/postgresql/15/bin/psql
/usr/share/fonts/truetype/noto/NotoNaskhArabic-Regular.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

paths=()
# CMake package configuration files: every <Package>_DIR the build found.
while IFS= read -r dir; do
    for cfg in "$dir"/*Config.cmake "$dir"/*-config.cmake; do [ -f "$cfg" ] && paths+=("$cfg"); done
done < <(sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/usr\/.*\)$/\1/p' "$cache")
# Programs CMake looked up, and the compiler it chose.
while IFS= read -r prog; do [ -x "$prog" ] && paths+=("$prog"); done \
    < <(sed -n 's/^\(XVFB\|XDOTOOL\|APPSTREAMCLI\|CMAKE_CXX_COMPILER\|Python3_EXECUTABLE\|CMAKE_MAKE_PROGRAM\):[A-Z]*=\(\/usr\/.*\)$/\2/p' "$cache")
for p in $PROGRAMS; do
    # The system's own copy, not one a user put earlier on PATH by hand.
    found=""
    for d in /usr/lib/qt5/bin /usr/bin /usr/sbin; do [ -x "$d/$p" ] && { found="$d/$p"; break; }; done
    [ -n "$found" ] || { echo "check_setup: the program '$p' is not installed; scripts/setup.sh must install it"; exit 1; }
    paths+=("$found")
done
for f in $FILES; do
    [ -e "$f" ] || { echo "check_setup: $f is missing; scripts/setup.sh must install the package that ships it"; exit 1; }
    paths+=("$f")
done

# One dpkg look-up for all paths; names it does not know are followed through
# symbolic links (alternatives) and the /bin = /usr/bin and /sbin = /usr/sbin
# merges one by one.
declare -A owner_of
while IFS= read -r line; do
    pkg=${line%%: /*}; owner_of["/${line#*: /}"]=${pkg%%:*}
done < <(dpkg -S "${paths[@]}" 2>/dev/null | grep -v '^diversion' | sed 's/, [^:]*:/:/')
owner() {
    local p=$1 n=0 q pkg t
    [ -n "${owner_of[$p]:-}" ] && { echo "${owner_of[$p]}"; return; }
    while [ $n -lt 8 ]; do
        for q in "$p" "${p/#\/usr\/bin\//\/bin\/}" "${p/#\/usr\/sbin\//\/sbin\/}"; do
            pkg=$(dpkg -S "$q" 2>/dev/null | grep -v '^diversion' | head -n1 | cut -d: -f1) || true
            [ -n "$pkg" ] && { echo "$pkg"; return; }
        done
        [ -L "$p" ] || break
        t=$(readlink "$p"); [[ $t == /* ]] || t="$(dirname "$p")/$t"
        p=$t; n=$((n + 1))
    done
    echo "?"
}

listed=" $(sed -n '/^PACKAGES="/,/"/p' "$setup" | tr -d '"' | sed 's/^PACKAGES=//' | tr -s ' \n\t' ' ') "
missing=""
for p in "${paths[@]}"; do
    pkg=$(owner "$p")
    if [ "$pkg" = "?" ]; then echo "check_setup: no Debian package ships $p"; exit 1; fi
    [ "$(dpkg-query -W -f='${Essential}' "$pkg" 2>/dev/null)" = yes ] && continue
    case "$listed" in *" $pkg "*) ;; *) missing="$missing $pkg (for $p)
";; esac
done
if [ -n "$missing" ]; then
    echo "check_setup: scripts/setup.sh does not install these packages, which the build or the tests use:"
    printf '%s' "$missing" | sort -u | sed 's/^ */  /'
    exit 1
fi
echo "check_setup: all ${#paths[@]} programs, CMake package files and data files come from packages setup.sh installs"
