#!/usr/bin/env bash
# Makes docs/main-window.png, the picture of the main window in the README:
# Horovant.exe after a first start in a fresh Wine prefix, with its frame.
# Usage: scripts/screenshot.sh [win-build-dir]   (default build/win; builds nothing)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HV_WIN_BUILD=$(cd "${1:-$root/build/win}" && pwd) || exit 2
for f in Horovant.exe hvdriver.exe; do
  [[ -f $HV_WIN_BUILD/$f ]] || { echo "screenshot: $HV_WIN_BUILD/$f missing" >&2; exit 2; }
done

# shellcheck source=e2e/rig.sh
source "$root/e2e/rig.sh"
trap rig_down EXIT
trap 'exit 130' INT TERM
rig_up || { echo "screenshot: test bench did not come up" >&2; exit 2; }

app_start "$(install_dir Horovant)"
if ! drv wait-window Horovant 20000 1000 >/dev/null; then
  echo "screenshot: the window did not appear" >&2
  exit 1
fi
sleep 1.5  # let the clock tick and the window paint
mkdir -p "$root/docs"
window_shot Horovant "$root/docs/main-window.png" || { echo "screenshot: no picture taken" >&2; exit 1; }
app_close
echo "$root/docs/main-window.png"
