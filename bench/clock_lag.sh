#!/usr/bin/env bash
# How late Horovant's clock shows a new second under Wine in a virtual
# display: the driver reads the clock control (id 1000) about every
# millisecond inside Wine and takes, at each change, the time since the
# wall-clock second began that the new text shows. Prints median, 90th
# percentile and maximum, the seconds the clock skipped, and every lag.
# Usage: bench/clock_lag.sh <win-build-dir> [samples]   (not part of the tests)
set -eEuo pipefail
# A failed step would otherwise end the run without a word.
trap 'echo "bench: failed: $BASH_COMMAND" >&2' ERR

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: bench/clock_lag.sh <win-build-dir> [samples]}" && pwd)
samples=${2:-30}
for f in Horovant.exe hvdriver.exe; do
  [[ -f $HV_WIN_BUILD/$f ]] || { echo "bench: $HV_WIN_BUILD/$f missing" >&2; exit 2; }
done

# shellcheck source=e2e/rig.sh
source "$root/e2e/rig.sh"
trap rig_down EXIT
rig_up

app_start "$(install_dir Horovant)"
drv wait-window Horovant 30000 1000 >/dev/null || { echo "bench: window did not appear" >&2; exit 1; }
# The first seconds after a start are Wine's busiest (its services come up
# beside the program); the clock is measured once they are over.
sleep 3

# Into a file: a failed measurement still shows what the driver said.
if ! drv clocklag Horovant 1000 "$samples" >"$HV_TMP/lag"; then
  echo "bench: clock lag not measured: $(head -n1 "$HV_TMP/lag")" >&2
  exit 1
fi
app_close

{
  read -r _ median _ p90 _ max
  read -r _ changes _ skipped _ gap
  read -r _ lags
} <"$HV_TMP/lag"
echo "clock lag of Horovant.exe ($changes changes of the clock text):"
echo "  median $median ms, 90th percentile $p90 ms, max $max ms"
echo "  seconds skipped: $skipped; each lag is at most $gap ms late (poll gap)"
echo "  lags (ms): $lags"
