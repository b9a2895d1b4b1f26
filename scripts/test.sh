#!/usr/bin/env bash
# The whole test suite: installs what is missing, checks the sources' format, builds, runs every
# test with CTest, then builds and runs it once more with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test

# Every source file as clang-format leaves it.
(cd "$root" && git ls-files -z '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run --Werror)

"$root/scripts/build.sh" build -DAMBREL_TESTS=ON
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")

"$root/scripts/build.sh" build-asan -DAMBREL_TESTS=ON -DAMBREL_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
(cd "$root/build-asan" && ctest --output-on-failure -j "$(nproc)")
