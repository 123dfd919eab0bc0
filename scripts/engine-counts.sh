#!/usr/bin/env bash
# Says how many database tests ran and passed on each engine, from the ctest log the test
# command writes. A test runs on an engine when its name ends in /SQLite or /PostgreSQL (a
# table row's test: _SQLite or _PostgreSQL);
# tests that run on SQLite without a PostgreSQL twin are listed so a missing twin stands out.
#   engine-counts.sh [build dir]   (reads <build dir>/ctest.log; default build/test)
set -euo pipefail
dir=${1:-build/test}
log="$dir/ctest.log"
if [ ! -f "$log" ]; then
  echo "engine-counts: no ctest log at $log" >&2
  exit 1
fi

# ctest result lines: " 12/345 Test  #12: Suite.Name/SQLite ......   Passed    0.10 sec"
#                 or: " 13/345 Test  #13: Suite.Name/PostgreSQL ...***Failed    0.20 sec"
# (a name may be followed by a "# GetParam() = ..." comment before the dots).
results=$(sed -nE 's/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: +([^ ]+).*[ .](\*\*\*)?(Passed|Failed|Not Run|Exception|Timeout|Skipped|Disabled)\b.*/\1 \3/p' "$log")

count() {  # <engine> <status, or empty for every test that ran>
  printf '%s\n' "$results" | awk -v e="$1" -v s="$2" '
    $1 ~ ("[/_]" e "$") && (s == "" ? $2 != "Not" : $2 == s) { n++ }
    END { print n + 0 }'
}

for engine in SQLite PostgreSQL; do
  ran=$(count "$engine" "")
  passed=$(count "$engine" Passed)
  echo "Database tests on ${engine}: ${ran} ran, ${passed} passed"
done

names() {  # <engine>: test names without the engine suffix
  printf '%s\n' "$results" | awk -v e="$1" '
    $1 ~ ("[/_]" e "$") { print substr($1, 1, length($1) - length(e) - 1) }' |
    sort -u
}
sqlite_names=$(names SQLite)
pg_names=$(names PostgreSQL)
only_sqlite=$(comm -23 <(printf '%s\n' "$sqlite_names" | sed '/^$/d') <(printf '%s\n' "$pg_names" | sed '/^$/d'))
only_pg=$(comm -13 <(printf '%s\n' "$sqlite_names" | sed '/^$/d') <(printf '%s\n' "$pg_names" | sed '/^$/d'))
report_only() {  # <title> <names>
  [ -n "$2" ] || return 0
  echo "$1 ($(printf '%s\n' "$2" | wc -l)):"
  printf '%s\n' "$2" | sed 's/^/  /'
}
report_only "Tests on SQLite only, no PostgreSQL twin" "$only_sqlite"
# Engine-specific server tests (two clients, login, server failures) are expected here.
[ -z "$only_pg" ] || echo "Tests on PostgreSQL only (server-specific): $(printf '%s\n' "$only_pg" | wc -l)"
