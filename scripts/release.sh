#!/usr/bin/env bash
# Builds the release: Horovant-<version>.zip with one folder Horovant-<version>/
# holding Horovant.exe, its two wave files and LIESMICH.txt, and the Windows
# Installer package Horovant-<version>.msi with the same files
# (scripts/msi.sh).
# Usage: scripts/release.sh [out-dir]   (default build/release)
#
# Cross-builds the Windows program (Release) in build/win, the folder that
# scripts/run.sh and scripts/test.sh use too, so after a test run there is
# nothing left to compile. The version comes from res/Horovant.rc (see
# scripts/version.sh). Fails when the exe imports anything but Windows' own
# DLLs.
#
# Zip and package are the same byte for byte for the same exe and files: fixed order,
# no extra attributes (zip -X), fixed permissions, and every time stamp set to
# the last commit's time (or $SOURCE_DATE_EPOCH), written as UTC.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/win"
out=${1:-$root/build/release}

fail() { echo "release: $*" >&2; exit 1; }

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Horovant -j "$(nproc)"

version=$("$root/scripts/version.sh")
name="Horovant-$version"
files=(Horovant.exe LIESMICH.txt alarm-sound.wav stunden-sound.wav)
sources=("$build/Horovant.exe" "$root/res/LIESMICH.txt" "$build/alarm-sound.wav" "$build/stunden-sound.wav")
for f in "${sources[@]}"; do
  [[ -f $f ]] || fail "$f missing"
done

# What a user's Windows must provide: its own DLLs, nothing else. The C and
# C++ runtimes and the thread library are linked in (msvcrt.dll is Windows').
imports=$(x86_64-w64-mingw32-objdump -p "$build/Horovant.exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr -d '\r')
[[ -n $imports ]] || fail "no imports found in Horovant.exe"
foreign=()
while read -r dll; do
  case ${dll,,} in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | shell32.dll | winmm.dll | advapi32.dll | msvcrt.dll | api-ms-win-*.dll) ;;
    *) foreign+=("$dll") ;;
  esac
done <<<"$imports"
((${#foreign[@]} == 0)) || fail "Horovant.exe imports DLLs that are not Windows' own: ${foreign[*]}"

if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
  stamp=$SOURCE_DATE_EPOCH
elif ! stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || [[ -z $stamp ]]; then
  stamp=$(date +%s)
fi
if [[ -n $(git -C "$root" status --porcelain 2>/dev/null) ]]; then
  echo "release: note: the work tree has changes that are not committed" >&2
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
for i in "${!files[@]}"; do
  cp "${sources[$i]}" "$stage/$name/${files[$i]}"
  chmod 644 "$stage/$name/${files[$i]}"
done
chmod 755 "$stage/$name"
touch -h -d "@$stamp" "$stage/$name" "${files[@]/#/$stage/$name/}"

# zip adds to an archive that exists; a new one is made aside and moved in.
entries=("$name/" "${files[@]/#/$name/}")
(cd "$stage" && TZ=UTC zip -X -9 -q "$stage/out.zip" "${entries[@]}")
mkdir -p "$out"
zipfile="$(cd "$out" && pwd)/$name.zip"
mv -f "$stage/out.zip" "$zipfile"
echo "$zipfile ($(stat -c %s "$zipfile") bytes)"
"$root/scripts/msi.sh" "$stage/$name" "$out/$name.msi" "$version" "$stamp"
