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

# Xvfb on a free display number, chosen by the server itself, and openbox.
start_display() {
  exec 5> "$work/display"
  Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  wait_for test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/display")"
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
