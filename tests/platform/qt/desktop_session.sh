# Sourced by the scripts that run the Linux program on a virtual display:
# a scratch folder removed at exit with every process put in pids, fail()
# that shows the program's log, and wait_for() with a deadline a loaded
# machine can meet.
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

# Waits for a command to succeed, up to a minute: a loaded machine can take
# many seconds to start a program or to let the window manager catch up.
wait_for() {
  local deadline=$((SECONDS + 60))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
