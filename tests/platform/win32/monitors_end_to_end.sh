#!/usr/bin/env bash
# The real Lumivane.exe under wine64 on two monitors (Xephyr with Xinerama: a
# 1280 x 800 primary and a 1024 x 768 monitor to its right) with a window
# manager: a place stored on the second monitor is kept and a drag there
# snaps to that monitor's edges. Then on one monitor that shrinks: a display
# change keeps the window on its anchored edge.
# Usage: monitors_end_to_end.sh Lumivane.exe driver.exe [screenshot-dir]
# Needs WINEPREFIX (a prefix of its own), Xvfb, Xephyr, openbox and xrandr;
# skipped (77) without them.
set -euo pipefail
source "$(dirname "$0")/../../script_checks.sh"

program=$1
driver=$2
shots=${3:-}
wine=${WINE64:-/usr/lib/wine/wine64}
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

for tool in Xvfb Xephyr openbox xrandr; do
  if ! command -v "$tool" >/dev/null; then
    echo "no $tool: skipped"
    exit 77
  fi
done

app_key='HKCU\Software\Brevanta\Lumivane'
drive() { "$wine" "$driver" "$@" | tr -d '\r'; }
set_position() {
  "$wine" reg add "$app_key\\position" /v x /t REG_DWORD /d "$1" /f >/dev/null
  "$wine" reg add "$app_key\\position" /v y /t REG_DWORD /d "$2" /f >/dev/null
}
shot() {
  if [ -n "$shots" ] && command -v import >/dev/null; then
    import -window root "$shots/$1.png" 2>/dev/null || true
  fi
}

work=$(mktemp -d)
outer_display=${DISPLAY:-}
pids=()
program_pid=""
# Wine takes the monitors from the display its server started with: the
# prefix's server starts afresh on the two monitors, and at the end again on
# the display the other tests use.
restart_wine_on() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  DISPLAY=$1 "$wineserver" -p </dev/null >/dev/null 2>&1 || true
  DISPLAY=$1 "$wine" wineboot </dev/null >/dev/null 2>&1
}
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$outer_display" ]; then restart_wine_on "$outer_display"; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Waits up to a minute for a display number written by a server to FILE.
display_of() {
  for _ in $(seq 600); do
    [ -s "$1" ] && { echo ":$(head -n1 "$1")"; return 0; }
    sleep 0.1
  done
  return 1
}
Xvfb -displayfd 5 -screen 0 2400x900x24 -nolisten tcp 5>"$work/host" >/dev/null 2>&1 &
pids+=($!)
host=$(display_of "$work/host") || { echo "Xvfb did not start"; exit 1; }
# A nested display with these Xephyr options, a window manager on it, and
# Wine's server started afresh there.
monitors_pids=()
use_monitors() {
  for pid in "${monitors_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -f "$work/monitors"
  DISPLAY=$host Xephyr -displayfd 5 -nolisten tcp "$@" 5>"$work/monitors" >/dev/null 2>&1 &
  monitors_pids=($!)
  pids+=($!)
  DISPLAY=$(display_of "$work/monitors") || { echo "Xephyr did not start"; exit 1; }
  export DISPLAY
  openbox >/dev/null 2>&1 &
  monitors_pids+=($!)
  pids+=($!)
  restart_wine_on "$DISPLAY"
}

start_program() {
  "$wine" "$program" >/dev/null 2>&1 &
  program_pid=$!
}
stop_program() {  # Esc, then the process must end on its own
  drive esc || true
  if drive wait-gone; then
    wait "$program_pid" 2>/dev/null || true
  else
    expect "program ended after Esc" "running" "ended"
    kill "$program_pid" 2>/dev/null || true
  fi
  program_pid=""
}

# Two monitors side by side; RandR off, as with it Wine sees one monitor.
use_monitors +xinerama -extension RANDR -screen 1280x800 -origin 1280,0 -screen 1024x768
"$wine" reg delete "$app_key" /f >/dev/null 2>&1 || true
"$wine" reg add "$app_key\\options" /v tray /t REG_DWORD /d 0 /f >/dev/null
set_position 1500 100
start_program
expect "a place on the second monitor is kept" "$(drive rect)" "1500 100 1900 300"
expect "5 px short of the second's right and bottom edges snaps to them" \
  "$(drive drag 399 463)" "1904 568 2304 768"
shot monitors-corner
stop_program
expect "anchors stored" "$(reg_value "$app_key\\anchor" x) $(reg_value "$app_key\\anchor" y)" \
  "0x1 0x1"
start_program
expect "the next start keeps the second monitor's corner" "$(drive rect)" "1904 568 2304 768"
stop_program

# One monitor whose size changes under the window: anchored to the right,
# the window follows that edge when told the displays changed.
use_monitors -resizeable -screen 1280x800
"$wine" reg delete "$app_key\\anchor" /f >/dev/null 2>&1 || true
set_position 100 100
start_program
expect "dragged to the right edge" "$(drive drag 775 0)" "880 100 1280 300"
xrandr -s 1024x768 >/dev/null 2>&1
expect "the monitor shrank: on its right edge" "$(drive display-change 1024 768)" "624 100 1024 300"
stop_program

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all two-monitor checks passed"
