#!/bin/sh
# Installs what is missing, builds, and runs every test: the normal build's
# ctest suite (unit, widget and end-to-end tests), then the same suite built
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j2)
"$root/scripts/build.sh" "$root/build-asan" -DHARFORA_SANITIZE=ON -DHARFORA_BENCH=OFF
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j2 -E e2e)
