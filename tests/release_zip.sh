#!/usr/bin/env bash
# Checks the release zip that scripts/release.sh made: one folder
# Horovant-<version>/ with exactly the exe, LIESMICH.txt and the two wave
# files, each the same as in the Windows build (and LIESMICH.txt as in res/,
# UTF-8 with its byte order mark and CRLF line ends).
# Usage: tests/release_zip.sh <release-dir> <win-build-dir>
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
release_dir=${1:?usage: tests/release_zip.sh <release-dir> <win-build-dir>}
win_build=${2:?usage: tests/release_zip.sh <release-dir> <win-build-dir>}

errors=0
error() { echo "release zip: $*" >&2; errors=$((errors + 1)); }

version=$("$root/scripts/version.sh") || exit 2
name="Horovant-$version"
zipfile="$release_dir/$name.zip"
[[ -f $zipfile ]] || { echo "release zip: $zipfile missing" >&2; exit 1; }

unzip -tqq "$zipfile" || error "the archive does not test clean"

expected=$(printf '%s\n' "$name/" "$name/Horovant.exe" "$name/LIESMICH.txt" \
  "$name/alarm-sound.wav" "$name/stunden-sound.wav")
listed=$(unzip -Z1 "$zipfile")
[[ $listed == "$expected" ]] || error "entries are"$'\n'"$listed"$'\n'"instead of"$'\n'"$expected"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unzip -qq "$zipfile" -d "$tmp" || error "could not unpack"
dir="$tmp/$name"

exe_size=$(stat -c %s "$dir/Horovant.exe" 2>/dev/null)
build_size=$(stat -c %s "$win_build/Horovant.exe")
[[ $exe_size == "$build_size" ]] || error "Horovant.exe has ${exe_size:-no} bytes, the build's $build_size"
for f in Horovant.exe alarm-sound.wav stunden-sound.wav; do
  cmp -s "$dir/$f" "$win_build/$f" || error "$f differs from $win_build/$f"
done
cmp -s "$dir/LIESMICH.txt" "$root/res/LIESMICH.txt" || error "LIESMICH.txt differs from res/LIESMICH.txt"

readme="$dir/LIESMICH.txt"
[[ $(head -c 3 "$readme" | od -An -tx1 | tr -d ' \n') == efbbbf ]] || error "LIESMICH.txt does not begin with the UTF-8 byte order mark"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1 || error "LIESMICH.txt is not valid UTF-8"
lines=$(tr -cd '\n' <"$readme" | wc -c)
crlf=$(grep -c $'\r$' "$readme")
((lines > 0 && crlf == lines)) || error "LIESMICH.txt: $crlf of $lines lines end in CRLF"
[[ $(tail -c 2 "$readme" | od -An -tx1 | tr -d ' \n') == 0d0a ]] || error "LIESMICH.txt does not end with CRLF"
if grep -q $'\r.' "$readme"; then error "LIESMICH.txt has a lone CR"; fi

if ((errors)); then
  echo "FAIL $zipfile ($errors errors)"
  exit 1
fi
echo "PASS $zipfile: $(echo "$listed" | wc -l) entries, Horovant.exe $exe_size bytes"
