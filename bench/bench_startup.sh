#!/bin/bash
# Start-up of the program to its login window against a bare Qt window and
# against the same window with one label, in turns (bare, label, program,
# bare ...), on a fresh and on an existing data folder: time until the window
# is visible and resident memory there, the medians and the ratios (pair by
# pair, median) of the program to the bare window and to the labelled one.
# Usage: bench/bench_startup.sh [build dir] [runs]
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-7}"
out=$(mktemp -d)
trap 'kill $XVFB 2>/dev/null; rm -rf "$out"' EXIT
source "$root/bench/xvfb.sh"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
visible() { xdotool search --onlyvisible --name '^Login$' >/dev/null 2>&1; }
# one start: prints milliseconds to the visible window and kB resident there
start() {
    local home=$1; shift
    local t0 app ms
    t0=$(date +%s%N)
    HOME=$home "$@" >"$out/log" 2>&1 &
    app=$!
    until visible; do kill -0 $app 2>/dev/null || break; sleep 0.005; done
    ms=$(( ($(date +%s%N) - t0) / 1000000 ))
    sleep 0.3
    [ -r "/proc/$app/status" ] || { echo "$* ended before its window was measured" >&2; wait $app; echo "exit $?" >&2; cat "$out/log" >&2; }
    echo "$ms $(awk '/VmRSS/ {print $2}' "/proc/$app/status")"
    kill $app; wait $app 2>/dev/null || true
    for _ in $(seq 100); do visible || break; sleep 0.01; done
}
ratio() { paste -d' ' "$out/$1" "$out/$2" | awk '{printf "%.3f %.3f\n", $1 / $3, $2 / $4}' > "$out/r"
          echo "time $(cut -d' ' -f1 "$out/r" | median) memory $(cut -d' ' -f2 "$out/r" | median)"; }
figures() { echo "$(cut -d' ' -f1 "$out/$1" | median) ms $(( $(cut -d' ' -f2 "$out/$1" | median) / 1024 )) MB"; }
for folder in fresh existing; do
    keep=$(mktemp -d)
    [ $folder = existing ] && start "$keep" "$build/harfora" >/dev/null
    for i in $(seq $((runs + 1))); do
        home=$keep
        [ $folder = fresh ] && home=$(mktemp -d)
        b=$(start "$home" "$build/bench/bare_window")
        t=$(start "$home" "$build/bench/text_window")
        h=$(start "$home" "$build/harfora")
        [ $folder = fresh ] && rm -rf "$home"
        [ "$i" = 1 ] && continue # warm-up
        echo "$b" >> "$out/bare"; echo "$t" >> "$out/text"; echo "$h" >> "$out/harfora"
    done
    rm -rf "$keep"
    echo "startup ($folder data folder, median of $runs): bare window $(figures bare), one label $(figures text), Harfora $(figures harfora)"
    echo "  ratios: Harfora / bare window: $(ratio harfora bare); Harfora / one label: $(ratio harfora text); one label / bare window: $(ratio text bare)"
    rm -f "$out/bare" "$out/text" "$out/harfora"
done
