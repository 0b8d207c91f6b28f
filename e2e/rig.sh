# shellcheck shell=bash
# Wine + Xvfb test bench shared by the end-to-end run, the benchmarks and the
# README picture. Source it; call rig_up once and rig_down at the end (trap).
# Needs HV_WIN_BUILD set to the MinGW build folder (Horovant.exe, hvdriver.exe).

HV_TMP="" HV_XVFB_PID="" HV_APP_PID=""

rig_up() {
  HV_TMP=$(mktemp -d "${TMPDIR:-/tmp}/horovant-e2e.XXXXXX")
  export WINEPREFIX="$HV_TMP/prefix" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts in a throwaway prefix
  # Wine must see the German ANSI code page (1252), whatever the caller's locale.
  export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
  unset LANGUAGE
  # -displayfd lets the server pick a free display and tell us which.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$HV_TMP/display" </dev/null >>"$HV_TMP/xvfb.log" 2>&1 &
  HV_XVFB_PID=$!
  local i
  for ((i = 0; i < 100; i++)); do [[ -s $HV_TMP/display ]] && break; sleep 0.1; done
  [[ -s $HV_TMP/display ]] || { echo "rig: Xvfb did not start" >&2; return 1; }
  DISPLAY=":$(head -n1 "$HV_TMP/display")" && export DISPLAY
  rig_boot_prefix
  HV_DRIVER="$HV_TMP/hvdriver.exe"
  cp "$HV_WIN_BUILD/hvdriver.exe" "$HV_DRIVER"
  # Xvfb leaves the pointer in the middle of the screen, over a window, whose
  # control under it Wine then polls every 10 ms; a user's idle pointer is
  # elsewhere.
  drv pointer 1279 1023 >/dev/null
}

# Wine's server and services are started detached from our pipes, so that a
# later $(wine ...) does not wait for them to close stdout.
rig_boot_prefix() {
  setsid wineserver -p </dev/null >/dev/null 2>&1 &
  wine wineboot -i </dev/null >/dev/null 2>&1
  # Without a window manager Wine waits about 2 s on each hide of a managed
  # window; unmanaged windows behave like on Windows for our purposes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

rig_down() {
  [[ -n $HV_TMP ]] || return 0
  app_kill
  local d
  for d in "${HV_RO_DIRS[@]}"; do mountpoint -q "$d" && umount "$d"; done
  WINEPREFIX="$HV_TMP/prefix" wineserver -k >/dev/null 2>&1 || true
  [[ -z $HV_XVFB_PID ]] || { kill "$HV_XVFB_PID" && wait "$HV_XVFB_PID"; } 2>/dev/null || true
  rm -rf "$HV_TMP"
  HV_TMP=""
}

# drv <command> [args...]: runs the driver; its output on stdout, in UTF-8.
# The driver prints something for every command, so no output at all means
# Wine did not get it running (seen on a loaded machine): it is started once
# more, and the miss is logged.
drv() {
  local out rc _
  for _ in 1 2; do
    out=$(wine "$HV_DRIVER" "$@" </dev/null 2>>"$HV_TMP/wine.log" | iconv -f CP1252 -t UTF-8; exit "${PIPESTATUS[0]}")
    rc=$?
    [[ -n $out || $rc -eq 0 ]] && break
    echo "rig: hvdriver $* gave no output (exit $rc); started again" >>"$HV_TMP/wine.log"
  done
  [[ -n $out ]] && printf '%s\n' "$out"
  return "$rc"
}

# ro_dir <dir>: the folder read-only, as "Program Files" is for a standard
# user (as root, chmod protects nothing). Only in run.sh's own mount namespace,
# so that no mount outlives the run; false where mounts are not allowed.
HV_RO_DIRS=()
ro_dir() {
  [[ -n ${HV_MOUNT_NS:-} ]] && mount --bind "$1" "$1" 2>/dev/null || return 1
  HV_RO_DIRS+=("$1")
  mount -o remount,ro,bind "$1" 2>/dev/null
}

# Windows path of a folder inside the prefix's drive C.
winpath() { wine winepath -w "$1" </dev/null 2>/dev/null | tr -d '\r'; }

# install_dir <name>: a fresh folder on drive C with Horovant.exe and the wave
# files and nothing else, so that a start also proves the exe needs no DLL of
# ours; prints its Unix path.
install_dir() {
  local dir="$WINEPREFIX/drive_c/$1"
  rm -rf "$dir" && mkdir -p "$dir"
  cp "$HV_WIN_BUILD/Horovant.exe" "$dir/" && { cp "$HV_WIN_BUILD"/*-sound.wav "$dir/" 2>/dev/null || true; }
  printf '%s\n' "$dir"
}

# app_start <install_dir>: starts Horovant.exe from that folder with C:\windows
# as the current directory, so that a file beside the exe was not put there by
# the current directory.
# With HV_FAKETIME set, its wall clock runs $HV_TMP/faketime seconds ahead ("+120"), read every
# second; the monotonic clock stays true, as when the clock is set by hand.
app_start() {
  local fake=()
  [[ -n ${HV_FAKETIME:-} ]] && fake=(LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
    FAKETIME_TIMESTAMP_FILE="$HV_TMP/faketime" FAKETIME_CACHE_DURATION=1 FAKETIME_DONT_FAKE_MONOTONIC=1)
  (cd "$WINEPREFIX/drive_c/windows" && exec env "${fake[@]}" wine "$1/Horovant.exe" </dev/null >>"$HV_TMP/app.log" 2>&1) &
  HV_APP_PID=$!
}

# app_exited [seconds]: true once the started process has ended (default 20 s).
app_exited() {
  local i
  for ((i = 0; i < ${1:-20} * 10; i++)); do
    [[ -z $HV_APP_PID ]] || kill -0 "$HV_APP_PID" 2>/dev/null || { wait "$HV_APP_PID"; HV_APP_PID=""; } 2>/dev/null
    [[ -z $HV_APP_PID ]] && return 0
    sleep 0.1
  done
  return 1
}

# Ends a program that a failed case left running.
app_kill() {
  [[ -n $HV_APP_PID ]] || return 0
  kill "$HV_APP_PID" 2>/dev/null && app_exited 5 || kill -9 "$HV_APP_PID" 2>/dev/null || true
  HV_APP_PID=""
}

# Ends the program the way a user does ("Anwendung beenden"), or by force.
app_close() { drv click Horovant 2 >/dev/null || true; app_exited || app_kill; }

screenshot() { import -display "$DISPLAY" -window root "$1" >/dev/null 2>&1; }

# window_shot <caption> <file>: that window with its frame, cut from the
# screen; only whole, so no edge may lie off the screen.
window_shot() {
  local x y w h
  read -r x y w h <<<"$(drv winrect "$1")" || return 1
  [[ "$x $y $w $h" =~ ^[0-9]+\ [0-9]+\ [0-9]+\ [0-9]+$ ]] || return 1
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$2" >/dev/null 2>&1
}
