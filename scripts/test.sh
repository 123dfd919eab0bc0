#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test:
# headless form tests, Qt widget tests under Xvfb, and every database test on SQLite and on a
# throwaway PostgreSQL server that this script starts and stops. Extra arguments go to ctest
# (for example -R Postgres).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh test
cmake --preset test >/dev/null
cmake --build --preset test -j"$(nproc)"

# The tests' logins come from VQ_TEST_PG alone, never from the caller's libpq settings.
unset PGPASSWORD PGPASSFILE PGSERVICE PGOPTIONS PGHOST PGPORT PGDATABASE PGUSER
pgdir=$(mktemp -d /tmp/vq-pg.XXXXXX)
cleanup() { bash scripts/pg-test-server.sh stop "$pgdir" || true; }
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
# Assigned first so that a failed start stops the script (eval of an empty text succeeds).
if ! pgenv=$(bash scripts/pg-test-server.sh start "$pgdir"); then
  echo "test.sh: could not start the PostgreSQL test server (see above)" >&2
  exit 1
fi
eval "$pgenv"
echo "PostgreSQL test server: ${VQ_TEST_PG_NOPASS}"

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
set +e
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --preset test -j"$(nproc)" "$@" 2>&1 | tee build/test/ctest.log
status=${PIPESTATUS[0]}
set -e
bash scripts/engine-counts.sh build/test || true
exit "$status"
