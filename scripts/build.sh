#!/usr/bin/env bash
# Configures and builds one build folder: build.sh <folder> [--target <name>]... [extra cmake
# arguments]. Without --target it builds everything. CMAKE_BUILD_PARALLEL_LEVEL, when set, is the
# number of jobs; else one for each processor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
targets=()
while [ $# -ge 2 ] && [ "$1" = --target ]; do
  targets+=(--target "$2"); shift 2
done
cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/$dir" -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" "${targets[@]}"
