#!/usr/bin/env bash
# Runs the Linux program on a virtual X display with a window manager and a
# notification area that starts after it, and checks what only a desktop
# shows: the map window stays out of taskbars and pagers, the icon docks when
# the tray appears late, its transparent corners show the panel, a hover on it
# raises the map, the program idles without waking, and without a display it
# says what it needs.
#
# Usage: desktop_test.sh path/to/Lumivane [screenshot-folder]
# Needs: Xvfb openbox trayer xdotool xwininfo xprop xmessage (x11-utils)
#        convert import (imagemagick).
set -euo pipefail

program=$(realpath "$1")
shots=${2:-}
# shellcheck source=desktop_session.sh
source "$(dirname "$0")/desktop_session.sh"

# Without any display: one line saying what is needed, and exit status 1.
status=0
env -u DISPLAY "$program" >"$work/no-display.out" 2>"$work/no-display.err" || status=$?
[ "$status" -eq 1 ] || fail "without a display the program ended with $status, not 1"
[ "$(wc -l <"$work/no-display.err")" -eq 1 ] && grep -q "X11 display" "$work/no-display.err" \
  || fail "without a display it said: $(cat "$work/no-display.err")"

start_display
start_program
has_map_window() { [ -n "$(map_window)" ]; }
wait_for has_map_window || fail "no map window"
map=$(map_window)

# A tool window: never in a taskbar or a pager. (The window exists before
# it is shown, and the states come with showing it.)
skips_taskbar_and_pager() {
  states=$(xprop -id "$map" _NET_WM_STATE)
  case "$states" in
    *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER* | *_NET_WM_STATE_SKIP_PAGER*_NET_WM_STATE_SKIP_TASKBAR*) ;;
    *) return 1 ;;
  esac
}
states=""
wait_for skips_taskbar_and_pager || fail "map window states: $states"

# The notification area starts after the program: the icon docks there.
trayer --edge bottom --align right --widthtype pixel --width 100 --height 24 \
  --tint 0xdcdad5 --transparent false >/dev/null 2>&1 &
pids+=($!)
icon_place() {
  xwininfo -root -tree \
    | awk '/"Lumivane": \("Lumivane" "Lumivane"\)  2[24]x2[24]\+/ && !found++ { print $NF }' \
    | sed -E 's/^\+(-?[0-9]+)\+(-?[0-9]+)$/\1 \2/'
}
# Docked: inside the panel in the bottom-right corner, not where the icon's
# window was made before the tray took it.
icon_docked() {
  local x y
  read -r x y <<<"$(icon_place)"
  [ -n "$y" ] && [ "$x" -ge 1180 ] && [ "$y" -ge 776 ]
}
wait_for icon_docked || fail "the icon did not dock in a tray started later"
read -r icon_x icon_y <<<"$(icon_place)"

# Its transparent corner shows the panel beside it (the icon reads the
# tray's background again 3 s after docking, when the panel has settled).
pixel() { convert "$work/tray.png" -format "%[pixel:p{$1,$2}]" info:; }
corner_shows_panel() {
  import -window root "$work/tray.png"
  corner=$(pixel "$icon_x" "$icon_y")
  panel=$(pixel $((icon_x - 4)) $((icon_y + 10)))
  [ "$corner" = "$panel" ]
}
sleep 4
corner="" panel=""
wait_for corner_shows_panel || fail "icon corner $corner on a panel of $panel"
[ -n "$shots" ] && convert "$work/tray.png" -crop 100x24+1180+776 +repage "$shots/lumivane-tray.png"

# Idle with the icon shown: the program sleeps between its refreshes.
xdotool mousemove 640 400
sleep 1
switches() { cat /proc/"$program_pid"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
before=$(switches)
sleep 30
wakeups=$(( $(switches) - before ))
echo "idle wakeups over 30 s with the tray icon shown: $wakeups"
[ "$wakeups" -le 30 ] || fail "$wakeups wakeups in 30 s of idle"

# A hover on the icon raises the map above a window that covers it.
xmessage -geometry +20+20 "covering the map" >/dev/null 2>&1 &
pids+=($!)
# The stacking order lists the map, the covering window and the panel; the
# panel stays on top.
map_above_cover() {
  local order
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  local windows=($order)
  [ "${#windows[@]}" -ge 3 ] && [ "$((windows[${#windows[@]} - 2]))" = "$((map))" ]
}
# The window manager has stacked the covering window right under the panel.
cover_stacked() {
  local cover order
  cover=$(xwininfo -root -tree | awk '/"xmessage": \("xmessage" "Xmessage"\)/ && !found++ { print $1 }')
  [ -n "$cover" ] || return 1
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  local windows=($order)
  [ "${#windows[@]}" -ge 3 ] && [ "$((windows[${#windows[@]} - 2]))" = "$((cover))" ]
}
wait_for cover_stacked || fail "the covering window is not above the map"
xdotool mousemove $((icon_x + 11)) $((icon_y + 11))
wait_for map_above_cover || fail "a hover on the icon did not raise the map"
echo "desktop test passed"
