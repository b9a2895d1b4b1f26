#!/usr/bin/env bash
# Builds Ambrel and prints its figures: the update check's and printing's on the offscreen platform, then the running
# application's, measured on a virtual X server of their own (about 4 min; with --long, about an hour).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
"$root/scripts/build.sh" build -DAMBREL_TESTS=ON
"$root/build/bin/update_bench"
"$root/build/bin/print_bench"
exec "$root/tests/with-xvfb.sh" "$root/build/bin/ambrel_bench" "$@"
