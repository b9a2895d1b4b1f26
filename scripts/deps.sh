#!/usr/bin/env bash
# Installs the Debian packages of the groups named, when any is missing:
#   deps.sh           what building and running Ambrel needs
#   deps.sh display   and a virtual X server, for a run without a display
#   deps.sh test      and everything the test suite and the benchmark need
#   deps.sh picture   and what scripts/picture.sh takes the README's picture with
set -euo pipefail

build=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libenchant-2-dev hunspell-en-us libfontconfig-dev
  libx11-dev libxtst-dev libxcb1-dev libxcb-randr0-dev libcups2-dev
  xdg-utils
)
display=(xvfb)
test=(
  "${display[@]}" xauth openbox x11-utils x11-xserver-utils
  libgtest-dev libgmock-dev libxss-dev libxi-dev
  cups cups-client printer-driver-cups-pdf poppler-utils util-linux mount
  desktop-file-utils clang-format
  mutter xwayland dbus
)
picture=("${display[@]}" openbox x11-utils x11-apps netpbm)

packages=("${build[@]}")
for group in "$@"; do
  case $group in
    display) packages+=("${display[@]}") ;;
    test) packages+=("${test[@]}") ;;
    picture) packages+=("${picture[@]}") ;;
    *) echo "deps.sh: no package group \"$group\" (display, test, picture)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
