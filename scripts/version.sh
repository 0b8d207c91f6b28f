#!/usr/bin/env bash
# Prints Horovant's version as the release names it: the FILEVERSION of the
# VERSIONINFO in res/Horovant.rc without its trailing zero parts, down to
# major.minor (2, 0, 0, 0 gives 2.0; 2, 1, 3, 0 gives 2.1.3).
#
# The resource script is the one place the version is written: Windows shows
# it in the exe's properties, the about window shows it as "Version x.y", and
# the release zip is named after it. A separate VERSION file would have to be
# run through the resource compiler's preprocessor (with a string form beside
# the numeric one) and would add a step between the file and what Windows
# shows; instead this script fails when the places inside the .rc disagree,
# so a version raised in one of them and forgotten in another stops a release.
# Usage: scripts/version.sh [path/to/Horovant.rc]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rc=${1:-$root/res/Horovant.rc}
[[ -f $rc ]] || { echo "version: $rc missing" >&2; exit 2; }

fail() { echo "version: $*" >&2; exit 1; }

# "FILEVERSION 2, 0, 0, 0" -> 2.0.0.0
numeric() {
  sed -n "s/^[[:space:]]*$1[[:space:]]\+\([0-9]\+\)[[:space:]]*,[[:space:]]*\([0-9]\+\)[[:space:]]*,[[:space:]]*\([0-9]\+\)[[:space:]]*,[[:space:]]*\([0-9]\+\)[[:space:]]*\r\?$/\1.\2.\3.\4/p" "$rc"
}
# VALUE "FileVersion", "2.0.0.0" -> 2.0.0.0
string_value() {
  sed -n "s/^[[:space:]]*VALUE[[:space:]]\+\"$1\"[[:space:]]*,[[:space:]]*\"\([^\"]*\)\".*/\1/p" "$rc"
}

file_version=$(numeric FILEVERSION)
[[ $file_version =~ ^[0-9]+(\.[0-9]+){3}$ ]] || fail "no single FILEVERSION a, b, c, d in $rc"
[[ $(numeric PRODUCTVERSION) == "$file_version" ]] || fail "PRODUCTVERSION differs from FILEVERSION $file_version"
for name in FileVersion ProductVersion; do
  [[ $(string_value "$name") == "$file_version" ]] || fail "the \"$name\" string differs from FILEVERSION $file_version"
done

IFS=. read -r -a parts <<<"$file_version"
while ((${#parts[@]} > 2)) && [[ ${parts[-1]} == 0 ]]; do
  unset 'parts[-1]'
done
short=$(IFS=.; echo "${parts[*]}")

# The about window's "Version x.y".
about=$(sed -n 's/.*"Version \([0-9][0-9.]*\)".*/\1/p' "$rc")
[[ $about == "$short" ]] || fail "the about window says \"Version ${about:-?}\", FILEVERSION gives $short"

echo "$short"
