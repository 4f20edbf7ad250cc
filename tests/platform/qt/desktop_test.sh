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
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/program.log" ] && sed "s/^/  program: /" "$work/program.log" >&2
  exit 1
}

# Waits up to 20 s for a command to succeed.
wait_for() {
  for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR

# Without any display: one line saying what is needed, and exit status 1.
status=0
env -u DISPLAY "$program" >"$work/no-display.out" 2>"$work/no-display.err" || status=$?
[ "$status" -eq 1 ] || fail "without a display the program ended with $status, not 1"
[ "$(wc -l <"$work/no-display.err")" -eq 1 ] && grep -q "X11 display" "$work/no-display.err" \
  || fail "without a display it said: $(cat "$work/no-display.err")"

exec 5> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
wait_for test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
wait_for sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q \"window id\"" || fail "openbox did not start"

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
map_window() {
  xwininfo -root -tree | awk '/"Lumivane": \("Lumivane" "Lumivane"\)  400x200\+/ && !found++ { print $1 }'
}
has_map_window() { [ -n "$(map_window)" ]; }
wait_for has_map_window || fail "no map window"
map=$(map_window)

# A tool window: never in a taskbar or a pager.
states=$(xprop -id "$map" _NET_WM_STATE)
case "$states" in
  *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER* | *_NET_WM_STATE_SKIP_PAGER*_NET_WM_STATE_SKIP_TASKBAR*) ;;
  *) fail "map window states: $states" ;;
esac

# The notification area starts after the program: the icon docks there.
trayer --edge bottom --align right --widthtype pixel --width 100 --height 24 \
  --tint 0xdcdad5 --transparent false >/dev/null 2>&1 &
pids+=($!)
icon_place() {
  xwininfo -root -tree \
    | awk '/"Lumivane": \("Lumivane" "Lumivane"\)  2[24]x2[24]\+/ && !found++ { print $NF }' \
    | sed -E 's/^\+(-?[0-9]+)\+(-?[0-9]+)$/\1 \2/'
}
icon_docked() { [ -n "$(icon_place)" ]; }
wait_for icon_docked || fail "the icon did not dock in a tray started later"
read -r icon_x icon_y <<<"$(icon_place)"
# The icon reads the tray's background again 3 s after docking.
sleep 4

# Its transparent corner shows the panel beside it.
import -window root "$work/tray.png"
[ -n "$shots" ] && convert "$work/tray.png" -crop 100x24+1180+776 +repage "$shots/lumivane-tray.png"
pixel() { convert "$work/tray.png" -format "%[pixel:p{$1,$2}]" info:; }
corner=$(pixel "$icon_x" "$icon_y")
panel=$(pixel $((icon_x - 4)) $((icon_y + 10)))
[ "$corner" = "$panel" ] || fail "icon corner $corner on a panel of $panel"

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
cover_shown() { xwininfo -root -tree | grep -q '"xmessage": ("xmessage" "Xmessage")'; }
wait_for cover_shown || fail "no covering window"
sleep 0.5
map_above_cover && fail "the map is not covered to begin with"
xdotool mousemove $((icon_x + 11)) $((icon_y + 11))
wait_for map_above_cover || fail "a hover on the icon did not raise the map"
echo "desktop test passed"
