#!/usr/bin/env bash
# Builds and runs every test: the unit and scenario tests natively with
# sanitizers, and the end-to-end tests of the Windows build under Wine.
# Packs the release zip from that build too (build/release), and checks it.
# Usage: scripts/test.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

"$root/scripts/setup.sh"

cmake -S "$root" -B "$root/build/win" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs"
# Nothing left to compile: it packs the exe just built.
"$root/scripts/release.sh" "$root/build/release"

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_SANITIZE=ON \
  -DHV_WIN_BUILD_DIR="$root/build/win" -DHV_RELEASE_DIR="$root/build/release" >/dev/null
cmake --build "$root/build/native" -j "$jobs"

ctest --test-dir "$root/build/native" --output-on-failure -j "$jobs"

# The suite's size beside the product's.
"$root/scripts/weight.sh"
