#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests: initdb in a temporary folder, a free port on
# the loopback address, password logins. Run as the postgres user when started as root
# (the server refuses to run as root).
#   pg-test-server.sh start <dir>   prints "export" lines for the connection:
#       VQ_TEST_PG          connection string with the password
#       VQ_TEST_PG_NOPASS   the same without the password (login prompt tests)
#       VQ_TEST_PG_PASSWORD the password alone
#   pg-test-server.sh restart <dir> restarts the server as an administrator would: every
#       session ends, the server comes back on the same port
#   pg-test-server.sh stop <dir>    stops the server and removes the folder
# A failed start stops whatever it started, prints the server's log and exits non-zero.
set -euo pipefail

cmd=${1:?usage: pg-test-server.sh start|restart|stop <dir>}
dir=${2:?usage: pg-test-server.sh start|restart|stop <dir>}
marker=.vq-pg-test-server

die() {
  echo "pg-test-server: $*" >&2
  exit 1
}

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
[ -n "$bindir" ] && [ -x "$bindir/initdb" ] || die "PostgreSQL server binaries not found under /usr/lib/postgresql (run scripts/setup-debian.sh test)"

is_root() { [ "$(id -u)" -eq 0 ]; }

# Runs a command as the owner of the server's files, from a folder that owner can enter.
as_owner() {
  if is_root; then
    (cd / && runuser -u postgres -- "$@")
  else
    (cd / && "$@")
  fi
}

port_in_use() { (exec 3<>/dev/tcp/127.0.0.1/"$1") 2>/dev/null; }

# A port nobody listens on; the start is random so parallel starts rarely pick the same.
free_port() {
  local base=$((55432 + RANDOM % 400)) i p
  for i in $(seq 0 399); do
    p=$((base + i))
    if ! port_in_use "$p"; then
      echo "$p"
      return 0
    fi
  done
  return 1
}

server_running() { [ -f "$dir/data/postmaster.pid" ]; }

stop_server() {
  server_running || return 0
  as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w -t 20 stop >/dev/null 2>&1 ||
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w -t 20 stop >/dev/null 2>&1 || true
}

show_log() {
  local f logs=("$dir/server.log" "$dir/psql.log")
  [ -s "$dir/server.log" ] || logs=("$dir/initdb.log")
  for f in "${logs[@]}"; do
    if [ -s "$f" ]; then
      echo "--- $f (last lines)" >&2
      tail -n 20 "$f" >&2
    fi
  done
}

# A failed start leaves no server running and shows why.
on_start_exit() {
  local status=$?
  [ "$status" -eq 0 ] && return 0
  show_log
  stop_server
  echo "pg-test-server: start failed" >&2
}

start() {
  if is_root; then
    getent passwd postgres >/dev/null ||
      die "no 'postgres' user to run the server as (install the postgresql package: scripts/setup-debian.sh test)"
  fi
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  [ ! -e "$dir/data" ] || die "$dir already holds a server; stop it first"
  touch "$dir/$marker"
  # The server's socket folder: its path must stay short (Unix socket path limit).
  [ ${#dir} -le 80 ] || die "folder path too long for the server's socket: $dir"
  if is_root; then
    chown postgres: "$dir"
    as_owner test -w "$dir" ||
      die "the postgres user cannot write $dir (every parent folder must be searchable by it)"
  fi

  trap on_start_exit EXIT

  local pw port=""
  pw=$(head -c 12 /dev/urandom | od -An -tx1 | tr -d ' \n')
  (umask 077 && printf '%s\n' "$pw" >"$dir/pw")
  is_root && chown postgres: "$dir/pw"

  as_owner "$bindir/initdb" -D "$dir/data" -U vqadmin --pwfile="$dir/pw" \
    --auth-local=scram-sha-256 --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 \
    >"$dir/initdb.log" 2>&1 || die "initdb failed"
  rm -f "$dir/pw"

  # Another process may take the port between the probe and the bind: try again elsewhere.
  for _ in 1 2 3 4 5; do
    port=$(free_port) || die "no free port between 55432 and 56231"
    if as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c max_connections=200" \
      start >/dev/null 2>&1; then
      break
    fi
    server_running && die "the server did not become ready"
    grep -q 'could not bind\|Address already in use' "$dir/server.log" 2>/dev/null ||
      die "the server did not start"
    port=""
  done
  [ -n "$port" ] || die "the server could not bind a port after 5 attempts"

  "$bindir/pg_isready" -q -h 127.0.0.1 -p "$port" -t 30 || die "the server does not accept connections on port $port"
  # The trigram indexes of the schema need pg_trgm; every database made from the template has it,
  # so tests in schemas of their own and scratch databases find it in "public".
  PGPASSWORD=$pw "$bindir/psql" -h 127.0.0.1 -p "$port" -U vqadmin -d template1 -q -v ON_ERROR_STOP=1 \
    -c "CREATE EXTENSION IF NOT EXISTS pg_trgm" >"$dir/psql.log" 2>&1 || die "could not create the extension pg_trgm"
  PGPASSWORD=$pw "$bindir/psql" -h 127.0.0.1 -p "$port" -U vqadmin -d postgres -q -v ON_ERROR_STOP=1 \
    -c "CREATE DATABASE vqtest" >>"$dir/psql.log" 2>&1 || die "could not create the test database"

  echo "export VQ_TEST_PG='host=127.0.0.1 port=$port dbname=vqtest user=vqadmin password=$pw'"
  echo "export VQ_TEST_PG_NOPASS='host=127.0.0.1 port=$port dbname=vqtest user=vqadmin'"
  echo "export VQ_TEST_PG_PASSWORD='$pw'"
}

restart() {
  server_running || die "no server runs in $dir"
  as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -m fast -w -t 60 restart >/dev/null 2>&1 ||
    die "the server in $dir did not restart"
}

stop() {
  [ -d "$dir" ] || return 0
  rmdir "$dir" 2>/dev/null && return 0  # empty: the start failed before it began
  # Only a folder this script set up is removed.
  if [ ! -f "$dir/$marker" ] && [ ! -f "$dir/data/PG_VERSION" ]; then
    die "$dir was not made by pg-test-server.sh; not removing it"
  fi
  stop_server
  rm -rf "$dir"
}

case "$cmd" in
  start) start ;;
  restart) restart ;;
  stop) stop ;;
  *) die "unknown command $cmd (start, restart or stop)" ;;
esac
