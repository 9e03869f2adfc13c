#!/bin/bash
# Start-up of the program to its login window against a bare Qt window, in
# turns (bare, program, bare, program ...), on a fresh and on an existing
# data folder: time until the window is visible and resident memory there,
# with the medians of both and their ratios.
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
for folder in fresh existing; do
    keep=$(mktemp -d)
    [ $folder = existing ] && start "$keep" "$build/harfora" >/dev/null
    for i in $(seq $((runs + 1))); do
        home=$keep
        [ $folder = fresh ] && home=$(mktemp -d)
        b=$(start "$home" "$build/bench/bare_window")
        h=$(start "$home" "$build/harfora")
        [ $folder = fresh ] && rm -rf "$home"
        [ "$i" = 1 ] && continue # warm-up
        echo "$b" >> "$out/bare-$folder"; echo "$h" >> "$out/harfora-$folder"
        echo "$h $b" | awk '{printf "%.3f %.3f\n", $1 / $3, $2 / $4}' >> "$out/ratio-$folder"
    done
    rm -rf "$keep"
    bt=$(cut -d' ' -f1 "$out/bare-$folder" | median); bm=$(cut -d' ' -f2 "$out/bare-$folder" | median)
    ht=$(cut -d' ' -f1 "$out/harfora-$folder" | median); hm=$(cut -d' ' -f2 "$out/harfora-$folder" | median)
    rt=$(cut -d' ' -f1 "$out/ratio-$folder" | median); rm_=$(cut -d' ' -f2 "$out/ratio-$folder" | median)
    echo "startup ($folder data folder, median of $runs): bare window $bt ms $((bm / 1024)) MB, Harfora $ht ms $((hm / 1024)) MB; ratio time $rt memory $rm_"
done
