#!/usr/bin/env bash
# The Linux program's settings in hostile surroundings, run for real on a
# virtual display: each ending signal saves the window's place, also with
# standard error closed and a message box open, an unusable temporary folder
# or a renamed program file; a Wayland choice runs on XWayland, a screen the
# server lacks gives one line; the X server going away still saves.
#
# Usage: session_end_test.sh path/to/Lumivane
# Needs: Xvfb openbox xdotool xwininfo (x11-utils).
set -euo pipefail

program=$(realpath "$1")
# shellcheck source=desktop_session.sh
source "$(dirname "$0")/desktop_session.sh"
ini="$work/config/Brevanta/Lumivane.ini"
stored='; mine
[position]
x=200
y=150
[options]
sun=0'

program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
# A window of the program's: the map, or a message box before it.
program_window() { xwininfo -root -tree | grep -q '"Lumivane": ('; }

# One start in the given surroundings, ended by a signal: the file keeps
# what it held and gains the place saved at the end.
run_case() {
  local what=$1 signal=$2 image=$3 binary=$4
  shift 4
  printf '%s\n' "$stored" > "$ini"
  [ -n "$image" ] && printf 'image=%s\n' "$image" >> "$ini"
  env "$@" "$binary" >"$work/program.log" 2>&1 2>&- &
  program_pid=$!
  pids+=("$program_pid")
  wait_for program_window || fail "$what: no window"
  sleep 0.5
  kill "-$signal" "$program_pid"
  wait_for program_ended || fail "$what: SIG$signal did not end the program"
  wait "$program_pid" 2>/dev/null || true
  grep -q '^; mine$' "$ini" && grep -q '^sun=0$' "$ini" && grep -q '^\[anchor\]$' "$ini" \
    && grep -q '^x=200$' "$ini" || fail "$what: settings now $(tr '\n' ' ' < "$ini")"
  echo "ok: $what"
}

start_display
touch "$work/a-file"
cp "$program" "$work/lumivane-1.0.0-x86_64.AppImage"
run_case "SIGTERM" TERM "" "$program"
run_case "SIGHUP, standard error closed, a map that cannot load" HUP /no/such/map.bmp "$program"
run_case "SIGINT, TMPDIR a file" INT "" "$program" TMPDIR="$work/a-file"
run_case "SIGQUIT, a renamed program file" QUIT "" "$work/lumivane-1.0.0-x86_64.AppImage"
run_case "SIGTERM, Wayland chosen" TERM "" "$program" QT_QPA_PLATFORM=wayland
if mkdir "$work/full" && mount -t tmpfs -o size=4k tmpfs "$work/full" 2>/dev/null; then
  head -c 4096 /dev/zero > "$work/full/filler" 2>/dev/null || true
  run_case "SIGTERM, TMPDIR full" TERM "" "$program" TMPDIR="$work/full"
  umount "$work/full"
fi

# A screen the server lacks: one line and exit 1, no abort.
status=0
DISPLAY="$DISPLAY.5" "$program" >"$work/screen.log" 2>&1 || status=$?
[ "$status" = 1 ] && [ "$(wc -l < "$work/screen.log")" = 1 ] \
  || fail "screen 5: exit $status, $(cat "$work/screen.log")"
echo "ok: a missing screen"

# The X server goes away (the end of a session): the place is saved.
printf '%s\n' "$stored" > "$ini"
start_program
wait_for program_window || fail "no window before the display went"
sleep 0.5
kill "${pids[0]}"
wait_for program_ended || fail "the program outlived its display"
grep -q '^\[anchor\]$' "$ini" && grep -q '^; mine$' "$ini" \
  || fail "place not saved when the display went: $(tr '\n' ' ' < "$ini")"
echo "session end test passed"
