#!/bin/bash
# Two lab machines and one classroom server: two instances of the real
# program, each on its own X server with its own HOME, register the same
# PostgreSQL database, the same learner logs in on each and types a practice
# line; both runs must be on the server, and the Reports window of either
# and harfora-report given the URI count them.
# Usage: run_e2e_server.sh HARFORA XCLOSE SHOT-FOLDER PGSERVER-SCRIPT HARFORA-REPORT
set -u
HARFORA=$1 XCLOSE=$2 SHOTS=$3 PGSERVER=$4 REPORT=$5
source "$(dirname "$0")/e2elib.sh"

# --- the server, its tables and the learner's account ------------------
state=$(mktemp -d)
bash "$PGSERVER" start "$state" || fail "the test server starts"
# shellcheck disable=SC1091
. "$state/env"
export PGPASSFILE=$PGTEST_PASSFILE
psql() { "$PGTEST_BIN/psql" -X -q -t -A "$@"; }
URI=${PGTEST_URI/\/postgres\?//classroom?}
psql "$PGTEST_URI" -c "CREATE DATABASE classroom" || fail "the classroom database is made"
psql "$URI" -v ON_ERROR_STOP=1 -f "$(dirname "$0")/../../resources/db/postgresql.sql" || fail "the schema script runs"
psql "$URI" -c "INSERT INTO \"user\"(username, password) VALUES ('lina', md5('pw'))"
server_sql() { psql "$URI" -c "$1"; }

# --- the machines: an X server and a HOME each ---------------------------
HOME_A=$HOME HOME_B=$(mktemp -d)
declare -A XPID XDISPLAY
# own_x M: an X server of machine M that answers, started (again) when there
# is none or it has gone (the machine is shared with other test runs).
own_x() {
    local m=$1 f _attempt
    f=$(mktemp)
    for _attempt in 1 2 3 4 5; do
        if [ -n "${XPID[$m]:-}" ] && DISPLAY=${XDISPLAY[$m]} xdpyinfo >/dev/null 2>&1; then
            rm -f "$f"
            return 0
        fi
        [ -n "${XPID[$m]:-}" ] && kill "${XPID[$m]}" 2>/dev/null
        : >"$f"
        Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp 3>"$f" 2>/dev/null &
        XPID[$m]=$!
        for _ in $(seq 50); do [ -s "$f" ] && break; sleep 0.1; done
        XDISPLAY[$m]=":$(cat "$f")"
    done
    rm -f "$f"
    return 1
}
APP_B=""
trap 'cleanup; [ -n "$APP_B" ] && kill $APP_B 2>/dev/null; for p in "${XPID[@]}"; do kill $p 2>/dev/null; done;
      rm -rf "$HOME_B"; bash "$PGSERVER" stop "$state"; rm -rf "$state"' EXIT

# session NAME MACHINE: on the machine's display and the current HOME, register the server, log in
# as lina, type the first practice line, stop; leaves the program running.
session() {
    local name=$1 machine=$2 login="" dialog menu practice _attempt
    for _attempt in 1 2 3; do
        own_x "$machine" || fail "$name: its X server starts"
        export DISPLAY=${XDISPLAY[$machine]}
        "$HARFORA" >"$SHOTS/harfora-$name.log" 2>&1 &
        LAST_APP=$!
        # a busy machine (seven builds at once) may take longer than one wait
        login=$(window Login || window Login) && break
        kill "$LAST_APP" 2>/dev/null
        login=""
    done
    [ -n "$login" ] || fail "$name: the login window appears"
    sleep 0.5
    click "$login" 560 118
    dialog=$(window "Server database") || fail "$name: the server dialog opens"
    xdotool type --delay 20 "$URI"
    sleep 0.3
    shot "$name-server-dialog"
    keys Return
    gone "Server database" || fail "$name: the server dialog closes"
    sleep 0.5
    shot "$name-login-on-server"
    check "$name: the server is in the machine's own Setting.dB" \
        test "$(sqlite3 "$DATA/Setting.dB" 'SELECT dBpath FROM setting')" = "$URI"
    click "$login" 380 209
    xdotool type pw
    keys Return
    menu=$(window "Harfora Start Menu" || window "Harfora Start Menu") || fail "$name: lina logs in against the server"
    sleep 0.3
    click "$menu" 164 45
    practice=$(window Dialog || window Dialog) || fail "$name: the practice window opens"
    sleep 0.3
    click "$practice" 295 554
    xdotool mousemove --window "$practice" 400 300
    keys a a space s space d d space f f
    sleep 1.3
    shot "$name-practice"
    click "$practice" 180 554
    sleep 0.5
}

DATA_A=$DATA
session machine-a A
APP=$LAST_APP
check "machine A's run is on the server" \
    test "$(server_sql "SELECT count(*) FROM activitylog WHERE topic='Practise' AND username=md5('lina')")" = 1

export HOME=$HOME_B
DATA="$HOME/.local/share/Velmonde/Harfora/Orvane/Harfora"
session machine-b B
APP_B=$LAST_APP
check "both runs are on the server" \
    test "$(server_sql "SELECT count(*) FROM activitylog WHERE topic='Practise' AND username=md5('lina')")" = 2
check "the two runs have their own row ids" \
    test "$(server_sql "SELECT count(DISTINCT rowkey) FROM activitylog")" = 2
check "neither machine's own Users.dB got a row" \
    test "$(sqlite3 "$DATA_A/Users.dB" 'SELECT count(*) FROM activitylog')$(sqlite3 "$DATA/Users.dB" 'SELECT count(*) FROM activitylog')" = 00
check "no row waits in a queue" test ! -e "$DATA_A/ServerQueue.txt" -a ! -e "$DATA/ServerQueue.txt"
# the Reports window of machine B reads both machines' runs from the server
PRACTICE=$(window Dialog) && "$XCLOSE" "$PRACTICE"
MENU=$(window "Harfora Start Menu") || fail "machine B's start menu comes back"
click "$MENU" 491 45
REPORTS=$(window Reports) || fail "machine B opens the Reports window"
sleep 0.8
shot machine-b-reports
click "$REPORTS" 757 536
window "Export to CSV" >/dev/null || fail "Export asks for a file"
xdotool key ctrl+a type "$HOME/runs.csv"
xdotool key Return
window Done >/dev/null || fail "the export says where it wrote"
xdotool key Return
check "the Reports window on machine B holds both runs (a header and two lines)" \
    test "$(wc -l < "$HOME/runs.csv")" = 3
check "harfora-report with the URI counts lina's two runs" \
    test "$("$REPORT" "$URI" | grep '^lina,' | cut -d, -f2)" = 2
echo "$passed passed, 0 failed"
