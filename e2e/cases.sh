# shellcheck shell=bash
# End-to-end cases: each case_ function works the real Horovant.exe through the
# driver, from one start or two, and records what differs in CASE_ERRORS.
# Sourced by run.sh after rig.sh; they run in the order written here.

LABELS="Alarmzeit 1    Alarmzeit 2    Alarmzeit 3    Alarmzeit 4    Countdown      Stoppuhr       "
# The record a first start writes: minimised start and hourly signal, four
# alarms, Sound and Daueralarm, six labels, countdown, autostart.
DEFAULT_RECORD="nnf000000f000000f000000f000000tt${LABELS}f000000000f"
MAIN_SIZE="457 426" # the main window's template in dialog units, for its rectangles
EDITOR="Horovant - Alarmzeitenbeschriftung" ABOUT="Info über Horovant" NOTICE="Folgende Alarmzeit erreicht: "

fail_because() { CASE_ERRORS+=("$*"); }
expect() { [[ $2 == "$3" ]] || fail_because "$1: got '$2', want '$3'"; }

# drv_expect <what> <wanted> <driver command...>: a failing driver (no window,
# refused, no answer in time) is reported with its own message, never taken
# for a value.
drv_expect() {
  local got
  got=$(drv "${@:3}") || { fail_because "$1: driver says '$got' (exit $?)"; return 1; }
  expect "$1" "$got" "$2"
}
# act <command> [window] <args...>: a user's action, on the main window unless
# another is named; the driver answers ok once the program has taken it.
act() {
  [[ $2 =~ ^[0-9] ]] && set -- "$1" Horovant "${@:2}"
  drv_expect "$*" ok "$@"
}

# eventually <seconds> <command...>: true once the command succeeds, tried
# about twice a second; what the window shows may wait for its next paint.
eventually() {
  local end=$((SECONDS + $1))
  until "${@:2}"; do
    ((SECONDS < end)) || return 1
    sleep 0.5
  done
}

# expect_stored <what> <file> <offset> <bytes>: within 20 s that part of the
# file holds these bytes, and the file its 133. A click returns once the
# program has taken it, but under load its write may still be on the way.
expect_stored() {
  local end=$((SECONDS + 20)) got size
  until got=$(tail -c +$(($3 + 1)) "$2" 2>/dev/null | head -c ${#4}) size=$(stat -c %s "$2" 2>/dev/null) &&
    [[ $got == "$4" && $size == 133 ]]; do
    ((SECONDS < end)) || { fail_because "$1: got '$got' ($size bytes), want '$4'"; return 1; }
    sleep 0.2
  done
}

# Columns of the driver's dump: enabled, shown, check (of the window: the
# focused control), text.
column() { case $1 in exstyle) echo 4 ;; on) echo 5 ;; shown) echo 6 ;; check | focus) echo 7 ;; rect) echo 8 ;; text) echo 9 ;; esac }
# value <dump> <id> <field>: one window's value ("window" is the dialog itself).
value() { awk -F'\t' -v id="$2" -v c="$(column "$3")" '$1 == id { print $c }' <<<"$1"; }
# shell_busy <ms>: for <ms> from now the notification area refuses every
# icon, as at logon; then it starts and announces itself. Returns once it refuses.
shell_busy() {
  (exec wine "$HV_DRIVER" busyshell "$1" </dev/null >"$HV_TMP/busyshell.out" 2>>"$HV_TMP/wine.log") &
  HV_SHELL_PID=$!
  eventually 20 grep -q '^busy' "$HV_TMP/busyshell.out"
}
# shell_ready: waits until it has started; then HV_SHELL_REFUSED says how many icons it refused.
shell_ready() { wait "$HV_SHELL_PID" && HV_SHELL_REFUSED=$(sed -n 's/^ready //p' "$HV_TMP/busyshell.out"); }
# topmost: 1 while the main window stays in front of every other, else 0.
topmost() { local ex; ex=$(value "$(drv dump Horovant)" window exstyle) && echo $(((0x$ex >> 3) & 1)); }
# is <id> <field> <value>: the main window shows that now.
is() { [[ $(value "$(drv dump Horovant)" "$1" "$2") == "$3" ]]; }

# looks <window> <what> "<id> <field> <value>"...: one dump answers them all.
looks() {
  local dump check
  dump=$(drv dump "$1") || { fail_because "$2: driver says '$dump'"; return 1; }
  for check in "${@:3}"; do
    [[ $check =~ ^([^ ]+)\ (on|shown|check|focus|text)\ ?(.*)$ ]] || { fail_because "$2: no check '$check'"; continue; }
    expect "$2: ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}" "$(value "$dump" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}")" "${BASH_REMATCH[3]}"
  done
}

# start_and_wait <install_dir>: starts the program and waits for its window
# with the clock control to answer. The limit is wall time (every driver call
# also costs Wine's start-up). A program that ended without a window is
# started once more: on a loaded machine Wine now and then fails to start a
# process; twice is a failure.
start_and_wait() {
  local end=$((SECONDS + 40)) got tries=1
  app_start "$1"
  until got=$(drv wait-window Horovant 2000 1000); do
    [[ $got == timeout ]] || { fail_because "waiting for the window: driver says '$got'"; return 1; }
    if ! kill -0 "$HV_APP_PID" 2>/dev/null; then
      ((tries++ < 2)) || { fail_because "program ended twice before its window appeared"; return 1; }
      echo "e2e: Horovant.exe ended before its window appeared; started again" >>"$HV_TMP/wine.log"
      app_start "$1"
    fi
    ((SECONDS < end)) || { fail_because "window Horovant did not appear"; return 1; }
  done
}

# Ends the program with "Anwendung beenden" (or another way), as a user does:
# window and process go.
close_by() {
  (($#)) || set -- click 2
  act "$@"
  drv_expect "window after $*" gone wait-gone Horovant 20000
  app_exited 20 || fail_because "process still running after $*"
}

# --- the main window's controls against the committed table ----------------

# Style bits as "mask value" per name.
declare -A STYLE_BITS=(
  [WS_TABSTOP]="0x10000 0x10000" [WS_GROUP]="0x20000 0x20000" [WS_DISABLED]="0x8000000 0x8000000"
  [ES_LEFT]="0x3 0x0" [ES_CENTER]="0x3 0x1" [ES_RIGHT]="0x3 0x2" [ES_READONLY]="0x800 0x800"
  [ES_NUMBER]="0x2000 0x2000" [BS_PUSHBUTTON]="0xf 0x0" [BS_DEFPUSHBUTTON]="0xf 0x1" [BS_CHECKBOX]="0xf 0x2"
  [BS_RADIOBUTTON]="0xf 0x4" [BS_GROUPBOX]="0xf 0x7" [BS_MULTILINE]="0x2000 0x2000" [SS_CENTER]="0x1f 0x1"
  [SS_BITMAP]="0x1f 0xe" [WS_CAPTION]="0xc00000 0xc00000" [WS_SYSMENU]="0x80000 0x80000"
  [WS_MINIMIZEBOX]="0x20000 0x20000" [WS_MAXIMIZEBOX]="0x10000 0x10000"
)

# has_style <name> <style> <exstyle>
has_style() {
  case $1 in
    BORDER) (((0x$2 & 0x800000) || (0x$3 & 0x200))) ;;      # or the sunken edge an edit makes of it
    SS_LEFT) (((0x$2 & 0x1f) == 0 || (0x$2 & 0x1f) == 0xc)) ;; # with or without word wrap
    WS_EX_APPWINDOW) ((0x$3 & 0x40000)) ;;
    *) local bits && read -ra bits <<<"${STYLE_BITS[$1]}" && (((0x$2 & bits[0]) == bits[1])) ;;
  esac
}

# compare_controls <expected.tsv> <dump>: reports every difference.
compare_controls() {
  local -a want got w g
  mapfile -t want < <(grep -v '^#' "$1")
  mapfile -t got <<<"$2"
  expect "number of windows" "${#got[@]}" "${#want[@]}"
  local i k flag wid wcls wflags wrect wcheck wtext gid gcls gstyle gex gcheck grect gtext
  for ((i = 0; i < ${#want[@]} && i < ${#got[@]}; i++)); do
    IFS=$'\t' read -r wid wcls wflags wrect wcheck wtext <<<"${want[i]}"
    IFS=$'\t' read -r gid gcls gstyle gex _ _ gcheck grect gtext <<<"${got[i]}"
    local at="line $((i + 1)) ($wid)"
    expect "$at id" "$gid" "${wid/#-/-1}"
    [[ ${gcls,,} == "${wcls,,}" ]] || fail_because "$at: class $gcls, want $wcls"
    [[ $wtext == '*' ]] || expect "$at text" "$gtext" "$wtext"
    expect "$at check" "$gcheck" "$wcheck"
    for flag in ${wflags//,/ }; do
      if has_style "${flag#!}" "$gstyle" "$gex"; then [[ $flag != !* ]]; else [[ $flag == !* ]]; fi ||
        fail_because "$at: style $gstyle ex $gex, want $flag"
    done
    IFS=, read -ra w <<<"$wrect"
    IFS=, read -ra g <<<"$grect"
    for k in 0 1 2 3; do
      [[ ${w[k]} == '*' ]] || (((${g[k]:-9999} - w[k]) ** 2 <= 1)) || { fail_because "$at: rectangle $grect, want $wrect"; break; }
    done
  done
}

# colours_in <file> <x> <y> <w> <h>: the distinct colours of that part of a
# picture, as RRGGBB, one per line.
colours_in() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -unique-colors -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-F]\{6\}' | tr -d '#'
}

# labels_in_place <shot> <colour> [slot...]: each slot's label (1-4 alarms, 5
# countdown, 6 stopwatch) shows in that colour just right of its selector and
# just left of its overview field, wherever the dialog's font and scaling put
# them (rectangles from the dump in client pixels).
labels_in_place() {
  local shot=$1 colour=$2 dump ox oy slot s o
  local -a sel=(1005 1026 1030 1034 1008 1013) ovw=(1012 1037 1038 1039 1016 1017)
  dump=$(drv dump Horovant) || { fail_because "dump: driver says '$dump'"; return; }
  IFS=, read -r ox oy <<<"$(awk -F'\t' 'NR == 1 { print $8 }' <<<"$dump")"
  for slot in "${@:3}"; do
    IFS=, read -r -a s <<<"$(value "$dump" "${sel[slot - 1]}" rect)"
    IFS=, read -r -a o <<<"$(value "$dump" "${ovw[slot - 1]}" rect)"
    colours_in "$shot" $((ox + s[0] + s[2])) $((oy + s[1] - 4)) $((s[2] * 5)) $((s[3] + 8)) | grep -qx "$colour" ||
      fail_because "no label in $colour beside selector ${sel[slot - 1]}"
    colours_in "$shot" $((ox + o[0] - o[3] * 7)) $((oy + o[1])) $((o[3] * 6)) "${o[3]}" | grep -qx "$colour" ||
      fail_because "no label in $colour before overview ${ovw[slot - 1]}"
  done
}

# in_place_soon <shot> <colour> [slot...]: the same on fresh pictures, for up
# to 20 s, as a loaded machine may paint late.
in_place_soon() {
  local n=${#CASE_ERRORS[@]} end=$((SECONDS + 20))
  while screenshot "$1" && labels_in_place "$@" && ((${#CASE_ERRORS[@]} > n && SECONDS < end)); do
    CASE_ERRORS=("${CASE_ERRORS[@]:0:n}") && sleep 0.5
  done
}

# --- cases -----------------------------------------------------------------

# A first start in an empty folder writes the default record beside the exe
# (not into the current directory) and shows the window with its controls in
# their start states, every caption fitting. On the screen: white, the slot
# labels red, the clock red and the date blue; alarm 2 armed turns its label
# green and is stored at once. Esc ends the program.
case_first_start() {
  local dir dump shot="$HV_WIN_BUILD/e2e-shot.png" ox oy
  dir=$(install_dir Horovant)
  rm -f "$WINEPREFIX/drive_c/windows/config.dat"
  start_and_wait "$dir" || return
  expect_stored "settings beside the exe" "$dir/config.dat" 0 "$DEFAULT_RECORD"
  [[ -e $WINEPREFIX/drive_c/windows/config.dat ]] && fail_because "config.dat written into the current directory"
  # shellcheck disable=SC2086
  dump=$(drv dump Horovant $MAIN_SIZE) || fail_because "dump: driver says '$dump'"
  compare_controls "$E2E_DIR/expected-controls-102.tsv" "$dump"
  # shellcheck disable=SC2086
  drv_expect "captions that do not fit" "all fit" fits Horovant $MAIN_SIZE
  IFS=, read -r ox oy <<<"$(awk -F'\t' 'NR == 1 { print $8 }' <<<"$dump")"
  # In the window's client pixels (the bench's dialog font), from a fresh picture.
  # shellcheck disable=SC2317 # called through eventually
  shows() { screenshot "$shot" && colours_in "$shot" $((ox + $2)) $((oy + $3)) "$4" "$5" | grep -qx "$1"; }
  eventually 20 shows D73835 90 74 500 74 || fail_because "no clock text in RGB(215, 56, 53)"
  # The weekday lies where the clock field overlaps the date line, and stays
  # there as the clock's seconds go on.
  sleep 2 && screenshot "$shot"
  colours_in "$shot" $((ox + 470)) $((oy + 114)) 125 25 | grep -qx 0000FF || fail_because "no blue weekday beside the clock"
  expect "background" "$(colours_in "$shot" $((ox + 2)) $((oy + 2)) 4 4)" FFFFFF
  labels_in_place "$shot" 9A2B2B 1 2 3 4 5 6
  act click 1026 # alarm 2's selector
  act settext 1027 7
  act settext 1028 30
  act click 1001 # Start
  expect_stored "alarm 2 stored" "$dir/config.dat" 9 t073000
  looks Horovant "alarm 2 armed" "1037 text 07:30:00"
  in_place_soon "$shot" 2E7024 2
  close_by esc Horovant
  expect_stored "settings after Esc" "$dir/config.dat" 0 "${DEFAULT_RECORD:0:9}t073000${DEFAULT_RECORD:16}"
}

# A prepared record: alarm 2 armed, Sound off (with Daueralarm stored off,
# which the coupling overrides), Stundensignal, minimised start, autostart,
# alarm 1 named "Wecken". The window goes into the notification area at its
# first paint and stays there; Explorer, restarted, gets the icon back; the
# left button released over the icon brings the window back with the stored
# states.
# Hidden again, a second start brings it back and ends. Nothing is written.
case_restored_into_the_tray() {
  local dir second record="jjf000000t073000f000000f000000ffWecken         ${LABELS:15}f000000000t"
  dir=$(install_dir Horovant)
  printf '%s' "$record" >"$dir/config.dat"
  shell_busy 15000 # started at logon, before the notification area takes icons
  start_and_wait "$dir" || return
  sleep 1
  looks Horovant "while the notification area takes no icon" "window shown 1"
  expect "minimised in the taskbar meanwhile" "$(drv click Horovant 1005)" "refused: minimized"
  shell_ready
  ((HV_SHELL_REFUSED >= 2)) || fail_because "the icon was not tried again (refused ${HV_SHELL_REFUSED:-none})"
  eventually 20 is window shown 0 || fail_because "did not go into the tray once the notification area was there"
  sleep 1 # and stays there
  looks Horovant "after the start" "window shown 0"
  drv_expect "icon once the notification area is there" 1 tray Horovant icon
  act tray Horovant 0x202 # left button released over it
  drv_expect "icon once back" 0 tray Horovant icon
  looks Horovant "back from the tray" "window shown 1" "window focus 1020" "1037 text 07:30:00" "1012 text nicht gesetzt" \
    "1022 check 0" "1040 check 1" "1040 on 0" "1023 check 1" "1025 check 1" "1053 check 1"
  act click 1041 # Beschriftung
  drv_expect "editor opens" found wait-window "$EDITOR" 20000
  looks "$EDITOR" "labels" "1047 text Wecken         "
  act esc "$EDITOR"
  drv_expect "editor closes" gone wait-gone "$EDITOR" 20000
  act click 3 # into the tray
  (cd "$WINEPREFIX/drive_c/windows" && exec wine "$dir/Horovant.exe" </dev/null >>"$HV_TMP/app.log" 2>&1) &
  second=$!
  eventually 40 eval "! kill -0 $second 2>/dev/null" || { fail_because "the second copy still runs"; kill "$second"; }
  eventually 20 is window shown 1 || fail_because "the running window did not come back"
  expect_stored "settings" "$dir/config.dat" 0 "$record"
  close_by
}

# Unpacked where the user may not write, as into "Program Files": the
# settings go to the user's own folder, the file beside the exe taken over
# (its alarm shows), and a change is written there; no message.
case_unwritable_program_folder() {
  local dir user record="nnt073000${DEFAULT_RECORD:9}"
  dir=$(install_dir "Program Files/Horovant Zip")
  printf '%s' "$record" >"$dir/config.dat"
  ro_dir "$dir" || { echo "e2e: no read-only folder on this machine; unwritable program folder not run" >&2; return; }
  user="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Horovant/config.dat"
  start_and_wait "$dir" || return
  looks Horovant "with the file taken over" "1012 text 07:30:00" "1020 text"
  act click 1022 # Sound
  expect_stored "the change in the user's file" "$user" 30 ft
  expect "the program folder's file" "$(cat "$dir/config.dat")" "$record"
  close_by
}

# selector_names <six names>: what a screen reader announces for the six
# slot selectors, in their order.
selector_names() {
  local id && for id in 1005 1026 1030 1034 1008 1013; do drv_expect "selector $id's name" "$1" accname Horovant "$id"; shift; done
}

# The label editor: the main window is out of reach while it is open; a
# rename shows at once, one too long is refused with a notice; Esc closes it
# and the labels are stored. The about window opens from the Info button and
# from its entry in the system menu.
case_label_editor_and_about() {
  local dir wecken="Wecken         "
  dir=$(install_dir Horovant)
  start_and_wait "$dir" || return
  selector_names "Alarmzeit 1" "Alarmzeit 2" "Alarmzeit 3" "Alarmzeit 4" "Countdown" "Stoppuhr"
  act click 1041 # Beschriftung
  drv_expect "editor opens" found wait-window "$EDITOR" 20000
  expect "click on the main window meanwhile" "$(drv click Horovant 1005)" "refused: disabled"
  act settext "$EDITOR" 1044 Wecken
  act click "$EDITOR" 1048 # Alarmzeit 2 neu bezeichnen
  act settext "$EDITOR" 1042 "Sechzehn Zeichen"
  act click "$EDITOR" 1043 # Alarmzeit 1 neu bezeichnen
  looks "$EDITOR" "editor" "1053 text $wecken" "1047 text ${LABELS:0:15}" \
    "1052 text Änderung nicht möglich, da die max. Länge von 15 Zeichen überschritten worden ist."
  act esc "$EDITOR"
  drv_expect "editor closes" gone wait-gone "$EDITOR" 20000
  expect_stored "stored labels" "$dir/config.dat" 32 "${LABELS:0:15}$wecken${LABELS:30}"
  selector_names "Alarmzeit 1" "Wecken" "Alarmzeit 3" "Alarmzeit 4" "Countdown" "Stoppuhr"
  act click 1021 # Info
  drv_expect "about window from Info" found wait-window "$ABOUT" 20000
  looks "$ABOUT" "about window" "1026 text feedback@example.com"
  act click "$ABOUT" 1 # zurück zur Anwendung
  drv_expect "about window closes" gone wait-gone "$ABOUT" 20000
  drv_expect "system menu entry" $'&Info über Horovant...\nok' sysmenu Horovant 0x10 101
  drv_expect "about window from the system menu" found wait-window "$ABOUT" 20000
  act esc "$ABOUT"
  drv_expect "about window closes again" gone wait-gone "$ABOUT" 20000
  wake_timer_and_its_menu_entry
  close_by
}

# Alarm 1 armed an hour ahead: the wake timer is due at its time; with the
# system menu's entry unchecked (and so stored for the user) none, checked
# again it is; after Stopp none.
wake_timer_and_its_menu_entry() {
  local at key='HKCU\Software\VeltranoSoftware\Horovant'
  at=$(($(date +%s) + 3600))
  act click 1005 # alarm 1
  act settext 1006 "$(date -d "@$at" +%H)"
  act settext 1007 "$(date -d "@$at" +%M)"
  act settext 1004 "$(date -d "@$at" +%S)"
  act click 1001 # Start
  drv_expect "wake timer for alarm 1" "$at" wake Horovant
  drv_expect "wake entry unchecked" $'Zum Alarm aus dem Ruhezustand wecken\nok' sysmenu Horovant 0x20 102
  drv_expect "no wake timer when unchecked" none wake Horovant
  wine reg query "$key" /v WakeForAlarm </dev/null 2>/dev/null | grep -q 'REG_DWORD *0x0' ||
    fail_because "WakeForAlarm not stored as 0"
  drv_expect "wake entry checked again" $'Zum Alarm aus dem Ruhezustand wecken\nok' sysmenu Horovant 0x20 102
  drv_expect "wake timer when checked again" "$at" wake Horovant
  act click 1003 # Stopp
  drv_expect "no wake timer after Stopp" none wake Horovant
}

# An alarm a few seconds ahead rings with the window in the tray: the window
# comes back with the notice and rings on (Daueralarm) until "Alarm aus",
# which, pressed with the mouse while no slot is selected, disables itself and
# leaves the focus on the status line; the alarm stays armed for the next
# day. Then the clock set forward by 12 minutes over alarm 2: its time is said
# missed. A countdown of three seconds ends the same way, its notice first,
# then the missed one again until the next "Alarm aus". Wine shares the
# machine's clock and zone, so `date` says what the program shows.
case_alarm_and_countdown_ring() {
  local dir ahead at hms hms2
  dir=$(install_dir Horovant)
  for ahead in 15 30; do
    at=$(($(date +%s) + ahead))
    hms=$(date -d "@$at" +%H:%M:%S) hms2=$(date -d "@$((at + 300))" +%H:%M:%S)
    printf 'nnt%st%sf000000f000000tt%s' "${hms//:/}" "${hms2//:/}" "${DEFAULT_RECORD:32}" >"$dir/config.dat"
    echo +0 >"$HV_TMP/faketime"
    HV_FAKETIME=1 start_and_wait "$dir" || return
    (($(date +%s) + 5 < at)) && break # in time for it on a loaded machine?
    app_close
  done
  act click 3 # into the tray
  looks Horovant "before the alarm" "window shown 0"
  drv_expect "wake timer for alarm 1" "$at" wake Horovant
  eventually $((ahead + 20)) is window shown 1 || fail_because "the alarm did not bring the window back"
  looks Horovant "ringing" "1020 text $NOTICE${LABELS:0:15}" "1018 on 1" "1022 on 0" "1040 on 0"
  expect "in front while it rings" "$(topmost)" 1
  act click 1018 # Alarm aus
  sleep 2        # no second ring
  looks Horovant "after Alarm aus" "window focus 1020" "1020 text" "1018 on 0" "1022 on 1" "1012 text $hms"
  expect "not in front after Alarm aus" "$(topmost)" 0
  drv_expect "wake timer for alarm 2" $((at + 300)) wake Horovant
  echo +720 >"$HV_TMP/faketime"
  eventually 20 is 1020 text "Alarm verpasst: Alarmzeit 2 ($hms2)" || fail_because "alarm 2 not said missed"
  act click 1008 # the countdown's selector
  act settext 1009 3
  act click 1001 # Start
  eventually 20 is 1020 text "$NOTICE${LABELS:60:15}" || fail_because "no notice of the countdown's end"
  looks Horovant "countdown at its end" "1016 text 00:00:00"
  act click 1018 # Alarm aus
  looks Horovant "after the countdown" "1016 text nicht gesetzt" "1020 text Alarm verpasst: Alarmzeit 2 ($hms2)" "1018 on 1"
  act click 1018 # Alarm aus, for the missed one
  looks Horovant "after the missed one" "window focus 1008" "1020 text" "1018 on 0"
  expect_stored "alarm 1 still stored" "$dir/config.dat" 2 "t${hms//:/}"
  close_by
}

# The stopwatch runs through five trips into the tray and back and a thousand
# repaints, and the window still holds its three fonts and one brush and no
# device context. Stopp, pressed with the mouse, disables itself and leaves
# the focus on the stopwatch's selector; the reading stays held.
case_stopwatch_and_gdi_objects() {
  local i held clock dir && dir=$(install_dir Horovant)
  start_and_wait "$dir" || return
  drv_expect "GDI objects after the start" "3 1 0" gdi Horovant
  act click 1013 && act click 1001 # the stopwatch's selector, Start
  for i in 1 2 3 4; do
    act click 3             # into the tray
    act tray Horovant 0x202 # and back
  done
  # Hidden in the tray or minimised, the reading and the clock rest; back, they are current at once.
  # shellcheck disable=SC2086 # a way's words are the driver's arguments
  for way in "click Horovant 3|tray Horovant 0x202" "sysmenu Horovant 0xF020 101|sysmenu Horovant 0xF120 101"; do
    drv ${way%|*} >/dev/null && held=$(drv dump Horovant) && sleep 2 && clock=$(drv dump Horovant)
    expect "the reading and the clock while away ($way)" "$(value "$clock" 1017 text)$(value "$clock" 1000 text)" \
      "$(value "$held" 1017 text)$(value "$held" 1000 text)"
    held=$(value "$held" 1017 text) && drv ${way#*|} >/dev/null && ! is 1017 text "$held" || fail_because "the reading not current when back ($way)"
    clock=$(value "$(drv dump Horovant)" 1000 text)
    (($(date +%s) - $(date -d "${clock// /}" +%s) <= 1)) || fail_because "the clock '$clock' not current when back ($way)"
  done
  drv_expect "GDI objects after 1000 repaints" "3 1 0" gdi Horovant 1000
  act click 1003 # Stoppuhr anhalten
  held=$(value "$(drv dump Horovant)" 1017 text)
  [[ $held =~ ^00:0[0-9]:[0-5][0-9],[0-9]$ && $held != 00:00:00,0 ]] || fail_because "held reading '$held'"
  sleep 1
  looks Horovant "held" "window focus 1013" "1003 on 0" "1017 text $held"
  expect_stored "settings" "$dir/config.dat" 0 "$DEFAULT_RECORD"
  close_by
}

# Unpacked into a folder whose name the ANSI code page cannot spell: the
# settings file beside the exe, the Run value naming the exe exactly (its
# UTF-16 as exported, byte for byte), and at the ring the alarm sound asked
# for from there (Wine's trace of the name the sound library was given: Wine's
# own file layer then narrows it to ANSI and misses it, Windows opens it).
case_folder_named_outside_the_code_page() {
  local folder="Łódź Ağrı" dir hms want got run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
  dir=$(install_dir "$folder/Horovant-2.0")
  hms=$(date -d "@$(($(date +%s) + 20))" +%H%M%S)
  printf 'nnt%sf000000f000000f000000%s' "$hms" "${DEFAULT_RECORD:30}" >"$dir/config.dat"
  WINEDEBUG=trace+winmm start_and_wait "$dir" || return
  act click 1053 # mit Windows starten
  expect_stored "stored autostart beside the exe" "$dir/config.dat" 132 t
  wine reg export "$run" "$HV_TMP/run.reg" /y </dev/null >/dev/null 2>&1
  want=$(printf '"C:\\%s\\Horovant-2.0\\Horovant.exe"\0' "$folder" | iconv -f UTF-8 -t UTF-16LE | xxd -p | tr -d '\n')
  got=$(iconv -f UTF-16LE -t UTF-8 "$HV_TMP/run.reg" | tr -d '\r' | sed -e ':a' -e '/\\$/N; s/\\\n *//; ta' |
    sed -n 's/^"Horovant"=hex(2):\(.*\)/\1/p' | tr -d ',')
  expect "the Run value as UTF-16" "$got" "$want"
  eventually 40 is 1020 text "$NOTICE${LABELS:0:15}" || fail_because "alarm 1 did not ring"
  # Wine's trace writes a character beyond ASCII as a backslash and four hex digits.
  grep -aqF 'SoundName=L"C:\\\0141\00f3d\017a A\011fr\0131\\Horovant-2.0\\alarm-sound.wav"' "$HV_TMP/app.log" ||
    fail_because "the alarm sound not asked for from the program's folder"
  act click 1018 # Alarm aus
  close_by
}



# The option boxes store their bytes at once; "mit Windows starten" writes the
# quoted path into the Run key (read back with Wine's reg). A restart, into
# the tray as now stored, shows every box as it was left; unchecked again, the
# Run value goes.
case_options_restart_and_autostart() {
  local dir exe id run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
  local states=("window shown 1" "1022 check 0" "1040 check 1" "1040 on 0" "1023 check 1" "1025 check 1" "1053 check 1")
  dir=$(install_dir "Horovant Programm")
  exe="$(winpath "$dir")"
  exe="${exe%\\}\\Horovant.exe"
  start_and_wait "$dir" || return
  for id in 1022 1023 1025 1053; do act click "$id"; done
  looks Horovant "options" "${states[@]}"
  expect_stored "stored minimised start and hourly signal" "$dir/config.dat" 0 jj
  expect_stored "stored Sound and Daueralarm" "$dir/config.dat" 30 ft
  expect_stored "stored autostart" "$dir/config.dat" 132 t
  wine reg query "$run" /v Horovant </dev/null 2>/dev/null | grep -qF "REG_EXPAND_SZ    \"$exe\"" ||
    fail_because "no Run value naming \"$exe\""
  close_by
  start_and_wait "$dir" || return
  eventually 20 is window shown 0 || fail_because "did not start in the tray"
  act tray Horovant 0x202 # left button released over the icon
  looks Horovant "after the restart" "${states[@]}"
  act click 1053 # mit Windows starten
  expect_stored "stored autostart after unchecking" "$dir/config.dat" 132 f
  wine reg query "$run" /v Horovant </dev/null >/dev/null 2>&1 && fail_because "Run value still there"
  close_by
}

# ProductDir names the settings' folder, here without its last backslash, as
# installers often write it. config.dat there held by another program while
# the user changes an option and arms an alarm: a message for each, naming
# the file by its full path; the box keeps its mark and the file its bytes.
# Once the file is free, the next change is written. Held while the program
# starts, the file leaves the window on the defaults until it is free (within
# 5 s, so nothing is said); then the stored record shows, and the label editor
# closed and the boxes toggled keep every stored byte but the boxes'.
case_held_settings_file() {
  local dir data="$WINEPREFIX/drive_c/Horovant-Daten" file holder up key='HKLM\Software\VeltranoSoftware\Horovant'
  dir=$(install_dir Horovant-Programm)
  rm -rf "$data" && mkdir -p "$data"
  file=$(winpath "$data")
  wine reg add "$key" /v ProductDir /d "${file%\\}" /f </dev/null >/dev/null 2>&1
  file="${file%\\}\\config.dat"
  start_and_wait "$dir"
  up=$?
  wine reg delete "$key" /f </dev/null >/dev/null 2>&1 # read at the start only
  ((up == 0)) || return
  expect_stored "settings in ProductDir" "$data/config.dat" 0 "$DEFAULT_RECORD"
  [[ -e $dir/config.dat ]] && fail_because "config.dat written beside the exe"
  # A program that only reads it, sharing it, is no obstacle; one that shares nothing is.
  (exec wine "$HV_DRIVER" hold "$file" 60000 read </dev/null >"$HV_TMP/read.out" 2>>"$HV_TMP/wine.log") &
  holder=$!
  eventually 40 grep -q held "$HV_TMP/read.out" || fail_because "could not read $file: '$(cat "$HV_TMP/read.out")'"
  act click 1023 && expect_stored "written while read" "$data/config.dat" 0 nj # Stundensignal
  act click 1023 && expect_stored "written back while read" "$data/config.dat" 0 nn
  expect "no message while read" "$(drv answer 1000)" "no message box"
  kill "$holder" && wait "$holder" 2>/dev/null
  (exec wine "$HV_DRIVER" hold "$file" 60000 </dev/null >"$HV_TMP/hold.out" 2>>"$HV_TMP/wine.log") &
  holder=$!
  # Wine may take long to start a process on a busy machine.
  eventually 40 grep -q held "$HV_TMP/hold.out" || fail_because "could not hold $file: '$(cat "$HV_TMP/hold.out")'"
  # The driver doubles the backslashes of the texts it prints.
  held_message() { [[ $(drv answer 20000) == *"${file//\\/\\\\}"* ]] || fail_because "$1: no message naming $file"; }
  act click 1022 # Sound
  held_message Sound
  looks Horovant "Sound while held" "1022 check 1"
  act click 1005 # alarm 1's selector
  act settext 1006 6
  act click 1001 # Start
  held_message "alarm 1"
  expect "no further message" "$(drv answer 1000)" "no message box"
  kill "$holder"
  wait "$holder" 2>/dev/null
  expect_stored "bytes kept" "$data/config.dat" 0 "$DEFAULT_RECORD"
  act click 1022 # Sound, once the file is free
  expect_stored "written once free" "$data/config.dat" 30 ft
  close_by
  local at stored
  at=$(date -d '+12 hours' +%H%M%S) # never rings during the case
  stored="t${at}f000000f000000f000000tfWecken         ${LABELS:15}f000000000"
  printf '%s' "jj${stored}t" >"$data/config.dat"
  (exec wine "$HV_DRIVER" hold "$file" 60000 </dev/null >"$HV_TMP/hold.out" 2>>"$HV_TMP/wine.log") &
  holder=$!
  eventually 40 grep -q held "$HV_TMP/hold.out" || fail_because "could not hold $file at the start"
  wine reg add "$key" /v ProductDir /d "$(winpath "$data")" /f </dev/null >/dev/null 2>&1
  start_and_wait "$dir"
  up=$?
  kill "$holder" && wait "$holder" 2>/dev/null
  wine reg delete "$key" /f </dev/null >/dev/null 2>&1
  ((up == 0)) || return
  eventually 20 is 1040 check 0 || fail_because "the stored record did not come in once the file was free"
  looks Horovant "stored record" "window shown 1" "1012 text ${at:0:2}:${at:2:2}:${at:4:2}" "1023 check 1" "1025 check 1"
  act click 1041 # Beschriftung
  drv_expect "editor opens" found wait-window "$EDITOR" 20000
  act esc "$EDITOR"
  drv_expect "editor closes" gone wait-gone "$EDITOR" 20000
  for id in 1040 1022 1023 1025 1053; do act click "$id"; done # Daueralarm, Sound, Stundensignal, minimiert, Windows
  expect_stored "the stored record with the boxes toggled" "$data/config.dat" 0 "nn${stored:0:28}ft${stored:30}f"
  close_by
}

# A screen scaled to 150 % (144 DPI): the window is laid out larger, every
# caption still fits, and each label stands beside its selector and before
# its overview field.
case_scaled_screen() {
  local dir shot="$HV_TMP/dpi-shot.png"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f </dev/null >/dev/null 2>&1
  dir=$(install_dir Horovant-dpi)
  if start_and_wait "$dir"; then
    # shellcheck disable=SC2086
    drv_expect "captions that do not fit at 144 DPI" "all fit" fits Horovant $MAIN_SIZE
    in_place_soon "$shot" 9A2B2B 1 2 3 4 5 6
    act dpichanged Horovant 144 # as when moved to another screen: fonts made anew, none left over
    drv_expect "GDI objects after a change of screen" "3 1 0" gdi Horovant
    in_place_soon "$shot" 9A2B2B 1 2 3 4 5 6
    close_by esc Horovant
  fi
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f </dev/null >/dev/null 2>&1
}

# The release as a user meets it (when run.sh is given the release folder):
# the zip holds the build's files and LIESMICH.txt as written (UTF-8 with its
# byte order mark, CRLF); the installer package, built twice alike, installs
# for the user (files, a Start menu shortcut that starts the program, the
# "Apps" entry), is updated by a higher version that keeps the settings and
# the autostart, refuses a lower one, is removed (the settings file stays),
# and installs for the whole machine.
case_release_zip_and_installer() {
  [[ -n ${HV_RELEASE_DIR:-} ]] || { echo "e2e: no release folder given; release case not run" >&2; return; }
  local version msi new=$HV_TMP/new user dir lnk machine f v
  version=$("$E2E_DIR/../scripts/version.sh") msi=$HV_RELEASE_DIR/Horovant-$version.msi
  mkdir -p "$new" && unzip -qjo "${msi%.msi}.zip" -d "$new" || fail_because "the zip does not unpack"
  expect "the zip's entries" "$(unzip -Z1 "${msi%.msi}.zip" | tr '\n' ' ')" \
    "Horovant-$version/ $(printf "Horovant-$version/%s " Horovant.exe LIESMICH.txt alarm-sound.wav stunden-sound.wav)"
  for f in "$HV_WIN_BUILD"/{Horovant.exe,alarm-sound.wav,stunden-sound.wav} "$E2E_DIR/../res/LIESMICH.txt"; do
    cmp -s "$new/${f##*/}" "$f" || fail_because "the zip's ${f##*/} is not $f"
  done
  [[ $(head -c 3 "$new/LIESMICH.txt") == $'\xef\xbb\xbf' && $(grep -c $'\r$' "$new/LIESMICH.txt") == $(wc -l <"$new/LIESMICH.txt") ]] ||
    fail_because "LIESMICH.txt is not UTF-8 with its byte order mark and CRLF"
  echo >>"$new/Horovant.exe" # the higher version's exe, told apart by a byte
  for f in 1 2; do "$E2E_DIR/../scripts/msi.sh" "$new" "$new/$f.msi" 9.1 1700000000 >/dev/null; done
  cmp -s "$new/1.msi" "$new/2.msi" || fail_because "two builds of one package differ"
  user=$WINEPREFIX/drive_c/users/$(id -un) machine="$WINEPREFIX/drive_c/Program Files/Horovant/Horovant.exe"
  dir=$user/AppData/Local/Programs/Horovant lnk="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Horovant.lnk"
  msiexec_ok "per-user install" /i "$msi"
  for f in Horovant.exe alarm-sound.wav stunden-sound.wav LIESMICH.txt; do [[ -f $dir/$f ]] || fail_because "$f not installed"; done
  for v in "DisplayName=Horovant" "DisplayVersion=$(msi_property "$msi" ProductVersion)" "Publisher=Veltrano Software"; do
    apps_entry "$msi" | tr -d '\r' | sed 's/^ *\([A-Za-z]*\) *REG_[A-Z_]* *\(.*\)/\1=\2/' | grep -qxF "$v" || fail_because "Apps entry lacks $v"
  done
  from_shortcut "$lnk" || return
  act click 1053 && act click 1023 # mit Windows starten, Stundensignal
  run_value || fail_because "no Run value after the box"
  cp "$dir/config.dat" "$new/config.dat" || fail_because "no settings file beside the installed exe"
  close_by
  msiexec_ok "update" /i "$new/1.msi"
  cmp -s "$dir/Horovant.exe" "$new/Horovant.exe" || fail_because "the update left the old exe"
  cmp -s "$dir/config.dat" "$new/config.dat" || fail_because "the update changed the settings file"
  apps_entry "$msi" >/dev/null && fail_because "the old version's Apps entry stayed"
  from_shortcut "$lnk" || return
  run_value || fail_because "no Run value after the update and a start"
  close_by
  msiexec_ok "" /i "$msi" && fail_because "the lower version was installed over the higher"
  cmp -s "$dir/Horovant.exe" "$new/Horovant.exe" || fail_because "the refused lower version changed the exe"
  msiexec_ok "removal" /x "$new/1.msi"
  [[ -e $dir/Horovant.exe || -e $dir/alarm-sound.wav || -e $lnk ]] && fail_because "files or shortcut left after removal"
  apps_entry "$new/1.msi" >/dev/null && fail_because "Apps entry left after removal"
  run_value && fail_because "Run value left after removal"
  cmp -s "$dir/config.dat" "$new/config.dat" || fail_because "removal did not keep the settings file"
  msiexec_ok "per-machine install" /i "$msi" ALLUSERS=1 && [[ -f $machine ]] || fail_because "nothing in Program Files"
  msiexec_ok "per-machine removal" /x "$msi" ALLUSERS=1 && [[ ! -e $machine ]] || fail_because "per-machine removal left the exe"
}
# msiexec_ok <what> /i|/x <package> [property...]: quietly, without menu files
# in the Linux home; a failure is reported unless <what> is empty.
msiexec_ok() {
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" wine msiexec "$2" "$(winpath "$3")" "${@:4}" /qn \
    </dev/null >/dev/null 2>&1 || { [[ -n $1 ]] && fail_because "$1 failed"; return 1; }
}
msi_property() { msiinfo export "$1" Property | sed -n "s/^$2\t//p" | tr -d '\r'; }
# apps_entry <package>: its "Apps" entry, failing when there is none.
apps_entry() { wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(msi_property "$1" ProductCode)" </dev/null 2>/dev/null; }
run_value() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Horovant </dev/null >/dev/null 2>&1; }
from_shortcut() { wine start "$(winpath "$1")" </dev/null >/dev/null 2>&1 && drv_expect "the shortcut starts it" found wait-window Horovant 30000; }
