#!/usr/bin/env bash
# Starts a private MariaDB server for the query tool's tests: a fresh data folder in a temporary
# folder, TCP on a free port of 127.0.0.1 and a socket in that folder. Writes STATE_FILE with the
# lines PORT=, PID=, DIR= once the server answers. On failure prints the server's log, removes the
# temporary folder and fails. Nothing depends on name resolution: the machine's host name need not
# resolve (no /etc/hosts), and the server matches clients by address (root@127.0.0.1).
#   start_server.sh STATE_FILE [extra mariadbd options...]
set -u
state=${1:?usage: start_server.sh STATE_FILE [mariadbd options]}
shift
mkdir -p "$(dirname "$state")" && rm -f "$state" || exit 1
dir=$(mktemp -d "${TMPDIR:-/tmp}/tessmark-server.XXXXXX") || exit 1
log=$dir/server.log
user_opt=()
[ "$(id -u)" = 0 ] && user_opt=(--user=root)

fail() {
    echo "test server: $*" >&2
    [ -f "$log" ] && { echo "---- server log ----" >&2; tail -n 60 "$log" >&2; }
    if [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; then
        for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
    fi
    rm -rf "$dir"
    exit 1
}

# --force: the install script would otherwise refuse a host name it cannot look up.
if ! mariadb-install-db --no-defaults --datadir="$dir/data" --auth-root-authentication-method=normal \
    --force --skip-test-db --tmpdir="$dir" "${user_opt[@]}" >"$log" 2>&1; then
    fail "mariadb-install-db failed"
fi

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

for attempt in 1 2 3 4 5 6 7 8; do
    port=$((20000 + (RANDOM * 7 + $$ + attempt * 131) % 30000))
    port_in_use "$port" && continue
    pid=
    setsid mariadbd --no-defaults --datadir="$dir/data" --socket="$dir/sock" --port="$port" \
        --bind-address=127.0.0.1 --pid-file="$dir/pid" --tmpdir="$dir" "${user_opt[@]}" --skip-log-bin \
        --skip-name-resolve \
        --innodb-buffer-pool-size=256M --innodb-log-file-size=256M \
        --innodb-flush-log-at-trx-commit=2 --local-infile=1 --max-allowed-packet=64M \
        "$@" </dev/null >>"$log" 2>&1 &
    pid=$!
    for _ in $(seq 1 300); do
        if ! kill -0 "$pid" 2>/dev/null; then break; fi
        if mariadb --no-defaults -h 127.0.0.1 -P "$port" -u root -e "select 1" >/dev/null 2>&1; then
            printf 'PORT=%s\nPID=%s\nDIR=%s\n' "$port" "$pid" "$dir" >"$state.tmp" &&
                mv "$state.tmp" "$state" && exit 0
            fail "cannot write $state"
        fi
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then fail "the server did not answer on port $port within 30 s"; fi
    grep -q "Address already in use\|Can't start server: Bind" "$log" || fail "mariadbd exited"
done
fail "no free port found"
