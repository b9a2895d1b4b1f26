#!/usr/bin/env bash
# Runs a command under openbox (click to focus) on the display DISPLAY names, once the window
# manager has taken the screen, and stops openbox after.
set -euo pipefail
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; wait $wm 2>/dev/null' EXIT
# A window manager that runs names its check window on the root; wait for it, with a bound.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  kill -0 $wm 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || { echo "openbox did not take the screen" >&2; exit 1; }
"$@"
