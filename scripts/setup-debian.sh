#!/usr/bin/env bash
# Installs the Debian packages a command needs, when missing. Runs as root, or through sudo
# for a normal user.
#   setup-debian.sh run     building the programs and running them (run.sh, pg-setup.sh)
#   setup-debian.sh test    that, and the test stack (test.sh): Xvfb, xdotool, ImageMagick,
#                           pdftotext, GoogleTest and a PostgreSQL server of the tests' own
#   setup-debian.sh bench   that of run, and Google Benchmark (the bench preset)
set -euo pipefail

# Compiler, build tools and Qt; Qt's SQLite and PostgreSQL drivers, and SQLite's own library (the
# engine asks it whether its file was moved); the Korean font that stands for the forms' "굴림".
run_packages=(
  cmake ninja-build g++
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libqt6printsupport6 libgl-dev
  libsqlite3-dev
  fonts-nanum
)
# Real windows under Xvfb (xvfb-run needs xauth), their stacking order read through xcb, a key
# sent to a message box (xdotool) and a picture of the screen (ImageMagick's import); the
# printed PDF read back with pdftotext; GoogleTest; the server binaries (initdb, pg_ctl, psql)
# the throwaway test server runs.
test_packages=(
  xvfb xauth libxcb1-dev xdotool imagemagick
  poppler-utils
  libgtest-dev libgmock-dev googletest
  postgresql postgresql-client
)
bench_packages=(libbenchmark-dev)

case "${1:-}" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  bench) packages=("${run_packages[@]}" "${bench_packages[@]}") ;;
  *)
    echo "usage: setup-debian.sh run|test|bench" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
echo "Installing: ${missing[*]}"
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
