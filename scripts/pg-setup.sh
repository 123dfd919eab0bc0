#!/usr/bin/env bash
# Creates the tables of Brenvik and Sattrel in an empty PostgreSQL database (with --demo
# also the demo master data). Builds the setup tool first; refuses a database that already
# holds the tables.
#   bash scripts/pg-setup.sh [--demo] "host=db.example port=5432 dbname=accounts user=clerk"
# A password the connection string does not hold is asked for on the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target dbsetup -j"$(nproc)" >/dev/null
exec ./build/release/db/tools/dbsetup "$@"
