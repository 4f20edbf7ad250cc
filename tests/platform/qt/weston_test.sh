#!/usr/bin/env bash
# Runs the Linux program under weston (headless, with Xwayland): weston 10's
# desktop shell crashed, ending the session, when a dialog transient for the
# map window (a utility window) was mapped. The setup dialog opens and
# closes, weston runs on, and the map takes keys again afterwards.
#
# Input goes to the program's windows as sent events, so that no input device
# is needed.
#
# Usage: weston_test.sh path/to/Lumivane
# Needs: weston (its headless backend), Xwayland, xdotool, xwininfo (x11-utils).
set -euo pipefail

program=$(realpath "$1")
# shellcheck source=desktop_session.sh
source "$(dirname "$0")/desktop_session.sh"

weston_running() {
  kill -0 "$weston_pid" 2>/dev/null && ! grep -q zombie "/proc/$weston_pid/status"
}
weston_failed() {
  fail "$1; weston's log:
$(tail -n 20 "$work/weston.log" 2>/dev/null)"
}
# Weston's X server starts with the first X client, on the display weston
# names in its log.
weston_display() {
  sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null
}
weston_listening() { [ -n "$(weston_display)" ]; }
# A key sent to one window (XSendEvent). xdotool's complaint that weston's X
# server reports no focused window is noise.
send_key() {
  xdotool "$@" 2>"$work/xdotool.err" || fail "xdotool $*: $(cat "$work/xdotool.err")"
}
map_shown() { [ -n "$(map_window)" ]; }
# The program's top-level windows other than the map: the setup dialog.
setup_dialog() {
  xwininfo -root -tree | grep '"Lumivane": ("Lumivane" "Lumivane")' \
    | grep -vE '  400x200\+' | awk '{ print $1; exit }'
}
setup_dialog_viewable() {
  local dialog
  dialog=$(setup_dialog)
  [ -n "$dialog" ] && xwininfo -id "$dialog" | grep -q 'Map State: IsViewable'
}
# Ends the wait early when weston ends.
setup_dialog_viewable_unless_weston_ended() { ! weston_running || setup_dialog_viewable; }
setup_dialog_closed() { [ -z "$(setup_dialog)" ]; }

weston --backend=headless-backend.so --xwayland --no-config --socket="lumivane-test-$$" \
  --log="$work/weston.log" >"$work/weston.out" 2>&1 &
weston_pid=$!
pids+=("$weston_pid")
wait_for weston_listening || weston_failed "weston did not start"
DISPLAY=$(weston_display)
export DISPLAY

start_program
wait_for map_shown || fail "no map window"
map=$(map_window)

# Shift+F10 opens the setup dialog as a right click does.
send_key key --window "$map" shift+F10
wait_for setup_dialog_viewable_unless_weston_ended || true
weston_running || weston_failed "weston ended as the setup dialog opened"
setup_dialog_viewable || fail "no setup dialog"
# The shell takes the dialog on once Xwayland has shown it; give it time.
wait_for program_idle || fail "the program did not settle with the setup dialog open"
sleep 2
weston_running || weston_failed "weston ended with the setup dialog open"

# Only the press: the dialog has gone by the release.
send_key keydown --window "$(setup_dialog)" Escape
wait_for setup_dialog_closed || fail "Esc did not close the setup dialog"
weston_running || weston_failed "weston ended as the setup dialog closed"

# The map takes keys again: Esc ends the program.
send_key keydown --window "$map" Escape
wait_for program_ended || fail "Esc on the map did not end the program"
weston_running || weston_failed "weston ended with the program"
echo "weston test passed"
