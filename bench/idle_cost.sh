#!/usr/bin/env bash
# CPU time of Horovant.exe sitting idle (main window shown, nothing running)
# against the bare dialog hvbare.exe (the same template, and a clock that
# ticks once a second) under Wine in a virtual display. Each runs in its own
# Wine prefix, so each has a wineserver of its own, whose work on the
# program's behalf (timers, messages) counts with the program. Both run at
# the same time and are read over the same spans, so that a busy spell of
# the shared machine hits both alike. Prints user+system CPU per minute of
# wall clock, program and server, per round, the medians and the median of
# the rounds' ratios.
# Usage: [HV_IDLE_IN_TRAY=1] [HV_IDLE_ARMED=1] [HV_IDLE_STOPWATCH=1] bench/idle_cost.sh <win-build-dir> [seconds per round] [rounds]
#        (not part of the tests)
set -eEuo pipefail
# A failed step would otherwise end the run without a word.
trap 'echo "bench: failed: $BASH_COMMAND" >&2' ERR

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: bench/idle_cost.sh <win-build-dir> [seconds] [rounds]}" && pwd)
seconds=${2:-60} rounds=${3:-3}
for f in Horovant.exe hvbare.exe hvdriver.exe; do
  [[ -f $HV_WIN_BUILD/$f ]] || { echo "bench: $HV_WIN_BUILD/$f missing" >&2; exit 2; }
done

# shellcheck source=e2e/rig.sh
source "$root/e2e/rig.sh"
bare_prefix="" bare_pid=""
bench_down() {
  if [[ -n $bare_pid ]]; then kill "$bare_pid" 2>/dev/null || true; wait "$bare_pid" 2>/dev/null || true; fi
  [[ -z $bare_prefix ]] || WINEPREFIX=$bare_prefix wineserver -k >/dev/null 2>&1 || true
  rig_down
}
trap bench_down EXIT
rig_up

# The rig's prefix is Horovant's; the bare dialog gets a second one on the
# same display. Its first boot fails now and then and the prefix works all
# the same: what counts is that a program runs in it, the boot's last step.
hv_prefix=$WINEPREFIX bare_prefix="$HV_TMP/prefix-bare"
in_bare() { WINEPREFIX=$bare_prefix "$@"; }
in_bare rig_boot_prefix || { echo "bench: second Wine prefix did not come up" >&2; exit 1; }

# Xvfb leaves the pointer in the middle of the screen, over a window, and
# Wine then polls the control under it every 10 ms. A user's idle pointer is
# elsewhere: in the corner here, told to both servers (each keeps its own).
drv pointer 0 0 >/dev/null
in_bare drv pointer 0 0 >/dev/null

hv_dir=$(install_dir Horovant)
# HV_IDLE_ARMED=1: the four alarms armed, so that each tick also works out
# the wake timer's time.
if [[ ${HV_IDLE_ARMED:-} == 1 ]]; then
  labels="Alarmzeit 1    Alarmzeit 2    Alarmzeit 3    Alarmzeit 4    Countdown      Stoppuhr       "
  printf 'nnt063000t070000t071500t233000tt%sf000000000f' "$labels" >"$hv_dir/config.dat"
fi
app_start "$hv_dir"
hv_pid=$HV_APP_PID
mkdir -p "$bare_prefix/drive_c/Bare"
cp "$HV_WIN_BUILD/hvbare.exe" "$bare_prefix/drive_c/Bare/"
(cd "$bare_prefix/drive_c/windows" &&
  WINEPREFIX=$bare_prefix exec wine "$bare_prefix/drive_c/Bare/hvbare.exe" </dev/null >>"$HV_TMP/bare.log" 2>&1) &
bare_pid=$!

# Both windows are captioned Horovant, each on its own Wine server; shown,
# and not under the pointer.
for run in "" in_bare; do
  $run drv wait-window Horovant 30000 1000 >/dev/null || { echo "bench: ${run:+bare }window did not appear" >&2; exit 1; }
  read -r x y _ _ <<<"$($run drv winrect Horovant)"
  { [[ $($run drv dump Horovant | cut -f6 | head -n1) == 1 ]] && ((x > 0 || y > 0)); } || { echo "bench: ${run:+bare }window hidden or under the pointer" >&2; exit 1; }
done
# HV_IDLE_STOPWATCH=1: Horovant's stopwatch runs (shown, or hidden with
# HV_IDLE_IN_TRAY=1); the bare dialog still ticks once a second.
if [[ ${HV_IDLE_STOPWATCH:-} == 1 ]]; then
  { drv click Horovant 1013 && drv click Horovant 1001; } >/dev/null || { echo "bench: the stopwatch did not start" >&2; exit 1; }
fi
# HV_IDLE_IN_TRAY=1: Horovant waits hidden in the notification area, where
# its tip follows the state; the bare dialog stays shown.
if [[ ${HV_IDLE_IN_TRAY:-} == 1 ]]; then
  drv click Horovant 3 >/dev/null || { echo "bench: the tray button did not take" >&2; exit 1; }
fi

# server_of <prefix>: the pid of that prefix's wineserver, which must be one.
server_of() {
  local p found=()
  for p in /proc/[0-9]*; do
    [[ $(cat "$p/comm" 2>/dev/null) == wineserver* ]] || continue
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "WINEPREFIX=$1" && found+=("${p#/proc/}")
  done
  ((${#found[@]} == 1)) || { echo "bench: ${#found[@]} Wine servers for $1" >&2; return 1; }
  echo "${found[0]}"
}
# stat_of <pid>: "<user+system ticks> <start time>" from /proc/<pid>/stat; the
# fields after the command name, which may hold spaces. The start time shows
# a pid that was reused.
stat_of() {
  local stat f
  stat=$(<"/proc/$1/stat")
  read -r -a f <<<"${stat##*) }"
  echo "$((f[11] + f[12])) ${f[19]}"
}

# Wine starts the program itself in the process that ran `wine`.
for pid in "$hv_pid" "$bare_pid"; do
  [[ $(<"/proc/$pid/comm") == @(Horovant|hvbare).exe ]] || { echo "bench: process $pid is not the program" >&2; exit 1; }
done
pids=("$hv_pid" "$(server_of "$hv_prefix")" "$bare_pid" "$(server_of "$bare_prefix")")
starts=()
for pid in "${pids[@]}"; do starts+=("$(stat_of "$pid" | cut -d' ' -f2)"); done
hz=$(getconf CLK_TCK)

# For most of a minute after a start, each prefix's services come up beside
# the program and keep its server busy: measured after that.
sleep 60

median_of() { printf '%s\n' "$@" | sort -g | sed -n "$(($# / 2 + 1))p"; }
hv_prog=() hv_srv=() hv_tot=() bare_prog=() bare_srv=() bare_tot=() ratios=()
echo "CPU ms per minute, user+system, program + its Wine server ($rounds rounds of $seconds s, side by side):"
for ((r = 1; r <= rounds; r++)); do
  before=() d=()
  t0=$(date +%s%N)
  for pid in "${pids[@]}"; do before+=("$(stat_of "$pid")"); done
  sleep "$seconds"
  t1=$(date +%s%N)
  for i in "${!pids[@]}"; do
    read -r ticks start <<<"$(stat_of "${pids[i]}")"
    [[ $start == "${starts[i]}" ]] || { echo "bench: process ${pids[i]} ended" >&2; exit 1; }
    d+=("$(((2 * (ticks - ${before[i]%% *}) * 60000 * 1000000000 / hz / (t1 - t0) + 1) / 2))")  # rounded
  done
  hv_prog+=("${d[0]}") hv_srv+=("${d[1]}") hv_tot+=("$((d[0] + d[1]))")
  bare_prog+=("${d[2]}") bare_srv+=("${d[3]}") bare_tot+=("$((d[2] + d[3]))")
  ratios+=("$(LC_ALL=C awk -v a="${hv_tot[-1]}" -v b="${bare_tot[-1]}" 'BEGIN { print (b > 0 ? sprintf("%.1f", a / b) : "inf") }')")
  printf '  round %d: Horovant %5d + %5d = %5d, bare %5d + %5d = %5d, ratio %s\n' "$r" \
    "${d[0]}" "${d[1]}" "${hv_tot[-1]}" "${d[2]}" "${d[3]}" "${bare_tot[-1]}" "${ratios[-1]}"
done
echo "medians (ms per minute; each process's CPU is read in steps of $((1000 / hz)) ms):"
echo "  Horovant: program $(median_of "${hv_prog[@]}"), server $(median_of "${hv_srv[@]}"), total $(median_of "${hv_tot[@]}")"
echo "  bare:     program $(median_of "${bare_prog[@]}"), server $(median_of "${bare_srv[@]}"), total $(median_of "${bare_tot[@]}")"
echo "median ratio Horovant/bare (total): $(median_of "${ratios[@]}")"
