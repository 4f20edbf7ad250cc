#!/usr/bin/env bash
# Runs the Linux program on a virtual X display split into two monitors, a
# 1600 x 900 primary and a 1280 x 1024 monitor to its right, with a window
# manager, and checks that the window keeps to the monitor it is on: a stored
# place on the second monitor is kept, a drag there snaps to that monitor's
# own edges and the next start keeps it there, and when the monitor goes away
# the window comes back whole on the primary, on the same edges.
#
# Usage: monitors_test.sh path/to/Lumivane [screenshot-folder]
# Needs: Xvfb openbox xdotool xrandr (x11-xserver-utils) xwininfo (x11-utils)
#        import (imagemagick).
set -euo pipefail

program=$(realpath "$1")
shots=${2:-}
# shellcheck source=desktop_session.sh
source "$(dirname "$0")/desktop_session.sh"

ini="$work/config/Brevanta/Lumivane.ini"
# The value of KEY in [SECTION] of the settings file.
ini_value() {
  awk -v section="[$1]" -v key="$2" \
    '/^\[/ { in_section = $0 == section } in_section && index($0, key "=") == 1 { print substr($0, length(key) + 2) }' \
    "$ini"
}
shot() { [ -z "$shots" ] || import -window root "$shots/$1.png"; }
stop_with_esc() {
  xdotool mousemove "$1" "$2" click 1
  wait_for map_focused || fail "a click did not give the map the keyboard"
  xdotool key Escape
  wait_for program_ended || fail "Esc did not end the program"
}

# One screen split into two monitors; -noreset keeps them when the last
# client leaves.
start_display 2880x1024 -noreset
xrandr --setmonitor '*LEFT' 1600/423x900/238+0+0 screen >/dev/null
xrandr --setmonitor RIGHT 1280/338x1024/270+1600+0 none >/dev/null

# A place stored on the second monitor is kept.
printf '[position]\nx=2000\ny=300\n' > "$ini"
start_program
wait_for map_window_at "2000 300" \
  || fail "stored at 2000 300 on the second monitor, shown at $(window_position Lumivane 400x200)"
map=$(map_window)

# Dragged to 5 px short of the second monitor's right and bottom edges: it
# snaps to them. (The first move only records where the drag began.)
xdotool mousemove 2100 400 mousedown 1
xdotool mousemove 2110 410
wait_for program_idle || fail "the program did not settle after the first move"
for step in $(seq 1 10); do
  xdotool mousemove $((2110 + step * 475 / 10)) $((410 + step * 519 / 10))
  sleep 0.05
done
xdotool mouseup 1
wait_for map_window_at "2480 824" \
  || fail "dragged near the second monitor's corner, at $(window_position Lumivane 400x200)"
shot lumivane-monitors-corner
stop_with_esc 2600 900
[ "$(ini_value anchor x) $(ini_value anchor y)" = "1 1" ] \
  || fail "anchors stored: $(ini_value anchor x) $(ini_value anchor y), not 1 1"
[ "$(ini_value position x) $(ini_value position y)" = "2480 824" ] \
  || fail "position stored: $(ini_value position x) $(ini_value position y)"

# The next start keeps it in the second monitor's corner; when that monitor
# goes away, the window comes to the primary's bottom-right corner.
start_program
wait_for map_window_at "2480 824" \
  || fail "restarted at $(window_position Lumivane 400x200), not in the second monitor's corner"
map=$(map_window)
xrandr --delmonitor RIGHT >/dev/null
wait_for map_window_at "1200 700" \
  || fail "the second monitor gone, the window is at $(window_position Lumivane 400x200)"
shot lumivane-monitors-one-left
stop_with_esc 1300 800
[ "$(ini_value position x) $(ini_value position y)" = "1200 700" ] \
  || fail "after the monitor went away, stored $(ini_value position x) $(ini_value position y)"
echo "monitors test passed"
