#!/usr/bin/env bash
# Builds and runs every test: the unit and scenario tests natively with
# sanitizers, and the end-to-end tests of the Windows build under Wine.
# Usage: scripts/test.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

"$root/scripts/setup.sh"

cmake -S "$root" -B "$root/build/win" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs"

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_SANITIZE=ON \
  -DHV_WIN_BUILD_DIR="$root/build/win" >/dev/null
cmake --build "$root/build/native" -j "$jobs"

ctest --test-dir "$root/build/native" --output-on-failure -j "$jobs"
