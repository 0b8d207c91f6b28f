#!/usr/bin/env bash
# Start-up time of Horovant.exe under Wine in a virtual display: from process
# creation to the main window being ready with its clock control, measured by
# the driver inside Wine. Also prints the size of the exe.
# Usage: bench/startup.sh <win-build-dir> [runs]   (not part of the tests)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: bench/startup.sh <win-build-dir> [runs]}" && pwd)
runs=${2:-5}

# shellcheck source=e2e/rig.sh
source "$root/e2e/rig.sh"
trap rig_down EXIT
rig_up

dir=$(install_dir Horovant)
exe_win="$(winpath "$dir")\\Horovant.exe"
times=()
for ((i = 1; i <= runs; i++)); do
  # The first run creates the settings file, the others read it.
  # Into a file, not $(...): the started program would hold that pipe open.
  drv start-timed "$exe_win" Horovant 30000 1000 >"$HV_TMP/ms" || { echo "run $i: window did not appear" >&2; exit 1; }
  times+=("$(<"$HV_TMP/ms")")
  drv click Horovant 2 >/dev/null
  drv wait-gone Horovant 10000 >/dev/null
  sleep 0.5  # let the process end before the next start
done

mapfile -t sorted < <(printf '%s\n' "${times[@]}" | sort -n)
echo "exe size: $(stat -c %s "$HV_WIN_BUILD/Horovant.exe") bytes"
echo "start-up (ms, $runs runs): ${times[*]}"
echo "min ${sorted[0]} ms, median ${sorted[$((runs / 2))]} ms"
