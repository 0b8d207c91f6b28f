#!/usr/bin/env bash
# End-to-end tests of the real Horovant.exe under Wine in a virtual display.
# Usage: e2e/run.sh <win-build-dir>   (the MinGW build with Horovant.exe and hvdriver.exe)
# Builds nothing. Leaves a screenshot in <win-build-dir>/e2e-shot.png.
set -uo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: e2e/run.sh <win-build-dir>}" && pwd)
for f in Horovant.exe hvdriver.exe; do
  [[ -f $HV_WIN_BUILD/$f ]] || { echo "e2e: $HV_WIN_BUILD/$f missing" >&2; exit 2; }
done

# shellcheck source=e2e/rig.sh
source "$E2E_DIR/rig.sh"
# shellcheck source=e2e/cases.sh
source "$E2E_DIR/cases.sh"

trap rig_down EXIT
trap 'exit 130' INT TERM

started=$SECONDS
rig_up || { echo "e2e: test bench did not come up" >&2; exit 2; }

passed=0 failed=0
run_case() {
  local name=${1#case_}
  CASE_ERRORS=()
  "$1"
  app_kill
  if ((${#CASE_ERRORS[@]})); then
    echo "FAIL ${name//_/ }"
    printf '     %s\n' "${CASE_ERRORS[@]}"
    failed=$((failed + 1))
  else
    echo "PASS ${name//_/ }"
    passed=$((passed + 1))
  fi
}

# E2E_ONLY=<part of a case name> runs only the matching cases.
for c in "${E2E_CASES[@]}"; do
  [[ -n ${E2E_ONLY:-} && $c != *"$E2E_ONLY"* ]] && continue
  run_case "$c"
done
for c in "${E2E_LATER_CASES[@]}"; do
  c=${c#case_}
  echo "SKIP ${c//_/ } (not built yet)"
done

# A picture of the window after a start, for the eye.
shot_dir=$(install_dir Horovant-Bild)
app_start "$shot_dir"
if drv wait-window Horovant "$WINDOW_TIMEOUT_MS" 1000 >/dev/null; then
  sleep 1.5  # let the clock tick and the window paint
  screenshot "$HV_WIN_BUILD/e2e-shot.png"
fi
app_close

if ((failed)) && [[ -s $HV_TMP/app.log ]]; then
  echo "--- program output (Wine) ---"
  tail -n 20 "$HV_TMP/app.log"
fi
if ((failed)) && [[ -s $HV_TMP/wine.log ]]; then
  echo "--- Wine's messages to the driver (without the sound card's) ---"
  grep -v '^ALSA lib' "$HV_TMP/wine.log" | tail -n 30
fi
echo "e2e took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
((failed == 0))
