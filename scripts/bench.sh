#!/usr/bin/env bash
# Builds Ambrel and prints its figures, measured on a virtual X server of their own (about 4 min;
# with --long, about an hour).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build
exec "$root/tests/with-xvfb.sh" "$root/build/bin/ambrel_bench" "$@"
