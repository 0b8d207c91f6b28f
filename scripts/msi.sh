#!/usr/bin/env bash
# Builds Horovant's Windows Installer package from installer/Horovant.wxs
# with wixl (msitools).
# Usage: scripts/msi.sh <folder> <out.msi> <version> <stamp>
#   <folder>   Horovant.exe, alarm-sound.wav, stunden-sound.wav, LIESMICH.txt
#   <version>  as scripts/version.sh prints it (2.0 or 2.1.3); the package
#              takes its first three parts (2.0.0), as Windows Installer does
#   <stamp>    seconds since 1970: every time the package holds
#
# The same files, version and stamp give the same package byte for byte:
# the product and package codes are derived from the version and the files
# (a random product code with an unchanged version would install beside
# the old one), the files' times are the stamp, and wixl and msibuild run on
# a clock stopped at the stamp (wixl ignores SOURCE_DATE_EPOCH). wixl only
# warns of what it does not understand: any warning fails the build.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=$(cd "${1:?usage: scripts/msi.sh <folder> <out.msi> <version> <stamp>}" && pwd)
out=${2:?} version=${3:?} stamp=${4:?}

fail() { echo "msi: $*" >&2; exit 1; }

IFS=. read -r -a parts <<<"$version"
while ((${#parts[@]} < 3)); do parts+=(0); done
msi_version="${parts[0]}.${parts[1]}.${parts[2]}"
[[ $msi_version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "no version a.b.c in '$version'"

files=(Horovant.exe alarm-sound.wav stunden-sound.wav LIESMICH.txt)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for f in "${files[@]}"; do
  [[ -f $folder/$f ]] || fail "$folder/$f missing"
  cp "$folder/$f" "$stage/$f"
done
cp "$root/res/Horovant.ico" "$stage/"
touch -h -d "@$stamp" "$stage"/*

# A GUID from a hash: its first 32 hex digits, marked as a name-based UUID.
guid_of() {
  local h
  h=$( (echo "$1" && cd "$stage" && sha256sum "${files[@]}") | sha256sum)
  h=${h^^}
  echo "${h:0:8}-${h:8:4}-5${h:13:3}-A${h:17:3}-${h:20:12}"
}
product=$(guid_of "Horovant product $msi_version")
package=$(guid_of "Horovant package $msi_version")

clock=(faketime -f "@$(TZ=UTC date -d "@$stamp" '+%Y-%m-%d %H:%M:%S')")
(cd "$stage" && TZ=UTC "${clock[@]}" wixl -a x64 -D "Version=$msi_version" -D "ProductCode=$product" \
  -o "$stage/out.msi" "$root/installer/Horovant.wxs") >"$stage/wixl.log" 2>&1 || {
  cat "$stage/wixl.log" >&2
  fail "wixl failed"
}
if grep -qi 'warning\|critical' "$stage/wixl.log"; then
  cat "$stage/wixl.log" >&2
  fail "wixl warned"
fi
# The summary: German, and the package code from the contents.
TZ=UTC "${clock[@]}" msibuild "$stage/out.msi" -s "Horovant $msi_version" "Veltrano Software" "x64;1031" "{$package}"
mkdir -p "$(dirname "$out")"
mv -f "$stage/out.msi" "$out"
echo "$out ($(stat -c %s "$out") bytes)"
