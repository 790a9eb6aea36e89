#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its end-to-end checks need.
# Idempotent: asks apt only for what is missing, so a second run is quick and quiet.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  clang libclang-rt-14-dev
  libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core fonts-liberation
  libcups2-dev
  libsqlite3-dev sqlite3
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  espeak-ng
  xvfb xdotool imagemagick x11-apps
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  desktop-file-utils appstream man-db lintian dpkg-dev fakeroot file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
