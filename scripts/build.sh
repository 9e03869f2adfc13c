#!/bin/sh
# build.sh <build dir> [cmake options...]: configures once, then builds incrementally.
set -e
dir="$1"; shift
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ $# -gt 0 ]; then
  cmake "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
