#!/bin/sh
# Installs what is missing, builds and starts Harfora.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
mkdir -p "$root/build"
"$root/scripts/build.sh" "$root/build" > "$root/build/build.log" 2>&1 || { tail -40 "$root/build/build.log"; exit 1; }
exec "$root/build/harfora"
