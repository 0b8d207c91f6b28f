#!/usr/bin/env bash
# End-to-end tests of the real Horovant.exe under Wine in a virtual display.
# Usage: e2e/run.sh <win-build-dir> [release-dir]
#   (the MinGW build with Horovant.exe and hvdriver.exe; the folder where
#   scripts/release.sh put the zip and the installer package made from it)
# Builds nothing. E2E_ONLY=<part of a case name> runs only the matching cases.
# Leaves a screenshot of the first start in <win-build-dir>/e2e-shot.png.
set -uo pipefail
# Run again in a mount namespace of our own: a read-only folder made by a
# bind mount must be seen by Wine's server too, and must go with us.
if [[ -z ${HV_MOUNT_NS:-} ]] && unshare --mount --propagation private true 2>/dev/null; then
  HV_MOUNT_NS=1 exec unshare --mount --propagation private -- "$BASH" "$0" "$@"
fi

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
HV_WIN_BUILD=$(cd "${1:?usage: e2e/run.sh <win-build-dir> [release-dir]}" && pwd)
HV_RELEASE_DIR=${2:+$(cd "$2" && pwd)}
for f in Horovant.exe hvdriver.exe; do
  [[ -f $HV_WIN_BUILD/$f ]] || { echo "e2e: $HV_WIN_BUILD/$f missing" >&2; exit 2; }
done
# shellcheck source=e2e/rig.sh
source "$E2E_DIR/rig.sh"
# shellcheck source=e2e/cases.sh
source "$E2E_DIR/cases.sh"
trap rig_down EXIT
trap 'exit 130' INT TERM

started=$SECONDS passed=0 failed=0
rig_up || { echo "e2e: test bench did not come up" >&2; exit 2; }
# shellcheck disable=SC2013 # function names, one word each
for c in $(grep -o '^case_[a-z_]*' "$E2E_DIR/cases.sh"); do
  [[ $c == *"${E2E_ONLY:+${E2E_ONLY// /_}}"* ]] || continue # "held settings file" or held_settings_file
  # Some cases switch the hourly signal on: its box must not open amid them.
  while [[ $(date +%M) == 59 ]]; do sleep 5; done
  CASE_ERRORS=()
  "$c"
  app_kill
  c=${c#case_}
  if ((${#CASE_ERRORS[@]})); then
    echo "FAIL ${c//_/ }" && printf '     %s\n' "${CASE_ERRORS[@]}"
    failed=$((failed + 1))
  else
    echo "PASS ${c//_/ }"
    passed=$((passed + 1))
  fi
done
if ((failed)); then # the sound card's complaints left out
  echo "--- program output (Wine) ---" && grep -v '^ALSA lib' "$HV_TMP/app.log" 2>/dev/null | tail -n 20
  echo "--- Wine's messages to the driver ---" && grep -v '^ALSA lib' "$HV_TMP/wine.log" 2>/dev/null | tail -n 30
fi
echo "e2e took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
((failed == 0 && passed > 0))
