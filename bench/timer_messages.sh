#!/usr/bin/env bash
# How often Horovant.exe wakes: the WM_TIMER messages (and the repaints of a
# control) it handles a second under Wine, from Wine's message trace, while it
# sits idle, while its stopwatch runs shown, and hidden in the notification
# area. The trace slows the program; the counts are what matter here, the CPU
# is bench/idle_cost.sh's.
# Usage: bench/timer_messages.sh <win-build-dir> [seconds per state]   (not part of the tests)
set -eEuo pipefail
trap 'echo "bench: failed: $BASH_COMMAND" >&2' ERR

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: bench/timer_messages.sh <win-build-dir> [seconds]}" && pwd)
seconds=${2:-10}
# shellcheck source=e2e/rig.sh
source "$root/e2e/rig.sh"
trap rig_down EXIT
rig_up

dir=$(install_dir Horovant)
WINEDEBUG=trace+message app_start "$dir"
drv wait-window Horovant 30000 1000 >/dev/null
sleep 3
# count <state>: the messages over the next span, a second.
count() {
  local from timers paints
  from=$(wc -l <"$HV_TMP/app.log")
  sleep "$seconds"
  timers=$(tail -n +"$((from + 1))" "$HV_TMP/app.log" | grep -c 'WM_TIMER dispatched' || true)
  paints=$(tail -n +"$((from + 1))" "$HV_TMP/app.log" | grep -c 'WM_PAINT dispatched' || true)
  LC_ALL=C awk -v s="$1" -v t="$timers" -v p="$paints" -v n="$seconds" \
    'BEGIN { printf "  %-24s %5.1f timer messages, %5.1f paints a second\n", s, t / n, p / n }'
}
echo "Horovant.exe under Wine, $seconds s a state:"
count "idle, shown"
drv click Horovant 1013 >/dev/null && drv click Horovant 1001 >/dev/null  # the stopwatch's selector, Start
count "stopwatch, shown"
drv click Horovant 3 >/dev/null  # into the tray
count "stopwatch, in the tray"
app_close
