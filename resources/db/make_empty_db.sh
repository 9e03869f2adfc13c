#!/bin/sh
# Redraws the empty database that every new Setting.dB and Users.dB starts from:
# SQLite 3, page size 1024, UTF-8, one empty table INFOBase -> exactly 2048 bytes.
set -e
out="${1:-$(dirname "$0")/std.dB}"
rm -f "$out"
sqlite3 "$out" "PRAGMA page_size=1024; PRAGMA encoding='UTF-8'; CREATE TABLE INFOBase (Version TEXT);"
size=$(wc -c < "$out")
[ "$size" -eq 2048 ] || { echo "unexpected size $size" >&2; exit 1; }
