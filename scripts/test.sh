#!/usr/bin/env bash
# Builds everything and runs every test. With --sanitize the same suite runs built with
# AddressSanitizer and UndefinedBehaviorSanitizer, in a build directory of its own.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$here/build"
cmake_args=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir="$here/build-asan"
  cmake_args=(-DHALVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DHALVANE_BUILD_BENCH=OFF)
  export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
"$here/scripts/setup.sh" "$build_dir" "${cmake_args[@]}"
cmake --build "$build_dir" -j"$(nproc)"
cd "$build_dir"
ctest --output-on-failure -j"$(nproc)"

# The Windows build: cross-built with MinGW-w64 and run under Wine (not with --sanitize).
if [ "${1:-}" != "--sanitize" ]; then
  "$here/scripts/test-windows.sh"
fi
