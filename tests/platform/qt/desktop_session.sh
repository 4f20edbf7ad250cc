# Sourced by the scripts that run the Linux program on a virtual display:
# a scratch folder removed at exit with every process put in pids, fail()
# that shows the program's log, wait_for() with a deadline a loaded machine
# can meet, and the session's pieces: settings and runtime folders of its
# own, the display with its window manager, and the program.
work=$(mktemp -d)
mkdir -p "$work/config/Brevanta" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_AUTO_SCREEN_SCALE_FACTOR \
  QT_SCREEN_SCALE_FACTORS
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # The program saves its settings when a signal ends it: the folder goes
  # once nothing writes there any more.
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/program.log" ] && sed "s/^/  program: /" "$work/program.log" >&2
  exit 1
}

# Waits for a command to succeed, up to a minute: a loaded machine can take
# many seconds to start a program or to let the window manager catch up.
wait_for() {
  local deadline=$((SECONDS + 60))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Xvfb on a free display number, chosen by the server itself. Optional: the
# screen's size (1280x800) and further server options.
start_display_server() {
  local size=${1:-1280x800}
  exec 5> "$work/display"
  Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp "${@:2}" >/dev/null 2>&1 &
  pids+=($!)
  wait_for test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/display")"
}

# The same with openbox.
start_display() {
  start_display_server "$@"
  openbox >/dev/null 2>&1 &
  pids+=($!)
  wait_for sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q \"window id\"" \
    || fail "openbox did not start"
}

# The program in the background, its output in program.log.
start_program() {
  "$program" >"$work/program.log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
}

# The id of the program's 400 x 200 map window, or nothing.
map_window() {
  xwininfo -root -tree | awk '/"Lumivane": \("Lumivane" "Lumivane"\)  400x200\+/ && !found++ { print $1 }'
}

# "X Y" on the screen of the top-level window with this name and size, or
# nothing.
window_position() {
  xwininfo -root -tree \
    | awk -v name="\"$1\":" -v size="$2" '$2 == name && index($0, "  " size "+") { print $NF; exit }' \
    | sed -E 's/^\+(-?[0-9]+)\+(-?[0-9]+)$/\1 \2/'
}

# For wait_for: the map window is at "X Y".
map_window_at() { [ "$(window_position Lumivane 400x200)" = "$1" ]; }
# For wait_for: the map window ($map) has the keyboard.
map_focused() {
  local focused
  focused=$(xdotool getwindowfocus) || return 1
  [ "$((map))" = "$focused" ]
}

# Every thread of the program asleep, three times in a row: it has handled
# all the input sent so far.
program_idle() {
  for _ in 1 2 3; do
    ! grep -h '^State:' /proc/"$program_pid"/task/*/status | grep -qv 'S (sleeping)' || return 1
    sleep 0.1
  done
}

program_ended() { ! kill -0 "$program_pid" 2>/dev/null || grep -q zombie "/proc/$program_pid/status"; }
