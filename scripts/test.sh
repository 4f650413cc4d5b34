#!/usr/bin/env bash
# Builds Trevalin (installing what is missing) and runs the whole test suite:
# every test in a normal build, then the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")
if [ "${TREVALIN_SKIP_SANITIZERS:-0}" != 1 ]; then
  scripts/build.sh build-asan -DTREVALIN_SANITIZE=ON -DTREVALIN_GUI=OFF -DCMAKE_BUILD_TYPE=Debug
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j"$(nproc)")
fi
