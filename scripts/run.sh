#!/usr/bin/env bash
# Installs what building and running needs when it is missing, builds the program and its plug-in
# (no test), and starts Ambrel on the user's display. Without a display it starts a virtual X
# server of its own (Xvfb) for the run, and says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${DISPLAY:-}" ]; then groups=(); else groups=(display); fi
"$root/scripts/deps.sh" "${groups[@]}"
"$root/scripts/build.sh" build --target ambrel --target Tolvane -DAMBREL_TESTS=OFF

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/build/bin/ambrel"
fi

echo "No display is set: starting a virtual X server (Xvfb) of its own for Ambrel." \
  "Its pokes land there and keep no real screen awake." >&2
exec "$root/tests/with-xvfb.sh" "$root/build/bin/ambrel"
