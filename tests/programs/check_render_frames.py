#!/usr/bin/env python3
"""End-to-end checks of the frames `lumivane-render` writes.

usage: check_render_frames.py LUMIVANE_RENDER BUILTIN_EARTH_MAP_BMP

- At scale 30 the built-in map is shown 1:1, so outside the two marker
  squares the frame must be exactly the day and night shading rules, which
  are recomputed here independently, applied to the map's own pixels.
- --map reads BMP files of 1, 4 (also RLE4), 8 (also RLE8), 24 and 32 bits
  and PNG, written here pixel by pixel, and shades what they hold.
- PNG to a file, PNG on standard output and BMP hold the same pixels.
- Failures exit 1 (I/O) or 2 (usage) with one line on stderr and leave no
  file behind; an output that is a FIFO or a directory is refused at once; a
  write cut short by a file size limit keeps the old file.
"""
import hashlib
import json
import math
import os
import pty
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib
from pathlib import Path

from picture_bytes import bmp_file, png_file, report

K = 0.017453292
NOON_2000 = 946728000


# --- Pictures: the few formats the checks write and read -------------------

def bitmap(width, height, bits, rows, palette=(), compression=0):
    """A BITMAPINFOHEADER bitmap; rows are top-down lists of palette indices
    (bits <= 8) or (r, g, b) tuples."""
    if compression == 1:
        data = rle8(rows)
    elif compression == 2:
        data = rle4(rows)
    else:
        data = b""
        for row in reversed(rows):
            if bits == 24:
                line = b"".join(bytes((b, g, r)) for r, g, b in row)
            elif bits == 32:
                line = b"".join(bytes((b, g, r, 0)) for r, g, b in row)
            else:
                value = 0
                for index in row:
                    value = value << bits | index
                pad = (-len(row) * bits) % 8
                line = (value << pad).to_bytes((len(row) * bits + pad) // 8, "big")
            data += line + b"\0" * (-len(line) % 4)
    return bmp_file(width, height, bits, compression, data, palette)


def runs(row):
    """(length, value) runs of at most 255 equal pixels along a row."""
    x = 0
    while x < len(row):
        run = 1
        while x + run < len(row) and run < 255 and row[x + run] == row[x]:
            run += 1
        yield run, row[x]
        x += run


def rle(rows, pack):
    """Encoded runs only, rows bottom-up, each ended by 0 0, then 0 1."""
    data = b""
    for row in reversed(rows):
        for run, value in runs(row):
            data += bytes((run, pack(value)))
        data += b"\0\0"
    return data + b"\0\1"


def rle8(rows):
    return rle(rows, lambda value: value)


def rle4(rows):
    """A run of n pixels alternates the two nibbles: both hold the value."""
    return rle(rows, lambda value: value << 4 | value)


def png(width, height, rows):
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    return png_file(width, height, zlib.compress(raw))


def read_bmp(data):
    """Top-down rows of (r, g, b): uncompressed 8 (palette), 24 or 32 bits
    and RLE8, as far as the checks need."""
    offset, = struct.unpack_from("<I", data, 10)
    size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    colours, = struct.unpack_from("<I", data, 46)
    palette_at = 14 + size
    if bits <= 8:
        count = colours or (1 << bits)
        palette = [tuple(reversed(data[palette_at + 4 * i:palette_at + 4 * i + 3]))
                   for i in range(count)]
    rows = []
    if compression == 1:
        indices = [[0] * width for _ in range(abs(height))]
        x, y, i = 0, 0, offset
        while True:
            n, v = data[i], data[i + 1]
            i += 2
            if n:
                for _ in range(n):
                    indices[y][x] = v
                    x += 1
            elif v == 0:
                x, y = 0, y + 1
            elif v == 1:
                break
            elif v == 2:
                x, y = x + data[i], y + data[i + 1]
                i += 2
            else:
                for k in range(v):
                    indices[y][x] = data[i + k]
                    x += 1
                i += v + (v & 1)
        rows = [[palette[c] for c in row] for row in reversed(indices)]
        return width, abs(height), rows
    stride = (width * bits + 31) // 32 * 4
    for r in range(abs(height)):
        line = data[offset + r * stride:offset + (r + 1) * stride]
        if bits == 24:
            row = [tuple(reversed(line[3 * x:3 * x + 3])) for x in range(width)]
        elif bits == 32:
            row = [tuple(reversed(line[4 * x:4 * x + 3])) for x in range(width)]
        elif bits == 8:
            row = [palette[line[x]] for x in range(width)]
        else:
            raise ValueError(f"unexpected {bits}-bit bitmap")
        rows.append(row)
    if height > 0:
        rows.reverse()
    return width, abs(height), rows


def read_png(data):
    """8-bit RGB or RGBA, not interlaced, every filter type."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat = 8, b""
    while at < len(data):
        length, = struct.unpack_from(">I", data, at)
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, (depth, colour)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    rows = []
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else b if pb <= pc else c
                line[i] = (line[i] + pred) & 0xFF
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return width, height, rows


# --- The shading rules, recomputed -----------------------------------------

def zenith_cosine(dec, sun_west, lat, west):
    a, b, p, q = dec * K, sun_west * K, lat * K, west * K
    return ((math.sin(q) * math.cos(p)) * (math.sin(b) * math.cos(a)) +
            (math.cos(q) * math.cos(p)) * (math.cos(b) * math.cos(a)) +
            math.sin(p) * math.sin(a))


def shade(rows, dec, sun_west, night_darkness):
    height, width = len(rows), len(rows[0])
    amount_rg = min(night_darkness * 340 // 100, 255)
    amount_b = night_darkness * 255 // 100
    out = []
    for y, row in enumerate(rows):
        lat = 90 - (y / height) * 180
        shaded = []
        for x, (r, g, b) in enumerate(row):
            z = zenith_cosine(dec, sun_west, lat, 180 - (x / width) * 360)
            if z < 0:
                o = math.pow(-z, 0.4)
                rg, bb = int(o * amount_rg), int(o * amount_b)
                shaded.append((max(r - rg, 0), max(g - rg, 0), max(b - bb, 0)))
            else:
                z2 = z * z
                z4 = z2 * z2
                o = z4 * z4 * z
                gain_rg, gain_b = int(16 * o), int(19 * o)
                shaded.append((min(r + gain_rg, 255), min(g + gain_rg, 255), min(b + gain_b, 255)))
        out.append(shaded)
    return out


def marker_square(width, height, dec, west, size):
    column = -int(((west - 180) * 0.002777777777777778) * width)
    row = -int(((dec - 90) * 0.005555555555555556) * height)
    left, top = column - size // 2, row - size // 2
    return left, top, left + size, top + size


# --- The checks ---------------------------------------------------------------

def run(binary, *args, limit=None):
    # A run that blocks (on a FIFO, say) fails here instead of hanging.
    command = [binary, *args] if limit is None else ["prlimit", limit, binary, *args]
    ignore_xfsz = lambda: signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    return subprocess.run(command, capture_output=True, timeout=30, preexec_fn=ignore_xfsz)


def main():
    binary, builtin_map = sys.argv[1], sys.argv[2]
    failures = []
    work = tempfile.mkdtemp(prefix="lumivane-render-")
    positions = json.loads(run(binary, "--positions", "--time", str(NOON_2000)).stdout)
    sun = positions["sun"]

    def expect(condition, message):
        if not condition:
            failures.append(message)

    def render(*args, time=NOON_2000):
        out = os.path.join(work, "frame.bmp")
        done = run(binary, "--time", str(time), *args, "-o", out)
        if done.returncode != 0:
            failures.append(f"{args}: exit {done.returncode} {done.stderr!r}")
            return None
        return read_bmp(Path(out).read_bytes())

    # The built-in map at scale 30: the shading rules outside the markers.
    _, _, map_rows = read_bmp(Path(builtin_map).read_bytes())
    frame = render()
    if frame:
        width, height, rows = frame
        expect((width, height) == (400, 200), f"built-in frame {width}x{height}")
        want = shade(map_rows, sun["declination"], sun["westLongitude"], 50)
        moon = positions["moon"]
        squares = [marker_square(400, 200, sun["declination"], sun["westLongitude"], 30),
                   marker_square(400, 200, moon["declination"], moon["westLongitude"], 15)]
        expect(squares == [(185, 110, 215, 140), (107, 98, 122, 113)], f"squares {squares}")
        wrong = [(x, y) for y in range(200) for x in range(400)
                 if not any(l <= x < r and t <= y < b for l, t, r, b in squares)
                 and rows[y][x] != want[y][x]]
        expect(not wrong, f"built-in frame differs from the shading at {wrong[:5]}")
        inside = sum(rows[y][x] != want[y][x] for y in range(110, 140) for x in range(185, 215))
        expect(inside > 100, "no sun marker drawn")

    # Without the new picture options every frame keeps its pixels exactly:
    # digests of the decoded rows as the renderer drew them before.
    before = {
        (): "dc5b8ddbb7a70417552b96e70e41d9c2d12ca1c4571e1385553b2054a59eb388",
        ("--scale", "45"): "2b7ebbf94f662ed998732105ec3993d57b1bcd8f394efb6cc88739bd6f7e181d",
        ("--sun-centered", "--night-filter", "80"):
            "bb6ebc943812b96f9860053ba39cbeb72fd5aa60acf3d35068bdc484cec2dab4",
        ("--scale", "7", "--no-moon"):
            "07c74056d536144be945f604b986d5824c9ccc843ef8dfa1de27074d98673699",
        ("--base-size", "1000x300", "--scale", "50"):
            "4ef6e60dc5260d7597c9a3f6da3f255882adf953115a4aa15b69189f475fda8a",
    }
    for args, digest in before.items():
        frame = render(*args, time=1798020180)
        if frame:
            got = hashlib.sha256(bytes(c for row in frame[2] for px in row for c in px)).hexdigest()
            expect(got == digest, f"{args}: the pixels changed")

    # A time series: every frame exactly the single run at its time.
    series = ["--size", "300x200", "--fit", "crop", "--twilight", "--time", str(NOON_2000)]
    done = run(binary, *series, "--frames", "3", "--step", "-5000",
               "-o", os.path.join(work, "series-%02d.bmp"))
    expect(done.returncode == 0 and not done.stderr, f"series: {done.stderr!r}")
    for i in range(3):
        single = os.path.join(work, "single.bmp")
        run(binary, *series[:-1], str(NOON_2000 - 5000 * i), "-o", single)
        expect(Path(single).read_bytes() == Path(work, f"series-{i:02d}.bmp").read_bytes(),
               f"series frame {i} differs from its single run")
        os.remove(os.path.join(work, f"series-{i:02d}.bmp"))
    os.remove(os.path.join(work, "single.bmp"))

    # --precise shades by the precise sun that --positions --precise reports.
    precise = json.loads(run(binary, "--positions", "--precise", "--time",
                             str(NOON_2000)).stdout)["sun"]
    frame = render("--precise", "--no-sun", "--no-moon")
    if frame:
        want = shade(map_rows, precise["declination"], precise["westLongitude"], 50)
        expect(frame[2] == want, "--precise frame differs from the shading of the precise sun")
        expect(want != shade(map_rows, sun["declination"], sun["westLongitude"], 50),
               "the precise sun shades like the mean one")

    # --map with every bitmap depth and PNG.
    width, height = 48, 24
    two = [(0, 0, 0), (255, 255, 255)]
    sixteen = [(17 * i, 255 - 17 * i, (40 * i) % 256) for i in range(16)]
    many = [(i, (3 * i) % 256, 255 - i) for i in range(256)]

    def indices(count):
        return [[(x * 7 + y * 3 + x * y) % count for x in range(width)] for y in range(height)]

    cases = {
        "1-bit.bmp": (bitmap(width, height, 1, indices(2), two), indices(2), two),
        "4-bit.bmp": (bitmap(width, height, 4, indices(16), sixteen), indices(16), sixteen),
        "4-bit-rle.bmp": (bitmap(width, height, 4, indices(16), sixteen, 2), indices(16), sixteen),
        "8-bit.bmp": (bitmap(width, height, 8, indices(256), many), indices(256), many),
        "8-bit-rle.bmp": (bitmap(width, height, 8, indices(256), many, 1), indices(256), many),
    }
    truecolour = [[((x * 5) % 256, (y * 9) % 256, (x * y) % 256) for x in range(width)]
                  for y in range(height)]
    cases["24-bit.bmp"] = (bitmap(width, height, 24, truecolour), None, None)
    cases["32-bit.bmp"] = (bitmap(width, height, 32, truecolour), None, None)
    cases["map.png"] = (png(width, height, truecolour), None, None)
    for name, (data, index_rows, palette) in cases.items():
        path = os.path.join(work, name)
        Path(path).write_bytes(data)
        pixels = ([[palette[i] for i in row] for row in index_rows] if index_rows
                  else truecolour)
        want = shade(pixels, sun["declination"], sun["westLongitude"], 73)
        got = render("--map", path, "--no-sun", "--no-moon", "--night-filter", "73")
        expect(got == (width, height, want), f"--map {name}: frame differs")

    # PNG file, PNG on standard output and BMP agree.
    png_path = os.path.join(work, "frame.png")
    done = run(binary, "--time", str(NOON_2000), "--scale", "45", "-o", png_path)
    piped = run(binary, "--time", str(NOON_2000), "--scale", "45", "-o", "-")
    as_bmp = render("--scale", "45")
    expect(done.returncode == 0 and piped.returncode == 0, "PNG runs failed")
    if done.returncode == 0 and piped.returncode == 0 and as_bmp:
        expect(read_png(Path(png_path).read_bytes()) == as_bmp, "PNG file differs from BMP")
        expect(read_png(piped.stdout) == as_bmp, "PNG on standard output differs from BMP")
        expect(as_bmp[:2] == (600, 300), f"scale 45 gave {as_bmp[:2]}")

    # A reader that closes the pipe early (head) ends the run quietly.
    for args in (["--size", "4000x2000"], ["--size", "4000x2000", "--sun-centered"]):
        reading = subprocess.Popen([binary, "--time", str(NOON_2000), *args, "-o", "-"],
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        reading.stdout.read(100)
        reading.stdout.close()
        stderr = reading.stderr.read()
        reading.wait(timeout=30)
        expect(reading.returncode == 0 and not stderr,
               f"{args} into a pipe closed early: exit {reading.returncode} {stderr!r}")

    # Failures: the right exit code, one line on stderr, no file left.
    target = os.path.join(work, "failed.png")
    garbage = os.path.join(work, "garbage.bmp")
    Path(garbage).write_bytes(b"BM not a bitmap at all")
    fifo = os.path.join(work, "pipe.png")
    os.mkfifo(fifo)
    os.mkdir(work + "/dir.png")
    failing = [
        (["-o", fifo], 1),
        (["-o", work + "/dir.png"], 1),
        (["--map", os.path.join(work, "missing.bmp"), "-o", target], 1),
        (["--map", garbage, "-o", target], 1),
        (["--map", work, "-o", target], 1),
        (["-o", os.path.join(work, "no such dir", "x.png")], 1),
        (["-o", work + "/"], 2),
        (["--scale", "0", "-o", target], 2),
        (["--night-filter", "x", "-o", target], 2),
        (["--base-size", "99999x99999", "-o", target], 2),
        (["--size", "16385x100", "-o", target], 2),
        (["--size", "100x100", "--fit", "zoom", "-o", target], 2),
        (["--size", "100x100", "--background", "12345g", "-o", target], 2),
        (["--frames", "0", "--step", "60", "-o", target], 2),
        (["--frames", "2", "--step", "60", "-o", target], 2),
        (["--frames", "2", "--step", "9223372036854775807", "-o", work + "/f%d.png"], 2),
        (["--precise", "--time", "0999-12-31T23:59:59Z", "-o", target], 2),
        (["--night-map", os.path.join(work, "missing.png"), "-o", target], 1),
        (["--scale", "30"], 2),
    ]
    for args, code in failing:
        done = run(binary, *args)
        lines = done.stderr.decode().strip().splitlines()
        expect(done.returncode == code and len(lines) == 1 and not done.stdout,
               f"{args}: exit {done.returncode}, stderr {done.stderr!r}")
    expect(not os.path.exists(target), "a failed run left its output file")
    made = set(cases) | {"frame.bmp", "frame.png", "garbage.bmp", "config", "pipe.png", "dir.png"}
    leftovers = set(os.listdir(work)) - made
    expect(not leftovers, f"files left behind: {leftovers}")

    # --settings reads this user's stored settings and never writes them.
    config = os.path.join(work, "config")
    os.makedirs(os.path.join(config, "Brevanta"))
    ini = os.path.join(config, "Brevanta", "Lumivane.ini")
    stored = "[options]\nimage=/no/such/map.bmp\nsun=0\n\n[size]\nscale=15\n"
    Path(ini).write_text(stored)
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    out = os.path.join(work, "frame.bmp")
    for args, size in ((["--settings"], (200, 100)), (["--settings", "--scale", "60"], (800, 400)),
                       ([], (400, 200))):
        done = subprocess.run([binary, "--time", str(NOON_2000), *args, "-o", out],
                              capture_output=True, env=env)
        want_err = (b"lumivane-render: cannot load the stored map '/no/such/map.bmp': not found;"
                    b" using the built-in map\n" if args else b"")
        expect(done.returncode == 0 and done.stderr == want_err,
               f"{args}: exit {done.returncode}, stderr {done.stderr!r}")
        if done.returncode == 0:
            expect(read_bmp(Path(out).read_bytes())[:2] == size, f"{args}: not {size}")
    expect(Path(ini).read_text() == stored, "--settings changed the stored settings")
    expect(os.listdir(os.path.join(config, "Brevanta")) == ["Lumivane.ini"], "settings files added")

    # An existing file survives a failed run untouched.
    Path(target).write_bytes(b"keep")
    run(binary, "--map", garbage, "-o", target)
    expect(Path(target).read_bytes() == b"keep", "a failed run changed the existing output")

    # A short write (a file size limit stands in for a full disk) fails with
    # one line and leaves the existing file as it was, in every format.
    for name in ("short.png", "short.bmp", "short.jpg"):
        path = os.path.join(work, name)
        Path(path).write_bytes(b"the old picture")
        done = run(binary, "--scale", "60", "-o", path, limit="--fsize=4096")
        lines = done.stderr.decode().strip().splitlines()
        expect(done.returncode == 1 and len(lines) == 1 and "File too large" in lines[0],
               f"{name} past the size limit: exit {done.returncode}, stderr {done.stderr!r}")
        expect(Path(path).read_bytes() == b"the old picture", f"{name}: the old file was changed")
        os.remove(path)
    leftovers = set(os.listdir(work)) - made - {"failed.png"}
    expect(not leftovers, f"files left behind after short writes: {leftovers}")

    # On a terminal the series shows its progress on one line; a failure
    # after it (here the folder goes away) starts on a line of its own.
    vanishing = os.path.join(work, "vanishing")
    os.mkdir(vanishing)
    controller, terminal = pty.openpty()
    running = subprocess.Popen([binary, "--time", str(NOON_2000), "--size", "1600x800", "--frames",
                                "500", "--step", "600", "-o", os.path.join(vanishing, "%03d.png")],
                               stderr=terminal)
    os.close(terminal)
    while not os.path.exists(os.path.join(vanishing, "001.png")) and running.poll() is None:
        time.sleep(0.001)
    shutil.rmtree(vanishing)
    shown = b""
    while True:
        try:
            chunk = os.read(controller, 4096)
        except OSError:  # the program has ended
            break
        if not chunk:
            break
        shown += chunk
    os.close(controller)
    running.wait(timeout=30)
    lines = shown.decode().replace("\r\n", "\n").split("\n")
    failure = [line for line in lines if "cannot write" in line]
    expect(running.returncode == 1 and len(failure) == 1 and
           failure[0].startswith("lumivane-render: cannot write"),
           f"a failure after the progress: exit {running.returncode}, {shown[-200:]!r}")

    # A signal that ends the run removes the temporary file of the picture
    # being written, in a single run and in a series, and still ends it.
    interrupted = os.path.join(work, "interrupted")
    os.mkdir(interrupted)
    endings = [(signal.SIGTERM, "big.png"), (signal.SIGHUP, "big.png"),
               (signal.SIGINT, "big.png"), (signal.SIGPIPE, "big.png"),
               (signal.SIGTERM, "series-%03d.png")]
    for ending, name in endings:
        size = ["--frames", "500", "--step", "600", "--size", "1600x800"] if "%" in name else [
            "--size", "16384x4096"]
        running = subprocess.Popen([binary, "--time", str(NOON_2000), *size, "-o",
                                    os.path.join(interrupted, name)], stderr=subprocess.PIPE)
        for _ in range(5000):
            if any(f.endswith(".tmp") for f in os.listdir(interrupted)) or running.poll():
                break
            time.sleep(0.001)
        running.send_signal(ending)
        running.wait(timeout=60)
        running.stderr.close()
        left = [f for f in os.listdir(interrupted) if f.startswith(".")]
        expect(running.returncode == -ending and not left,
               f"{ending.name} during {name}: exit {running.returncode}, left {left}")
        shutil.rmtree(interrupted)
        os.mkdir(interrupted)
    os.rmdir(interrupted)

    # A process limit refuses threads: the work goes to those granted, down
    # to the calling thread alone, with the same bytes. Root is exempt from
    # the limit, so root runs these as nobody.
    as_user = (["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
               if os.geteuid() == 0 else [])
    os.chmod(work, 0o777)
    # The leak checker needs a thread of its own at exit, which the limit
    # refuses; a sanitized build checks leaks in every other run.
    limited_env = dict(os.environ)
    if os.environ.get("LUMIVANE_SANITIZED") == "1":
        limited_env["ASAN_OPTIONS"] = "detect_leaks=0"
    limited_runs = [["--size", "700x500", "--fit", "crop", "--map", builtin_map],
                    ["--sun-centered", "--scale", "45"],
                    ["--frames", "3", "--step", "3600", "--size", "300x200"]]
    for args in limited_runs:
        name = "limited-%d.png" if "--frames" in args else "limited.png"
        free = run(binary, "--time", str(NOON_2000), *args, "-o", os.path.join(work, "free-" + name))
        for threads in ("1", "2"):
            done = subprocess.run(as_user + ["prlimit", "--nproc=" + threads, binary, "--time",
                                             str(NOON_2000), *args, "-o", os.path.join(work, name)],
                                  capture_output=True, timeout=60, env=limited_env)
            expect(free.returncode == 0 and done.returncode == 0 and not done.stderr,
                   f"{args} with {threads} process(es): exit {done.returncode} {done.stderr!r}")
            for frame in (name % i for i in range(3)) if "%" in name else [name]:
                same = os.path.exists(os.path.join(work, frame)) and Path(work, frame).read_bytes(
                    ) == Path(work, "free-" + frame).read_bytes()
                expect(same, f"{args} with {threads} process(es): {frame} differs")
    for name in os.listdir(work):
        if "limited" in name:
            os.remove(os.path.join(work, name))

    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
