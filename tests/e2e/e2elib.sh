# Shared by the end-to-end scripts: a fresh HOME, an X server of its own and
# the helpers that drive the real program with xdotool. Source it after
# setting HARFORA, XCLOSE, SHOTS and optionally SCREEN_W and SCREEN_H.
E2E=$(dirname "${BASH_SOURCE[0]}")
TS="$(dirname "$HARFORA")/resources/ts/ar_en_us.ts"  # the catalogue's texts, as built
LAYOUT="$E2E/../../resources/content/layouts/pc.tsv"
SCREEN_W=${SCREEN_W:-1280} SCREEN_H=${SCREEN_H:-800}
passed=0
rm -rf "$SHOTS"; mkdir -p "$SHOTS"
export HOME; HOME=$(mktemp -d)
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset XDG_DATA_HOME XDG_CONFIG_HOME
DATA="$HOME/.local/share/Velmonde/Harfora/Orvane/Harfora"

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
XVFB=$!
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
APP=""
cleanup() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null
    kill "$XVFB" 2>/dev/null
    rm -rf "$HOME" "$displayfile"
}
trap cleanup EXIT

step=0
shot() { step=$((step + 1)); import -window root "$SHOTS/$(printf %02d $step)-$1.png"; }
fail() { shot "failure"; echo "FAIL: $*"; echo "$passed passed, 1 failed"; exit 1; }
ok() { passed=$((passed + 1)); echo "ok $passed - $*"; }
check() { local what=$1; shift; "$@" || fail "$what"; ok "$what"; }

# window NAME: the visible top-level window with exactly that title
window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
gone() { for _ in $(seq 50); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.1; done; return 1; }
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.12; done; }
sql() { sqlite3 "$DATA/Users.dB" "$1"; }
near() { [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le 2 ]; }
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

# The program started on the fresh profile: its login window in LOGIN.
start() {
    "$HARFORA" >"$SHOTS/harfora.log" 2>&1 &
    APP=$!
    LOGIN=$(window Login) || fail "the login window appears"
    sleep 0.5
}
# log_in TITLE: user1 logs in with the default password; the start menu of that title in MENU.
log_in() {
    click "$LOGIN" 380 209
    keys ctrl+a 1 Return
    MENU=$(window "$1") || fail "the start menu appears ($1)"
    sleep 0.3
}
# Back at the login window from the menu, the Arabic interface chosen and logged in again.
log_in_arabic() {
    "$XCLOSE" "$MENU"
    LOGIN=$(window Login) || fail "the login window comes back"
    click "$LOGIN" 478 335
    keys Home Return
    sleep 0.5
    shot login-arabic
    log_in "قائمة حرفورا"
    shot start-menu-arabic
}
# The Arabic menu and login window closed: the program ends.
finish_arabic() {
    "$XCLOSE" "$MENU"
    LOGIN=$(window "تسجيل الدخول") || fail "the login window comes back at the end"
    "$XCLOSE" "$LOGIN"
    for _ in $(seq 50); do kill -0 "$APP" 2>/dev/null || break; sleep 0.1; done
    check "the program ends" eval '! kill -0 $APP 2>/dev/null'
    APP=""
    echo "$passed passed, 0 failed"
}
