#!/usr/bin/env bash
# Prints the weight of the tests and benchmarks beside the product, in lines
# that are neither blank nor only a comment, and fails when the tests
# outweigh half the product, the in-process tests a third of it, or the
# benchmarks a sixth. Usage: scripts/weight.sh
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 2
count() {
  [ $# -eq 0 ] && { echo 0; return; }
  cat "$@" 2>/dev/null | awk '
    /^[[:space:]]*$/ { next }
    inblock { if ($0 ~ /\*\//) inblock=0; next }
    /^[[:space:]]*\/\*/ { if ($0 !~ /\*\//) inblock=1; next }
    /^[[:space:]]*(\/\/|#[^a-z]|#$)/ { next }
    { n++ } END { print n+0 }'
}
files() { git ls-files -- "$@" 2>/dev/null | grep -E '\.(c|cc|cpp|h|hpp|rc|sh|py|tsv)$' || true; }
mapfile -t prod < <(files app model engine ui system platform res | grep -vE '\.(sh|py|tsv)$')
mapfile -t inproc < <(files tests)
mapfile -t e2e < <(files e2e)
mapfile -t bench < <(files bench)
P=$(count "${prod[@]}"); I=$(count "${inproc[@]}"); E=$(count "${e2e[@]}"); B=$(count "${bench[@]}")
echo "weight: product $P lines; tests $((I + E)) (in-process $I, end-to-end $E); bench $B"
awk -v t="$((I + E))" -v i="$I" -v b="$B" -v p="$P" 'BEGIN {
  printf "weight: tests/product %.2f (at most 0.50), in-process/product %.2f (at most 0.33), bench/product %.2f (at most 0.17)\n", t / p, i / p, b / p
  exit !(p > 0 && t <= 0.5 * p && i <= 0.33 * p && b <= 0.17 * p) }'
