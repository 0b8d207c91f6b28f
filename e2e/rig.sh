# shellcheck shell=bash
# Wine + Xvfb test bench shared by the end-to-end run and the start-up
# benchmark. Source it; call rig_up once and rig_down at the end (trap).
# Needs HV_WIN_BUILD set to the MinGW build folder (Horovant.exe, hvdriver.exe).

HV_TMP=""
HV_XVFB_PID=""
HV_APP_PID=""

# Wine must see the German ANSI code page (1252), whatever the caller's locale.
rig_env() {
  export WINEPREFIX="$HV_TMP/prefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko install prompts in a throwaway prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
  unset LANGUAGE
}

rig_start_xvfb() {
  local fdfile="$HV_TMP/display"
  # -displayfd lets the server pick a free display and tell us which.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" </dev/null >>"$HV_TMP/xvfb.log" 2>&1 &
  HV_XVFB_PID=$!
  local i
  for ((i = 0; i < 100; i++)); do
    [[ -s $fdfile ]] && break
    sleep 0.1
  done
  [[ -s $fdfile ]] || { echo "rig: Xvfb did not start" >&2; return 1; }
  DISPLAY=":$(head -n1 "$fdfile")"
  export DISPLAY
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

rig_up() {
  HV_TMP=$(mktemp -d "${TMPDIR:-/tmp}/horovant-e2e.XXXXXX")
  rig_env
  rig_start_xvfb
  rig_boot_prefix
  HV_DRIVER="$HV_TMP/hvdriver.exe"
  cp "$HV_WIN_BUILD/hvdriver.exe" "$HV_DRIVER"
}

rig_down() {
  [[ -n $HV_TMP ]] || return 0
  app_kill
  WINEPREFIX="$HV_TMP/prefix" wineserver -k >/dev/null 2>&1 || true
  if [[ -n $HV_XVFB_PID ]]; then
    kill "$HV_XVFB_PID" 2>/dev/null || true
    wait "$HV_XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$HV_TMP"
  HV_TMP=""
}

# drv <command> [args...]: runs the driver; its output on stdout. The driver
# prints something for every command, so no output at all means Wine did not
# get it running (seen once on a loaded machine): it is started once more,
# and the miss is logged.
drv() {
  local out rc
  out=$(wine "$HV_DRIVER" "$@" </dev/null 2>>"$HV_TMP/wine.log")
  rc=$?
  if [[ -z $out && $rc -ne 0 ]]; then
    echo "rig: hvdriver $* gave no output (exit $rc); started again" >>"$HV_TMP/wine.log"
    out=$(wine "$HV_DRIVER" "$@" </dev/null 2>>"$HV_TMP/wine.log")
    rc=$?
  fi
  [[ -n $out ]] && printf '%s\n' "$out"
  return "$rc"
}

# Windows path of a folder inside the prefix's drive C.
winpath() { wine winepath -w "$1" </dev/null 2>/dev/null | tr -d '\r'; }

# install_dir <name>: a fresh folder on drive C with Horovant.exe and the
# wave files, nothing else, so that a start also proves the exe needs no DLL
# of ours; prints its Unix path.
install_dir() {
  local dir="$WINEPREFIX/drive_c/$1" f
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$HV_WIN_BUILD/Horovant.exe" "$dir/"
  for f in alarm-sound.wav stunden-sound.wav; do
    [[ -f $HV_WIN_BUILD/$f ]] && cp "$HV_WIN_BUILD/$f" "$dir/"
  done
  printf '%s\n' "$dir"
}

# app_start <install_dir> [cwd]: starts Horovant.exe from that folder with the
# given current directory (default C:\windows, so that a file that lands
# beside the exe was not put there by the current directory).
app_start() {
  local dir=$1 cwd=${2:-$WINEPREFIX/drive_c/windows}
  (cd "$cwd" && exec wine "$dir/Horovant.exe" </dev/null >>"$HV_TMP/app.log" 2>&1) &
  HV_APP_PID=$!
}

# app_exited [seconds]: true once the started process has ended.
app_exited() {
  local limit=${1:-10} i
  [[ -n $HV_APP_PID ]] || return 0
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$HV_APP_PID" 2>/dev/null; then
      wait "$HV_APP_PID" 2>/dev/null || true
      HV_APP_PID=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Ends a program that a failed case left running.
app_kill() {
  [[ -n $HV_APP_PID ]] || return 0
  kill "$HV_APP_PID" 2>/dev/null || true
  app_exited 5 || kill -9 "$HV_APP_PID" 2>/dev/null || true
  wait "$HV_APP_PID" 2>/dev/null || true
  HV_APP_PID=""
}

# Ends the program the way a user does, or by force if that fails.
app_close() {
  if drv exists Horovant >/dev/null; then
    drv click Horovant 2 >/dev/null
  fi
  app_exited 10 || app_kill
}

screenshot() { import -display "$DISPLAY" -window root "$1" >/dev/null 2>&1; }

# window_shot <caption> <file>: a picture of that window with its frame, cut
# from the screen.
window_shot() {
  local rect x y w h
  rect=$(drv winrect "$1") || return 1
  read -r x y w h <<<"$rect"
  # Numbers, none negative: a window pushed off the screen's top or left edge
  # cannot be cut out whole.
  [[ "$x $y $w $h" =~ ^[0-9]+\ [0-9]+\ [0-9]+\ [0-9]+$ ]] || return 1
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$2" >/dev/null 2>&1
}
