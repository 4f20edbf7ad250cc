#!/usr/bin/env bash
# Runs the Linux program under a window manager that places windows itself
# and ignores the program's own moves, as Wayland compositors do with X11
# programs: a drag cannot move the window, and Esc saves the place the window
# really has, not the one the drag asked for.
#
# Usage: placing_window_manager_test.sh path/to/Lumivane path/to/placing_window_manager
# Needs: Xvfb xdotool xwininfo (x11-utils).
set -euo pipefail

program=$(realpath "$1")
window_manager=$(realpath "$2")
# shellcheck source=desktop_session.sh
source "$(dirname "$0")/desktop_session.sh"

start_display_server
"$window_manager" >"$work/window-manager.log" 2>&1 &
pids+=($!)
wait_for grep -q ready "$work/window-manager.log" || fail "the window manager did not start"

ini="$work/config/Brevanta/Lumivane.ini"
printf '[position]\nx=300\ny=300\n' > "$ini"
start_program
wait_for map_window_at "100 100" \
  || fail "the window manager's place is 100 100, the map is at $(window_position Lumivane 400x200)"
map=$(map_window)

# A drag by (150, 100) that the window manager does not carry out.
xdotool mousemove 200 150 mousedown 1
xdotool mousemove 215 160
wait_for program_idle || fail "the program did not settle after the first move"
for step in $(seq 2 10); do xdotool mousemove $((200 + step * 15)) $((150 + step * 10)); sleep 0.05; done
xdotool mouseup 1
wait_for program_idle || fail "the program did not settle after the drag"
map_window_at "100 100" || fail "the window manager let the map move to $(window_position Lumivane 400x200)"

xdotool mousemove 300 200 click 1
wait_for map_focused || fail "a click did not give the map the keyboard"
xdotool key Escape
wait_for program_ended || fail "Esc did not end the program"
grep -q '^x=100$' "$ini" && grep -q '^y=100$' "$ini" \
  || fail "saved a place the window never had: $(tr '\n' ' ' <"$ini")"
echo "placing window manager test passed"
