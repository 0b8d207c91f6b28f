#!/usr/bin/env bash
# Start-up time of Horovant.exe against the bare dialog hvbare.exe (the same
# template, resources and link flags, no program behind it) under Wine in a
# virtual display: from process creation to the window with the clock control
# answering a message, measured by the driver inside Wine. The two start by
# turns, so that a busy spell of the shared machine hits both alike. Also
# prints both exe sizes.
# Usage: bench/startup.sh <win-build-dir> [runs]   (not part of the tests)
set -eEuo pipefail
# A failed step would otherwise end the run without a word.
trap 'echo "bench: failed: $BASH_COMMAND" >&2' ERR

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: bench/startup.sh <win-build-dir> [runs]}" && pwd)
runs=${2:-5}
for f in Horovant.exe hvbare.exe hvdriver.exe; do
  [[ -f $HV_WIN_BUILD/$f ]] || { echo "bench: $HV_WIN_BUILD/$f missing" >&2; exit 2; }
done

# shellcheck source=e2e/rig.sh
source "$root/e2e/rig.sh"
trap rig_down EXIT
rig_up

hv_win="$(winpath "$(install_dir Horovant)")\\Horovant.exe"
bare_dir="$WINEPREFIX/drive_c/Bare"
mkdir -p "$bare_dir"
cp "$HV_WIN_BUILD/hvbare.exe" "$bare_dir/"
bare_win="$(winpath "$bare_dir")\\hvbare.exe"

# timed_start <array> <exe_path> <exe_name>: one timed start, appended to the
# array; then closes the window and waits for the process to end, so that the
# next start has the machine to itself. Both windows are captioned Horovant.
timed_start() {
  local -n into=$1
  # Into a file, not through drv's $(...): the started program would hold that pipe open.
  wine "$HV_DRIVER" start-timed "$2" Horovant 30000 1000 </dev/null >"$HV_TMP/ms" 2>>"$HV_TMP/wine.log" ||
    { echo "$3: window did not appear" >&2; exit 1; }
  into+=("$(<"$HV_TMP/ms")")
  drv click Horovant 2 >/dev/null || { echo "$3: no window to close" >&2; exit 1; }
  drv wait-gone Horovant 10000 >/dev/null || { echo "$3: window did not close" >&2; exit 1; }
  drv wait-exit "$3" 10000 >/dev/null || { echo "$3: process did not end" >&2; exit 1; }
}

# The first start in a fresh prefix loads Wine's libraries from disk, and
# Horovant's first start writes its settings file: one untimed round first.
# shellcheck disable=SC2034  # filled through the nameref and thrown away
warm=()
timed_start warm "$hv_win" Horovant.exe
timed_start warm "$bare_win" hvbare.exe

hv_times=() bare_times=()
for ((i = 1; i <= runs; i++)); do
  # Which goes first alternates too.
  if ((i % 2)); then
    timed_start hv_times "$hv_win" Horovant.exe
    timed_start bare_times "$bare_win" hvbare.exe
  else
    timed_start bare_times "$bare_win" hvbare.exe
    timed_start hv_times "$hv_win" Horovant.exe
  fi
done

# median_of <values...>: the middle one (the upper middle for an even count).
median_of() { printf '%s\n' "$@" | sort -n | sed -n "$(($# / 2 + 1))p"; }
ratio() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
hv_size=$(stat -c %s "$HV_WIN_BUILD/Horovant.exe") bare_size=$(stat -c %s "$HV_WIN_BUILD/hvbare.exe")
hv_median=$(median_of "${hv_times[@]}") bare_median=$(median_of "${bare_times[@]}")
echo "exe size: Horovant.exe $hv_size bytes, hvbare.exe $bare_size bytes, ratio $(ratio "$hv_size" "$bare_size")"
echo "start-up, ms, $runs runs each by turns (sorted):"
echo "  Horovant: $(printf '%s\n' "${hv_times[@]}" | sort -n | xargs), median $hv_median"
echo "  bare:     $(printf '%s\n' "${bare_times[@]}" | sort -n | xargs), median $bare_median"
echo "median ratio Horovant/bare: $(ratio "$hv_median" "$bare_median")"
