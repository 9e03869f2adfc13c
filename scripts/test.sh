#!/bin/sh
# Installs what is missing, builds, and runs every test: the normal build's
# ctest suite (unit, widget and end-to-end tests), then the same suite built
# with AddressSanitizer and UndefinedBehaviorSanitizer, then short fuzzing
# runs of practice-text preparation and of the activity-log reader.
# LeakSanitizer does not scan thread-local storage (use_tls=0): this
# toolchain's tracer misreads glibc's dynamic TLS table and crashes at some
# tests' exit depending on memory layout. Leaks are still detected.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DHARFORA_WERROR=ON
"$root/scripts/check_setup.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j2)
"$root/scripts/build.sh" "$root/build-asan" -DHARFORA_SANITIZE=ON -DHARFORA_BENCH=OFF -DHARFORA_WERROR=ON
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp":print_suppressions=0:use_tls=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j2 -E 'e2e|debian_package')
cmake -S "$root/tests/fuzz" -B "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DHARFORA_WERROR=ON >/dev/null
cmake --build "$root/build-fuzz" -j"$(nproc)"
corpus="$root/build-fuzz/corpus"
mkdir -p "$corpus" && cp "$root"/tests/fuzz/corpus/* "$corpus"/
# A text of 1 MB in different drill lines, each respaced: the long input the
# unit tests leave out, run once whole (the fuzzing run reads its start).
python3 -c 'import sys; sys.stdout.write("".join("<p><line>%s</p>" % "".join("&#%04d;" % (1576 + (n * 7 + i) % 30) for i in range(12)) for n in range(12000)))' > "$corpus/long-drills.html"
"$root/build-fuzz/fuzz_textprep" "$corpus/long-drills.html" > "$root/build-fuzz/long.log" 2>&1 || { tail -20 "$root/build-fuzz/long.log"; echo "the 1 MB text failed"; exit 1; }
# fuzz TARGET SECONDS MAX-LEN CORPUS: a short fuzzing run that fails on a crash.
fuzz() {
    if ! "$root/build-fuzz/$1" -max_total_time="$2" -max_len="$3" -print_final_stats=1 "$4" \
            > "$root/build-fuzz/$1.log" 2>&1; then
        tail -40 "$root/build-fuzz/$1.log"
        echo "fuzzing $1 found a crash"
        exit 1
    fi
    grep -E '^Done' "$root/build-fuzz/$1.log"
}
fuzz fuzz_textprep 30 8192 "$corpus"
rows="$root/build-fuzz/corpus_activity"
mkdir -p "$rows" && cp "$root"/tests/fuzz/corpus_activity/* "$rows"/
fuzz fuzz_activityreader 20 4096 "$rows"
