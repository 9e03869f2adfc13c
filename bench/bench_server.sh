#!/bin/bash
# Starts a PostgreSQL 15 server of its own (tests/store/pgserver.sh), runs
# bench_server against a fresh database on it and stops it again.
# Usage: bench/bench_server.sh [build dir]
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
state=$(mktemp -d)
work=$(mktemp -d)
trap 'bash "$root/tests/store/pgserver.sh" stop "$state"; rm -rf "$state" "$work"' EXIT
bash "$root/tests/store/pgserver.sh" start "$state"
# shellcheck disable=SC1091
. "$state/env"
export PGPASSFILE=$PGTEST_PASSFILE
"$PGTEST_BIN/psql" -X -q "$PGTEST_URI" -c "CREATE DATABASE harfora_bench"
cd "$work"
"$build/bench/bench_server" "${PGTEST_URI/\/postgres\?//harfora_bench?}"
