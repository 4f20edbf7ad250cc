#!/usr/bin/env bash
# Runs the Linux program as a user would, on a virtual X display with a
# window manager: the map window appears without a frame at its stored place
# and shows a picture, a drag moves it, a right click opens the setup dialog,
# Esc closes that and, on the map, ends the program after saving where the
# window was; a second start meanwhile ends at once.
#
# Usage: smoke_test.sh path/to/Lumivane [screenshot-folder]
# Needs: Xvfb openbox xdotool xwininfo (x11-utils) convert (imagemagick).
set -euo pipefail

program=$(realpath "$1")
shots=${2:-}
# shellcheck source=desktop_session.sh
source "$(dirname "$0")/desktop_session.sh"

# Checks for wait_for, evaluated afresh at every try.
# The setup dialog: a window of the program's other than the map (and other
# than a tray icon, should a tray be running).
setup_dialog_open() {
  xwininfo -root -tree | grep '"Lumivane": ("Lumivane" "Lumivane")' \
    | grep -qvE '  (400x200|22x22|24x24)\+'
}
setup_dialog_closed() { ! setup_dialog_open; }
# The window that has the keyboard: Esc must go where the test means it.
setup_dialog_focused() {
  local focused
  focused=$(xdotool getwindowfocus) || return 1
  xwininfo -root -tree | grep '"Lumivane": ("Lumivane" "Lumivane")' \
    | grep -vE '  (400x200|22x22|24x24)\+' | awk '{ print $1 }' \
    | while read -r id; do [ "$((id))" = "$focused" ] && echo yes; done | grep -q yes
}
# The map shows a picture: many colours where the window is.
map_painted() {
  import -window root "$work/map.png"
  colours=$(convert "$work/map.png" -crop 400x200+200+150 +repage -unique-colors -format '%w' info:)
  [ "$colours" -gt 50 ]
}

printf '[position]\nx=200\ny=150\n' > "$work/config/Brevanta/Lumivane.ini"
start_display
start_program
wait_for map_window_at "200 150" \
  || fail "no 400x200 map window at the stored 200 150: $(window_position Lumivane 400x200)"
map=$(map_window)

# The map: many colours, no window-manager frame around it.
colours=0
wait_for map_painted || fail "the map shows only $colours colours"
[ -n "$shots" ] && cp "$work/map.png" "$shots/lumivane-map.png"
frame=$(xprop -id "$map" _NET_FRAME_EXTENTS || true)
case "$frame" in *"0, 0, 0, 0"*|*"not found"*) ;; *) fail "window has a frame: $frame" ;; esac

# A second start ends at once and leaves the first alone.
timeout 60 "$program" || fail "the second start did not end cleanly"
kill -0 "$program_pid" || fail "the first instance ended"

# Drag by (150, 100): the first move only records where the drag began, so
# it must reach the program on its own (Qt merges moves that queue up).
xdotool mousemove 300 200 mousedown 1
xdotool mousemove 315 210
wait_for program_idle || fail "the program did not settle after the first move"
for step in $(seq 2 10); do xdotool mousemove $((300 + step * 15)) $((200 + step * 10)); sleep 0.05; done
xdotool mouseup 1
wait_for map_window_at "335 240" \
  || fail "dragged window at $(window_position Lumivane 400x200), not at 335 240"

# Right click: the setup dialog; Esc cancels it.
xdotool mousemove 500 300 click 3
wait_for setup_dialog_open \
  || fail "no setup dialog"
wait_for setup_dialog_focused || fail "the setup dialog did not get the keyboard"
import -window root "$work/setup.png"
[ -n "$shots" ] && cp "$work/setup.png" "$shots/lumivane-setup.png"
xdotool key Escape
wait_for setup_dialog_closed \
  || fail "Esc did not close the setup dialog"

# A click and Esc on the map end the program, which saved its place.
xdotool mousemove 500 300 click 1
wait_for map_focused || fail "a click did not give the map the keyboard"
xdotool key Escape
wait_for program_ended || fail "Esc did not end the program"
ini="$work/config/Brevanta/Lumivane.ini"
grep -q '^x=335$' "$ini" && grep -q '^y=240$' "$ini" || fail "placement not saved: $(cat "$ini")"
echo "smoke test passed"
