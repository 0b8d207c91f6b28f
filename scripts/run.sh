#!/usr/bin/env bash
# Builds Horovant for Windows and starts it under Wine.
# Usage: scripts/run.sh      (on a fresh Debian machine; installs what is missing)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/win"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target Horovant -j "$(nproc)"

# A prefix of its own keeps the settings and the registry between runs.
export WINEPREFIX=${HOROVANT_WINEPREFIX:-$HOME/.horovant-wine}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# German texts: Wine needs an ANSI code page of 1252.
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Creating the Wine prefix $WINEPREFIX ..."
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
fi

# The exe's folder is the current directory too, as after a double-click.
cd "$build"
if [[ -z ${DISPLAY:-} ]]; then
  echo "No display: Horovant runs in a virtual one (xvfb-run); end it with Ctrl+C."
  exec xvfb-run -a wine Horovant.exe
fi
exec wine Horovant.exe
