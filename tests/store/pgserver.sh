#!/bin/bash
# pgserver.sh start|stop STATE-DIR: a PostgreSQL 15 server of its own for the
# store's tests, in a temporary folder on a free loopback port.
#   start: makes the cluster (TLS on, with a certificate of its own), starts
#          it and writes STATE-DIR/env, which the tests read: the folder, the
#          port, a URI for the superuser's test database, a libpq password
#          file (the tests never put a password in a URI) and the certificate.
#   stop:  stops the server and removes its folder.
#   halt, resume: stops the server and starts it again on the same port
#          (the fault tests: a server that goes away during a session).
# As root the server runs as the unprivileged user "nobody".
set -eu
action=$1 state=$2
bin=/usr/lib/postgresql/15/bin
run() { if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi; }

if [ "$action" = halt ] || [ "$action" = resume ]; then
    # shellcheck disable=SC1091
    . "$state/env"
    if [ "$action" = halt ]; then
        run "$bin/pg_ctl" -D "$PGTEST_DIR/data" -m fast -w stop >/dev/null; exit $?
    fi
    run "$bin/pg_ctl" -D "$PGTEST_DIR/data" status >/dev/null && exit 0
    run "$bin/pg_ctl" -D "$PGTEST_DIR/data" -l "$PGTEST_DIR/log" -w -t 30 start >/dev/null; exit $?
fi
if [ "$action" = stop ]; then
    [ -f "$state/env" ] || exit 0
    # shellcheck disable=SC1091
    . "$state/env"
    run "$bin/pg_ctl" -D "$PGTEST_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$PGTEST_DIR" "$state/env"
    exit 0
fi

mkdir -p "$state"
dir=$(mktemp -d /tmp/harfora-pg.XXXXXX)
chmod 755 "$dir"
[ "$(id -u)" -eq 0 ] && chown nobody "$dir"
printf 'secret\n' > "$dir/pw"
chmod 644 "$dir/pw"
run "$bin/initdb" -D "$dir/data" -U harfora_admin --pwfile="$dir/pw" -A scram-sha-256 -E UTF8 \
    --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log"; exit 1; }
# TLS with a certificate of its own, so sslmode=require is really used.
openssl req -new -x509 -days 7 -nodes -subj /CN=harfora-test -keyout "$dir/server.key" \
    -out "$dir/server.crt" >/dev/null 2>&1 || { echo "openssl failed"; exit 1; }
chmod 600 "$dir/server.key"
[ "$(id -u)" -eq 0 ] && chown nobody "$dir/server.key" "$dir/server.crt"
for attempt in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 20000))
    if run "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w -t 30 \
        -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=120" \
        start >/dev/null 2>&1; then
        # A restart (resume) keeps the same port and settings.
        run "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
        printf "port = %s\nunix_socket_directories = '%s'\nlisten_addresses = '127.0.0.1'\nfsync = off\nmax_connections = 120\n" \
            "$port" "$dir" | run tee -a "$dir/data/postgresql.conf" >/dev/null
        printf "ssl = on\nssl_cert_file = '%s/server.crt'\nssl_key_file = '%s/server.key'\n" "$dir" "$dir" |
            run tee -a "$dir/data/postgresql.conf" >/dev/null
        run "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w -t 30 start >/dev/null
        break
    fi
    port=""
done
[ -n "$port" ] || { cat "$dir/log"; exit 1; }
# The password file libpq reads in place of a password in the URI.
printf '127.0.0.1:%s:*:harfora_admin:secret\n' "$port" > "$dir/pgpass"
chmod 600 "$dir/pgpass"
cat > "$state/env" <<ENV
PGTEST_DIR=$dir
PGTEST_PORT=$port
PGTEST_BIN=$bin
PGTEST_PASSFILE=$dir/pgpass
PGTEST_URI=postgresql://127.0.0.1:$port/postgres?user=harfora_admin
PGTEST_CERT=$dir/server.crt
ENV
