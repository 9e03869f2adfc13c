#!/bin/sh
# Installs what is missing, builds and starts Harfora.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" > "$root/build.log" 2>&1 || { tail -40 "$root/build.log"; exit 1; }
exec "$root/build/harfora"
