#!/bin/bash
# Runs every benchmark against a built tree and prints one table.
# Usage: bench/run_all.sh [build dir] [minutes of the game memory run]
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
minutes="${2:-10}"
runs=7
out=$(mktemp -d)
trap 'kill $XVFB 2>/dev/null; rm -rf "$out"' EXIT

source "$root/bench/xvfb.sh"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# Start-up to the login window on a cold, fresh profile, and its memory.
for i in $(seq $runs); do
    home=$(mktemp -d)
    sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null || true
    start=$(date +%s%N)
    HOME=$home "$build/harfora" >/dev/null 2>&1 &
    app=$!
    # poll gently: a flood of X connections can make the server refuse the program's own
    until visible Login; do kill -0 $app 2>/dev/null || break; sleep 0.01; done
    echo $(( ($(date +%s%N) - start) / 1000000 )) >> "$out/startup"
    sleep 0.5
    rss $app >> "$out/rss-login"
    if [ "$i" = 1 ]; then
        # one practice run: log in, Training, Start, type a line, Stop
        login=$(xdotool search --onlyvisible --name '^Login$' | head -n1)
        xdotool mousemove --window "$login" 380 209 click 1 key 1 Return; sleep 1
        menu=$(xdotool search --onlyvisible --name '^Harfora Start Menu$' | head -n1)
        xdotool mousemove --window "$menu" 197 45 click 1; sleep 1.5
        practice=$(xdotool search --onlyvisible --name '^Dialog$' | head -n1)
        xdotool mousemove --window "$practice" 295 554 click 1; sleep 0.3
        xdotool mousemove --window "$practice" 400 300
        for k in a a s s d d f f; do xdotool key $k; sleep 0.1; done
        sleep 1.2
        xdotool mousemove --window "$practice" 180 554 click 1; sleep 0.5
        rss $app > "$out/rss-practice"
    fi
    kill $app; wait $app 2>/dev/null || true
    rm -rf "$home"
done

"$build/bench/bench_store" 2>/dev/null > "$out/store"
"$build/bench/bench_textprep" 2>/dev/null > "$out/textprep"
"$build/bench/bench_weakkeys" 2>/dev/null > "$out/weakkeys"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_keystroke" 2>/dev/null > "$out/keystroke"
"$build/bench/bench_game" 30 "$minutes" 2>/dev/null > "$out/game"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_reports" "$build/harfora-report" 2>/dev/null > "$out/reports"

field() { grep -o "$2" "$out/$1" | head -n1; }
echo "| Measure | Result |"
echo "|---|---|"
echo "| Start to login window shown (median of $runs, cold, fresh profile) | $(median < "$out/startup") ms |"
echo "| Resident memory at the login window (median of $runs) | $(( $(median < "$out/rss-login") / 1024 )) MB |"
echo "| Resident memory after a practice run | $(( $(cat "$out/rss-practice") / 1024 )) MB |"
echo "| checkPassword / logActivity, whole operation (median) | $(field store 'checkPassword median [0-9.]* ms' | grep -o '[0-9.]* ms') / $(field store 'logActivity median [0-9.]* ms' | grep -o '[0-9.]* ms') |"
while read -r line; do
    echo "| Practice text preparation, $(echo "$line" | grep -o '[0-9]* kB text') | $(echo "$line" | grep -o 'median *[0-9.]* ms' | grep -o '[0-9.]* ms') |"
done < "$out/textprep"
while read -r line; do
    echo "| Weak-key text from the whole vocabulary, $(echo "$line" | grep -o 'AR_[A-Za-z_]*') | $(echo "$line" | grep -o 'median *[0-9.]* ms' | grep -o '[0-9.]* ms') |"
done < "$out/weakkeys"
echo "| Keystroke near start / near end of 5,000 characters (median) | $(grep -o 'start [0-9.]* ms' "$out/keystroke" | cut -d' ' -f2-) / $(grep -o 'end [0-9.]* ms' "$out/keystroke" | cut -d' ' -f2-), ratio $(grep -o 'ratio [0-9.]*' "$out/keystroke" | cut -d' ' -f2) |"
echo "| Game CPU over 30 s, seven slots busy | $(grep -o '[0-9.]* s CPU' "$out/game" | head -n1) ($(grep -o '[0-9.]* % of one core' "$out/game")) |"
echo "| Game memory before / after $minutes min of throwing | $(grep -o '[0-9]* kB before' "$out/game" | cut -d' ' -f1) kB / $(grep -o '[0-9]* kB after' "$out/game" | cut -d' ' -f1) kB |"
echo "| Reports window ready, 5,000 runs of one learner (median) | $(grep -o 'window ready median [0-9]* ms ([0-9]* ms CPU' "$out/reports" | cut -d' ' -f4-) CPU) |"
echo "| harfora-report, 20 users x 5,000 runs (median) | $(grep -o 'harfora-report median [0-9]* ms ([0-9]* ms CPU' "$out/reports" | cut -d' ' -f3-) CPU) |"
echo "| One user's rows: $(grep -o 'SEARCH.*' "$out/reports") | |"
