#!/usr/bin/env bash
# CPU time of Horovant.exe sitting idle (main window shown, nothing running)
# against two yardsticks under Wine in a virtual display: the bare dialog
# hvbare.exe (the same template, and a clock that ticks once a second) and a
# minimal dialog (one static text set once a second); with the stopwatch
# running, also the bare dialog setting the stopwatch's field ten times a
# second. Each runs in its own Wine prefix, so each has a wineserver of its
# own, whose work on the program's behalf (timers, messages) counts with the
# program. All run at the same time and are read over the same spans, so that
# a busy spell of the shared machine hits all alike. Prints user+system CPU
# per minute of wall clock, program and server, per round, the medians and
# the median of the rounds' ratios.
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
# The yardsticks: name, hvbare.exe's argument.
names=(bare minimal) args=("" minimal)
[[ ${HV_IDLE_STOPWATCH:-} == 1 ]] && names+=(tenths) args+=(tenths)
prefixes=() base_pids=()
bench_down() {
  local i
  for i in "${!base_pids[@]}"; do kill "${base_pids[i]}" 2>/dev/null || true; wait "${base_pids[i]}" 2>/dev/null || true; done
  for i in "${!prefixes[@]}"; do WINEPREFIX=${prefixes[i]} wineserver -k >/dev/null 2>&1 || true; done
  rig_down
}
trap bench_down EXIT
rig_up

# The rig's prefix is Horovant's; each yardstick gets one of its own on the
# same display. A first boot fails now and then and the prefix works all the
# same: what counts is that a program runs in it, the boot's last step.
hv_prefix=$WINEPREFIX
for name in "${names[@]}"; do
  prefixes+=("$HV_TMP/prefix-$name")
  WINEPREFIX=${prefixes[-1]} rig_boot_prefix || { echo "bench: Wine prefix for $name did not come up" >&2; exit 1; }
done

# Xvfb leaves the pointer in the middle of the screen, over a window, and
# Wine then polls the control under it every 10 ms. A user's idle pointer is
# elsewhere: in the corner here, told to every server (each keeps its own).
for prefix in "$hv_prefix" "${prefixes[@]}"; do WINEPREFIX=$prefix drv pointer 0 0 >/dev/null; done

hv_dir=$(install_dir Horovant)
# HV_IDLE_ARMED=1: the four alarms armed, so that each tick also works out
# the wake timer's time.
if [[ ${HV_IDLE_ARMED:-} == 1 ]]; then
  labels="Alarmzeit 1    Alarmzeit 2    Alarmzeit 3    Alarmzeit 4    Countdown      Stoppuhr       "
  printf 'nnt063000t070000t071500t233000tt%sf000000000f' "$labels" >"$hv_dir/config.dat"
fi
app_start "$hv_dir"
hv_pid=$HV_APP_PID
for i in "${!names[@]}"; do
  mkdir -p "${prefixes[i]}/drive_c/Bare"
  cp "$HV_WIN_BUILD/hvbare.exe" "${prefixes[i]}/drive_c/Bare/"
  (cd "${prefixes[i]}/drive_c/windows" && WINEPREFIX=${prefixes[i]} exec wine "${prefixes[i]}/drive_c/Bare/hvbare.exe" \
    ${args[i]} </dev/null >>"$HV_TMP/${names[i]}.log" 2>&1) &
  base_pids+=($!)
done

# Every window is captioned Horovant, each on its own Wine server; shown, and
# not under the pointer.
for prefix in "$hv_prefix" "${prefixes[@]}"; do
  run() { WINEPREFIX=$prefix drv "$@"; }
  run wait-window Horovant 30000 1000 >/dev/null || { echo "bench: window in $prefix did not appear" >&2; exit 1; }
  read -r x y _ _ <<<"$(run winrect Horovant)"
  { [[ $(run dump Horovant | cut -f6 | head -n1) == 1 ]] && ((x > 0 || y > 0)); } || { echo "bench: window in $prefix hidden or under the pointer" >&2; exit 1; }
done
# HV_IDLE_STOPWATCH=1: Horovant's stopwatch runs (shown, or hidden with
# HV_IDLE_IN_TRAY=1); the yardsticks stay as they are.
if [[ ${HV_IDLE_STOPWATCH:-} == 1 ]]; then
  { drv click Horovant 1013 && drv click Horovant 1001; } >/dev/null || { echo "bench: the stopwatch did not start" >&2; exit 1; }
fi
# HV_IDLE_IN_TRAY=1: Horovant waits hidden in the notification area, where
# its tip follows the state; the yardsticks stay shown.
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

# Wine starts each program itself in the process that ran `wine`.
for pid in "$hv_pid" "${base_pids[@]}"; do
  [[ $(<"/proc/$pid/comm") == @(Horovant|hvbare).exe ]] || { echo "bench: process $pid is not the program" >&2; exit 1; }
done
# Pairs of program and server: Horovant first, then each yardstick.
pids=("$hv_pid" "$(server_of "$hv_prefix")")
for i in "${!names[@]}"; do pids+=("${base_pids[i]}" "$(server_of "${prefixes[i]}")"); done
starts=()
for pid in "${pids[@]}"; do starts+=("$(stat_of "$pid" | cut -d' ' -f2)"); done
hz=$(getconf CLK_TCK)

# For most of a minute after a start, each prefix's services come up beside
# the program and keep its server busy: measured after that.
sleep 60

median_of() { printf '%s\n' "$@" | sort -g | sed -n "$(($# / 2 + 1))p"; }
ratio() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN { print (b > 0 ? sprintf("%.2f", a / b) : "inf") }'; }
all=(Horovant "${names[@]}")
declare -A prog srv tot ratios
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
  line="  round $r:"
  for i in "${!all[@]}"; do
    n=${all[i]} p=${d[2 * i]} s=${d[2 * i + 1]}
    prog[$n]+=" $p" srv[$n]+=" $s" tot[$n]+=" $((p + s))"
    line+=" $n $p + $s = $((p + s)),"
  done
  for n in "${names[@]}"; do
    q=$(ratio $((d[0] + d[1])) "${tot[$n]##* }")
    ratios[$n]+=" $q" line+=" /$n $q"
  done
  echo "$line"
done
echo "medians (ms per minute; each process's CPU is read in steps of $((1000 / hz)) ms):"
for n in "${all[@]}"; do
  # shellcheck disable=SC2086 # the lists are space-separated numbers
  printf '  %-9s program %s, server %s, total %s\n' "$n:" "$(median_of ${prog[$n]})" "$(median_of ${srv[$n]})" "$(median_of ${tot[$n]})"
done
# shellcheck disable=SC2086
for n in "${names[@]}"; do echo "median ratio Horovant/$n (total): $(median_of ${ratios[$n]})"; done
