#!/usr/bin/env bash
# CPU time of Horovant.exe sitting idle (main window shown, nothing running)
# against the bare dialog hvbare.exe (the same template, and a clock that
# ticks once a second) under Wine in a virtual display. Each runs in its own
# Wine prefix, so each has a wineserver of its own, whose work on the
# program's behalf (timers, messages) counts with the program; its work for
# the prefix's own background processes lands in both alike. Both run at the
# same time and are read over the same wall-clock spans, so that a busy
# spell of the shared machine hits both alike. Prints user+system CPU per
# minute of wall clock, program and server, per round and the medians.
# Usage: bench/idle_cost.sh <win-build-dir> [seconds per round] [rounds]
#        (not part of the tests)
set -eEuo pipefail
# A failed step would otherwise end the run without a word.
trap 'echo "bench: failed: $BASH_COMMAND" >&2' ERR

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: bench/idle_cost.sh <win-build-dir> [seconds] [rounds]}" && pwd)
seconds=${2:-60}
rounds=${3:-3}
for f in Horovant.exe hvbare.exe hvdriver.exe; do
  [[ -f $HV_WIN_BUILD/$f ]] || { echo "bench: $HV_WIN_BUILD/$f missing" >&2; exit 2; }
done

# shellcheck source=e2e/rig.sh
source "$root/e2e/rig.sh"

bare_prefix="" bare_pid=""
bench_down() {
  if [[ -n $bare_pid ]]; then
    kill "$bare_pid" 2>/dev/null || true
    wait "$bare_pid" 2>/dev/null || true
  fi
  if [[ -n $bare_prefix ]]; then
    WINEPREFIX=$bare_prefix wineserver -k >/dev/null 2>&1 || true
  fi
  rig_down
}
trap bench_down EXIT
rig_up

# The rig's prefix is Horovant's; the bare dialog gets a second one beside
# it, on the same virtual display.
hv_prefix=$WINEPREFIX
bare_prefix="$HV_TMP/prefix-bare"
in_bare() { WINEPREFIX=$bare_prefix "$@"; }
# Its first boot fails now and then (wineboot ends with an error) and the
# prefix works all the same; what counts is that a program runs in it, the
# boot's last step.
in_bare rig_boot_prefix || { echo "bench: second Wine prefix did not come up" >&2; exit 1; }

# The pointer rests where Xvfb put it, in the middle of the screen, over
# whichever window lies there; Wine would then poll it every 10 ms for the
# control under it. A user's idle pointer is elsewhere: in the corner here.
# Each Wine server keeps its own idea of where the pointer is, so both are
# told.
pointer_x=0 pointer_y=0
drv pointer "$pointer_x" "$pointer_y" >/dev/null
in_bare drv pointer "$pointer_x" "$pointer_y" >/dev/null

app_start "$(install_dir Horovant)"
hv_pid=$HV_APP_PID
bare_dir="$bare_prefix/drive_c/Bare"
mkdir -p "$bare_dir"
cp "$HV_WIN_BUILD/hvbare.exe" "$bare_dir/"
(cd "$bare_prefix/drive_c/windows" &&
  WINEPREFIX=$bare_prefix exec wine "$bare_dir/hvbare.exe" </dev/null >>"$HV_TMP/bare.log" 2>&1) &
bare_pid=$!

# Both windows are captioned Horovant, each on its own Wine server.
for run in "" in_bare; do
  $run drv wait-window Horovant 30000 1000 >/dev/null || { echo "bench: ${run:+bare }window did not appear" >&2; exit 1; }
  [[ $($run drv dump Horovant | cut -f6 | head -n1) == 1 ]] || { echo "bench: ${run:+bare }window not shown" >&2; exit 1; }
  read -r x y w h <<<"$($run drv winrect Horovant)"
  if ((pointer_x >= x && pointer_x < x + w && pointer_y >= y && pointer_y < y + h)); then
    echo "bench: ${run:+bare }window lies under the pointer" >&2
    exit 1
  fi
done

# Wine starts the program itself in the process that ran `wine`.
for pid in "$hv_pid" "$bare_pid"; do
  comm=$(<"/proc/$pid/comm")
  [[ $comm == Horovant.exe || $comm == hvbare.exe ]] || { echo "bench: process $pid is $comm, not the program" >&2; exit 1; }
done

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
hv_server=$(server_of "$hv_prefix")
bare_server=$(server_of "$bare_prefix")

# cpu_ticks <pid>: user+system time so far in clock ticks, all threads; the
# fields after the command name, which may itself hold spaces.
cpu_ticks() {
  local stat
  stat=$(<"/proc/$1/stat")
  local -a f
  read -r -a f <<<"${stat##*) }"
  echo $((f[11] + f[12]))
}
# start_of <pid>: the process's start time, so that a reused pid shows.
start_of() {
  local stat
  stat=$(<"/proc/$1/stat")
  local -a f
  read -r -a f <<<"${stat##*) }"
  echo "${f[19]}"
}

pids=("$hv_pid" "$hv_server" "$bare_pid" "$bare_server")
starts=()
for pid in "${pids[@]}"; do starts+=("$(start_of "$pid")"); done
hz=$(getconf CLK_TCK)

# For most of a minute after a start, each prefix's services come up beside
# the program and keep its server busy: measured after that.
sleep 60

# per_minute <ticks> <wall_ns>: CPU ms per minute of wall clock.
per_minute() { LC_ALL=C awk -v t="$1" -v w="$2" -v hz="$hz" 'BEGIN { printf "%.0f", t * 1000 / hz * 60e9 / w }'; }
ratio() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "inf" }'; }
median_of() { printf '%s\n' "$@" | sort -g | sed -n "$(($# / 2 + 1))p"; }

hv_prog=() hv_srv=() hv_tot=() bare_prog=() bare_srv=() bare_tot=() ratios=()
echo "CPU ms per minute, user+system, program + its Wine server ($rounds rounds of $seconds s, side by side):"
for ((r = 1; r <= rounds; r++)); do
  before=() after=()
  t0=$(date +%s%N)
  for pid in "${pids[@]}"; do before+=("$(cpu_ticks "$pid")"); done
  sleep "$seconds"
  for pid in "${pids[@]}"; do after+=("$(cpu_ticks "$pid")"); done
  t1=$(date +%s%N)
  for i in "${!pids[@]}"; do
    [[ $(start_of "${pids[i]}") == "${starts[i]}" ]] || { echo "bench: process ${pids[i]} ended" >&2; exit 1; }
  done
  wall=$((t1 - t0))
  d=()
  for i in "${!pids[@]}"; do d+=("$(per_minute $((after[i] - before[i])) "$wall")"); done
  hv_prog+=("${d[0]}") hv_srv+=("${d[1]}") hv_tot+=("$((d[0] + d[1]))")
  bare_prog+=("${d[2]}") bare_srv+=("${d[3]}") bare_tot+=("$((d[2] + d[3]))")
  ratios+=("$(ratio "$((d[0] + d[1]))" "$((d[2] + d[3]))")")
  printf '  round %d: Horovant %5d + %5d = %5d, bare %5d + %5d = %5d, ratio %s\n' "$r" \
    "${d[0]}" "${d[1]}" "$((d[0] + d[1]))" "${d[2]}" "${d[3]}" "$((d[2] + d[3]))" "${ratios[-1]}"
done
echo "medians (ms per minute; each process's CPU is read in steps of $((1000 / hz)) ms):"
echo "  Horovant: program $(median_of "${hv_prog[@]}"), server $(median_of "${hv_srv[@]}"), total $(median_of "${hv_tot[@]}")"
echo "  bare:     program $(median_of "${bare_prog[@]}"), server $(median_of "${bare_srv[@]}"), total $(median_of "${bare_tot[@]}")"
echo "median ratio Horovant/bare (total): $(median_of "${ratios[@]}")"
