#!/bin/bash
# End-to-end run of the reports: two practice texts typed by real key
# presses with a planned mistake (the key of ت where ب is expected, three
# times in each), then the Reports window, its CSV export and harfora-report
# read the same runs back, in the English and the Arabic interface.
# Usage: run_e2e_reports.sh HARFORA XCLOSE HARFORA-REPORT SHOT-FOLDER
set -u
HARFORA=$1 XCLOSE=$2 REPORT=$3 SHOTS=$4
source "$(dirname "$0")/e2elib.sh"

# The strokes of practice text N up to the line where the planned mistake has
# been made three times: "j" (ت) for every "f" (ب); plain keys only.
strokes() {
    python3 - "$E2E" "$TS" "$LAYOUT" "$1" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import textkeys
keys, out, missed = textkeys.keys(sys.argv[3], shifted=False), [], 0
for line in textkeys.lines(sys.argv[2], "add text of practise lesson %s here in the translation file" % sys.argv[4]):
    for c in line:  # a drill line is shown spaced out, but typed as written
        if c not in keys:
            sys.exit("no plain key types %r" % c)
        wrong = c == "ب" and missed < 3
        missed += wrong
        out.append("j" if wrong else keys[c])
    if missed == 3:  # the end of a line goes on to the next by itself
        break
print(" ".join(out) if missed == 3 else "")
PY
}
practise() { # practice window, strokes
    click "$1" 295 554
    xdotool mousemove --window "$1" 400 300
    for s in $2; do xdotool key "$s"; sleep 0.05; done
    sleep 1.2
    shot "typed-$3"
    kill -0 "$APP" 2>/dev/null || { wait "$APP"; fail "the program ended while text $3 was typed (status $?)"; }
    click "$1" 180 554
}

ONE=$(strokes 1) TWO=$(strokes 2)
check "practice texts 1 and 2 hold ب three times and only plain keys" test -n "$ONE" -a -n "$TWO"

start
log_in "Harfora Start Menu"
click "$MENU" 164 45
PRACTICE=$(window Dialog) || fail "the practice window opens"
sleep 0.3
practise "$PRACTICE" "$ONE" 1
click "$PRACTICE" 410 554
practise "$PRACTICE" "$TWO" 2
"$XCLOSE" "$PRACTICE"
MENU=$(window "Harfora Start Menu") || fail "the start menu comes back"
sql "SELECT log1, log2, log5, log6 FROM activitylog WHERE topic='Practise'" > "$SHOTS/rows.txt"
check "two Practise rows, texts 1 and 2" test "$(sql "SELECT group_concat(log1) FROM activitylog WHERE topic='Practise'")" = "1,2"
for t in 1 2; do
    check "text $t's row holds the planned pair three times" \
        eval "sql \"SELECT log6 FROM activitylog WHERE topic='Practise' AND log1='$t'\" | grep -q 'ب>ت:3'"
done

# --- the Reports window ------------------------------------------------
click "$MENU" 491 45
REPORTS=$(window Reports) || fail "the Reports button opens the Reports window"
sleep 0.8
geometry "$REPORTS"
RX=$X RY=$Y
check "the Reports window fits a 1024 x 600 screen ($WIDTH x $HEIGHT)" test "$WIDTH" -le 1024 -a "$HEIGHT" -le 600
shot reports-progress
# pixels of one colour in a shot
count() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format "%[fx:round(mean*w*h)]" info:; }
click "$REPORTS" 198 69
sleep 0.4
shot reports-keyboard
# the hottest colour of the heat map, HSV (0, 1, 0.75): only the key of ب has it
check "the key of ب is the hot one of the heat map" test "$(count "$SHOTS/$(printf %02d $step)-reports-keyboard.png" "rgb(191,0,0)")" -gt 400
click "$REPORTS" 279 69
sleep 0.4
shot reports-mistakes
click "$REPORTS" 354 69
sleep 0.4
shot reports-fingers

# --- Export to CSV -----------------------------------------------------
click "$REPORTS" 757 536
DIALOG=$(window "Export to CSV") || fail "Export asks for a file"
xdotool key ctrl+a type "$HOME/runs.csv"
xdotool key Return
DONE=$(window Done) || fail "the export says where it wrote"
xdotool key Return
CSV="$HOME/runs.csv"
check "the CSV holds a header and both runs" test "$(wc -l < "$CSV")" = 3
while IFS='|' read -r TEXT TIMES KEYS; do
    read -r SECONDS _ PERCENT _ <<<"$TIMES"
    read -r _ _ CORRECT WRONG SKIPPED _ <<<"$KEYS"
    LINE=$(grep -E "^[^,]*,$TEXT," "$CSV")
    check "the CSV line of text $TEXT has the logged figures" test "$(echo "$LINE" | cut -d, -f2,3,5-8)" = \
        "$TEXT,$SECONDS,$PERCENT,$CORRECT,$WRONG,$SKIPPED"
done < <(sql "SELECT log1, log2, log5 FROM activitylog WHERE topic='Practise'")
BEST=$(cut -d, -f4 "$CSV" | tail -n +2 | sort -n | tail -1)

# --- harfora-report ----------------------------------------------------
"$REPORT" "$DATA/Users.dB" > "$SHOTS/report.csv"
check "harfora-report prints the header and user1" test "$(head -1 "$SHOTS/report.csv")" = \
    "user,runs,first,last,best_speed,mean_speed,mean_accuracy,most_missed,top_confusion"
LINE=$(grep '^user1,' "$SHOTS/report.csv")
check "harfora-report counts both runs with the CSV's best speed" test "$(echo "$LINE" | cut -d, -f2,5)" = "2,$BEST"
check "harfora-report names ب missed most, typed as ت" eval "echo '$LINE' | grep -qE ',ب( [^,]*)?,ب>ت$'"
"$XCLOSE" "$REPORTS"

# --- the Arabic interface ----------------------------------------------
log_in_arabic
# right to left: the Reports button is the fifth from the right
click "$MENU" 164 45
REPORTS=$(window "التقارير") || fail "the Arabic Reports window opens"
sleep 0.8
geometry "$REPORTS"
check "the Arabic Reports window fits a 1024 x 600 screen ($WIDTH x $HEIGHT)" test "$WIDTH" -le 1024 -a "$HEIGHT" -le 600
shot reports-arabic-progress
for tab in 735:keyboard 653:mistakes 589:fingers; do # the tabs from the right
    click "$REPORTS" "${tab%%:*}" 69
    sleep 0.4
    shot "reports-arabic-${tab#*:}"
done
"$XCLOSE" "$REPORTS"
finish_arabic
