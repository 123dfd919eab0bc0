#!/usr/bin/env bash
# Builds Brenvik and starts it on the embedded database (created on first use).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake --preset release >/dev/null
cmake --build --preset release --target Brenvik -j"$(nproc)"
exec ./build/release/programs/Brenvik "$@"
