#!/usr/bin/env bash
# Runs the Linux program on a virtual X display scaled to 200 % and to 150 %
# and checks that the map is drawn in the screen's own pixels: the window
# covers its size times the scale, and its pixels are not its logical pixels
# blown up (then whole neighbouring columns and rows would repeat).
#
# Usage: hidpi_test.sh path/to/Lumivane [screenshot-folder]
# Needs: Xvfb openbox xwininfo (x11-utils) import convert (imagemagick) python3.
set -euo pipefail

program=$(realpath "$1")
shots=${2:-}
# shellcheck source=desktop_session.sh
source "$(dirname "$0")/desktop_session.sh"

start_display

# The share of neighbouring columns, and of rows, that are the same all
# through: about 1/2 for a picture doubled, 1/3 for one scaled by 1.5.
repeated_lines() {
  convert "$1" -depth 8 "$work/window.ppm"
  python3 - "$work/window.ppm" <<'PYTHON'
import sys
data = open(sys.argv[1], "rb").read()
fields = data.split(maxsplit=4)
width, height = int(fields[1]), int(fields[2])
pixels = fields[4]
rows = [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]
columns = [b"".join(row[x * 3:x * 3 + 3] for row in rows) for x in range(width)]
def share(lines):
    return sum(a == b for a, b in zip(lines, lines[1:])) / (len(lines) - 1)
print(f"{share(columns):.3f} {share(rows):.3f}")
PYTHON
}

for scale in 2 1.5; do
  printf '[position]\nx=20\ny=10\n' > "$work/config/Brevanta/Lumivane.ini"
  QT_SCALE_FACTOR=$scale start_program
  size=$(python3 -c "print(f'{round(400 * $scale)}x{round(200 * $scale)}')")
  place=$(python3 -c "print(f'+{round(20 * $scale)}+{round(10 * $scale)}')")
  map_shown() { xwininfo -root -tree | grep -q "\"Lumivane\": (\"Lumivane\" \"Lumivane\")  $size+.*  $place\$"; }
  wait_for map_shown || fail "at scale $scale no $size map window at $place"
  # Drawn: many colours where the window is.
  map_painted() {
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$size$place" +repage "$work/map-$scale.png"
    [ "$(convert "$work/map-$scale.png" -unique-colors -format '%w' info:)" -gt 50 ]
  }
  wait_for map_painted || fail "at scale $scale the map shows no picture"
  [ -n "$shots" ] && cp "$work/map-$scale.png" "$shots/lumivane-hidpi-$scale.png"
  read -r columns rows <<<"$(repeated_lines "$work/map-$scale.png")"
  echo "scale $scale: repeated neighbouring columns $columns, rows $rows"
  python3 -c "import sys; sys.exit(0 if $columns < 0.2 and $rows < 0.2 else 1)" \
    || fail "at scale $scale the map repeats its columns ($columns) or rows ($rows)"
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
done
echo "hidpi test passed"
