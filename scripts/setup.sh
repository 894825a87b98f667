#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, only those
# that are missing.
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev libqscintilla2-qt6-dev libexpat1-dev libpng-dev
          libjpeg-dev zlib1g-dev libcurl4-openssl-dev libmozjs-102-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation2 fonts-dejavu-core chromium nodejs xvfb xauth xdg-utils python3
          openbox xdotool x11-utils clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
