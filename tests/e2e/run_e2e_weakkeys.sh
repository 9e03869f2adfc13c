#!/bin/bash
# End-to-end run of the weak-key practice and the level test: practice text
# 3 typed by real key presses with ت's key pressed wherever ب is expected,
# then "Practise my weak keys" gives a text in which ب is among the letters
# drawn most; a one-minute level test typed by physical keys ends on time and
# logs its row. Screenshots in the English and the Arabic interface.
# Usage: run_e2e_weakkeys.sh HARFORA XCLOSE SHOT-FOLDER
set -u
HARFORA=$1 XCLOSE=$2 SHOTS=$3
source "$(dirname "$0")/e2elib.sh"

# The strokes of the first $2 characters of the catalogue text whose source is
# $1, Shift chords included; every ب typed by the key of ت when $3 is "miss".
strokes() {
    python3 - "$E2E" "$TS" "$LAYOUT" "$1" "$2" "$3" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import textkeys
keys, out = textkeys.keys(sys.argv[3]), []
for c in "".join(textkeys.lines(sys.argv[2], sys.argv[4]))[:int(sys.argv[5])]:
    if c not in keys:
        break
    out.append("j" if sys.argv[6] == "miss" and c == "ب" else keys[c])
print(" ".join(out))
PY
}
# The letters a row of the log expected most, most first (log5 entries C:HITS:ERRORS:MEANMS).
expected_most() {
    sql "SELECT log5 FROM activitylog WHERE rowid = $1" | tr ' ' '\n' | grep -E '^[^%:]+:[0-9]+:[0-9]+:[0-9]+$' |
        awk -F: '{print $2 + $3, $1}' | sort -rn | head -"$2" | cut -d' ' -f2
}

PRACTICE3=$(strokes "add text of practise lesson 3 here in the translation file" 400 miss)
check "practice text 3 holds ب to miss" eval 'echo "$PRACTICE3" | grep -q " j "'
TEST1=$(strokes "add text of level test 1 here in the translation file" 45 right)
check "level test 1 starts with plain keys" test "$(echo "$TEST1" | wc -w)" -ge 30

start
log_in "Harfora Start Menu"
shot start-menu
click "$MENU" 164 45
PRACTICE=$(window Dialog) || fail "the practice window opens"
sleep 0.3
click "$PRACTICE" 410 554
click "$PRACTICE" 410 554
shot practice-3
click "$PRACTICE" 295 554
xdotool mousemove --window "$PRACTICE" 400 300
for s in $PRACTICE3; do xdotool key "$s"; sleep 0.03; done
sleep 0.5
keys Escape
check "practice 3 is logged with ب typed as ت" \
    eval "sql \"SELECT log6 FROM activitylog WHERE topic='Practise' AND log1='3'\" | grep -q 'ب>ت:'"

# --- Practise my weak keys -----------------------------------------------
geometry "$PRACTICE"
click "$PRACTICE" $((WIDTH - 90)) 30
sleep 0.5
shot weak-keys-text
# the weak-key text typed by the space bar only: every character expected is logged
click "$PRACTICE" 295 554
xdotool mousemove --window "$PRACTICE" 400 300
for _ in $(seq 120); do xdotool key space; sleep 0.02; done
sleep 0.3
keys Escape
WEAK=$(sql "SELECT max(rowid) FROM activitylog WHERE topic='Practise' AND log1='weak'")
check "a weak-key run is logged" test -n "$WEAK"
check "ب is among the three letters the weak-key text asked for most ($(expected_most "$WEAK" 3 | tr '\n' ' '))" \
    eval 'expected_most "$WEAK" 3 | grep -qx "ب"'
"$XCLOSE" "$PRACTICE"
MENU=$(window "Harfora Start Menu") || fail "the start menu comes back"

# --- a one-minute level test ---------------------------------------------
click "$MENU" 382 45
CHOICE=$(window Tests) || fail "Tests asks how long"
sleep 0.3
shot test-minutes
keys Return
TEST=$(window Dialog) || fail "the level test opens in the practice window"
sleep 0.5
shot level-test
xdotool mousemove --window "$TEST" 400 300
keys Return
START=$(date +%s)
for s in $TEST1; do xdotool key "$s"; sleep 0.05; done
check "no result before the minute is up" test -z "$(sql "SELECT rowid FROM activitylog WHERE topic='Test'")"
RESULT=""
for _ in $(seq 8); do RESULT=$(window "Level test finished") && break; done # up to 80 s
[ -n "$RESULT" ] || fail "the result box appears"
END=$(date +%s)
check "the test ends on time ($((END - START)) s)" test $((END - START)) -ge 59 -a $((END - START)) -le 63
shot level-test-result
keys Return
ROW=$(sql "SELECT log1 || '|' || log2 || '|' || log3 FROM activitylog WHERE topic='Test'")
echo "$ROW" > "$SHOTS/test-row.txt"
check "the test's row: text 1, one minute, 60 seconds ($ROW)" eval 'echo "$ROW" | grep -qE "^1\|1 60 [0-9]+ [0-9]+\|"'
"$XCLOSE" "$TEST"
MENU=$(window "Harfora Start Menu") || fail "the start menu comes back after the test"

# --- the Arabic interface ------------------------------------------------
log_in_arabic
# right to left: Training is the second button from the right
click "$MENU" 491 45
PRACTICE=$(window "التدريب على الكتابة") || fail "the Arabic practice window opens"
sleep 0.3
click "$PRACTICE" 90 30
sleep 0.5
shot weak-keys-arabic
"$XCLOSE" "$PRACTICE"
MENU=$(window "قائمة حرفورا") || fail "the Arabic start menu comes back"
click "$MENU" 273 45
CHOICE=$(window "الاختبارات") || fail "the Arabic Tests question opens"
sleep 0.3
shot test-minutes-arabic
keys Return
TEST=$(window "التدريب على الكتابة") || fail "the Arabic level test opens"
sleep 0.5
shot level-test-arabic
"$XCLOSE" "$TEST"
MENU=$(window "قائمة حرفورا") || fail "the Arabic start menu comes back after the test"
finish_arabic
