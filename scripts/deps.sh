#!/usr/bin/env bash
# Installs the Debian packages Ambrel builds, runs and tests with, when any is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev
  libenchant-2-dev hunspell-en-us
  libx11-dev libxtst-dev libxss-dev libxcb1-dev libxi-dev
  libgtest-dev libgmock-dev
  xvfb xauth openbox x11-utils x11-xserver-utils
  cups libcups2-dev printer-driver-cups-pdf poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
