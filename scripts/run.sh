#!/usr/bin/env bash
# Installs what is missing, builds, and starts Ambrel on the user's display. Without a display it
# starts a virtual X server of its own (Xvfb) for the run, and says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/build/bin/ambrel"
fi

echo "No display is set: starting a virtual X server (Xvfb) of its own for Ambrel." >&2
exec "$root/tests/with-xvfb.sh" "$root/build/bin/ambrel"
