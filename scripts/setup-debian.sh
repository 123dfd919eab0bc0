#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, when missing.
# Runs as root, or through sudo for a normal user.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libqt6printsupport6 libgl-dev
  fonts-nanum
  xvfb xauth x11-utils xdotool imagemagick libxcb1-dev
  poppler-utils
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
  postgresql postgresql-client
)

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
