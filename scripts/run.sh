#!/usr/bin/env bash
# Builds a program and starts it on the embedded database (created on first use):
#   run.sh            Brenvik (transfer vouchers)
#   run.sh Sattrel    Sattrel (transfers of inventory assets to other accounts)
set -euo pipefail
cd "$(dirname "$0")/.."
program=Brenvik
case "${1:-}" in
  Brenvik|Sattrel) program=$1; shift ;;
esac
bash scripts/setup-debian.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target "$program" -j"$(nproc)"
exec "./build/release/programs/$program" "$@"
