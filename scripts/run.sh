#!/usr/bin/env bash
# Builds a program and starts it on the embedded database (created on first use):
#   run.sh            Brenvik (transfer vouchers)
#   run.sh Sattrel    Sattrel (transfers of inventory assets to other accounts)
set -euo pipefail
cd "$(dirname "$0")/.."
# A misspelt name must not start the other program, nor build anything first.
case "$#:${1:-}" in
  0:) program=Brenvik ;;
  1:Brenvik|1:Sattrel) program=$1 ;;
  *)
    echo "usage: run.sh [Brenvik|Sattrel]" >&2
    exit 2
    ;;
esac
bash scripts/setup-debian.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target "$program" -j"$(nproc)"
exec "./build/release/programs/$program"
