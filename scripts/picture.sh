#!/usr/bin/env bash
# Takes the README's picture of the panel (docs/panel.png) from the real program, as it first
# opens, on a virtual X server under a window manager: picture.sh [output file].
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/panel.png}")
"$root/scripts/deps.sh" picture
"$root/scripts/build.sh" build --target ambrel --target Tolvane -DAMBREL_TESTS=OFF

# A preferences folder of its own: the panel opens where a first run puts it.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config AMBREL=$root/build/bin/ambrel OUT=$out

take() {
  "$AMBREL" &
  program=$!
  trap 'kill $program 2>/dev/null; wait $program 2>/dev/null' EXIT
  # The panel is the window named Ambrel that carries the program's class.
  panel=
  for _ in $(seq 200); do
    panel=$(xwininfo -root -tree | awk '/"Ambrel": \("ambrel" "Ambrel"\)/ { print $1; exit }')
    [ -n "$panel" ] && break
    sleep 0.05
  done
  [ -n "$panel" ] || { echo "picture.sh: the panel did not open" >&2; exit 1; }
  # With its title bar: the window manager's frame, the panel's ancestor just below the root.
  top=$(xwininfo -root | awk '/Window id:/ { print $4 }')
  frame=$panel
  while parent=$(xwininfo -children -id "$frame" | awk '/Parent window id:/ { print $4 }') &&
    [ -n "$parent" ] && [ "$parent" != "$top" ]; do
    frame=$parent
  done
  # Mapped is not yet painted: take it until two pictures in a row agree.
  last=
  for _ in $(seq 100); do
    now=$(xwd -id "$frame" | md5sum)
    [ "$now" = "$last" ] && break
    last=$now
    sleep 0.1
  done
  xwd -id "$frame" | xwdtopnm 2>/dev/null | pnmtopng >"$OUT"
  echo "picture.sh: wrote $OUT"
}
export -f take
"$root/tests/with-xvfb.sh" "$root/tests/with-openbox.sh" bash -c take
