#!/usr/bin/env python3
"""lumivane-render against hostile maps and settings files.

Every run is capped at 2 GiB of address space: it must end by itself, exit 0
or 1, and a failure prints exactly one line naming the cause. The files are
made here: headers claiming huge sizes over a few bytes, special files,
truncated and run-length pictures (which must give the same frame on every
run, and pass valgrind where it is installed), settings files with serialised
objects, lists and stray quotes.
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

from picture_bytes import bmp_file, png_file, report

# A sanitized build reserves terabytes of shadow memory at start, which no
# address-space cap allows; there the sizes are still refused, only uncapped.
CAP = [] if os.environ.get("LUMIVANE_SANITIZED") == "1" else ["prlimit", "--as=2147483648", "--"]
NOON_2000 = "946728000"


def bitmap(width, height, bits, compression, pixels):
    palette = [(i % 256, i * 91 % 256, i * 37 % 256) for i in range(1 << bits if bits <= 8 else 0)]
    return bmp_file(width, height, bits, compression, pixels, palette, pixels_per_metre=0)


def with_jpeg_size(jpeg, width, height):
    """The JPEG with its frame header (SOF0) claiming another size."""
    at = jpeg.index(b"\xff\xc0")
    return jpeg[:at + 5] + struct.pack(">HH", height, width) + jpeg[at + 9:]


def run(binary, *args, env=None, wrap=CAP, timeout=120):
    try:
        return subprocess.run(wrap + [binary, "--time", NOON_2000, *args], capture_output=True,
                              env=env, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


def main():
    binary = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix="lumivane-hostile-")
    failures = []
    checked = 0

    def path(name, data=None):
        full = os.path.join(work, name)
        if data is not None:
            Path(full).write_bytes(data)
        return full

    out = path("frame.png")
    made = run(binary, "--scale", "3", "-o", path("small.jpg"), wrap=[])
    assert made.returncode == 0, made.stderr
    jpeg = Path(path("small.jpg")).read_bytes()
    zeros = zlib.compress(b"\0" * (3 * 20000 + 1) * 64, 9)  # 64 rows of a bomb
    os.mkfifo(path("fifo.bmp"))
    os.mkdir(path("folder.bmp"))
    os.symlink("loop.bmp", path("loop.bmp"))
    locked = path("locked.bmp", bitmap(4, 4, 24, 0, bytes(48)))
    os.chmod(locked, 0)
    rle8 = bitmap(16, 8, 8, 1, bytes([4, 1, 0, 2, 3, 1, 3, 2, 7, 0, 1]))  # a skip, an early end
    rle4 = bitmap(16, 8, 4, 2, bytes([5, 0x12, 0, 2, 2, 2, 4, 0x34, 0, 0, 6, 0x56, 0, 1]))
    truncated = {
        "cut-24.bmp": bitmap(16, 8, 24, 0, bytes(range(256)) * 1)[:-100],
        "cut-8.bmp": bitmap(16, 8, 8, 0, bytes(range(128)))[:-60],
        "cut.png": png_file(16, 8, zlib.compress(b"\0\x80" * 200))[:-30],
        "cut.jpg": jpeg[:len(jpeg) // 2],
        "rle8.bmp": rle8,
        "rle4.bmp": rle4,
    }

    # (what, map file, the cause on the one line; None: renders, or fails in
    # one line)
    too_large = "too large: 20000x20000 over the limit"
    not_a_picture = "not a picture Lumivane can read"
    maps = [
        ("RLE8 bitmap claiming 20000x20000", path("a.bmp", bitmap(20000, 20000, 8, 1, b"\0\1")),
         too_large),
        ("RLE4 bitmap claiming 20000x20000", path("b.bmp", bitmap(20000, 20000, 4, 2, b"\0\1")),
         too_large),
        ("1-bit bitmap claiming 20000x20000", path("c.bmp", bitmap(20000, 20000, 1, 0, b"")),
         too_large),
        ("PNG bomb claiming 20000x20000", path("d.png", png_file(20000, 20000, zeros)), too_large),
        ("JPEG header of 16385x16384", path("e.jpg", with_jpeg_size(jpeg, 16385, 16384)),
         "too large: 16385x16384 over the limit"),
        ("JPEG header of 16384x16384", path("f.jpg", with_jpeg_size(jpeg, 16384, 16384)), None),
        ("RLE8 bitmap claiming 16000x16000",
         path("g.bmp", bitmap(16000, 16000, 8, 1, b"\x05\x07\0\1")), None),
        ("a FIFO", path("fifo.bmp"), "not a regular file"),
        ("a folder", path("folder.bmp"), "not a regular file"),
        ("a device", "/dev/zero", "not a regular file"),
        ("a missing file", path("missing.bmp"), "not found"),
        ("a loop of symbolic links", path("loop.bmp"), "too many levels of symbolic links"),
        ("an empty file", path("empty.bmp", b""), not_a_picture),
    ] + [(f"truncated or run-length {name}", path(name, data), None)
         for name, data in truncated.items()]

    for what, map_path, cause in maps:
        done = run(binary, "--map", map_path, "-o", out)
        checked += 1
        if done is None:
            failures.append(f"{what}: still running after 120 s")
            continue
        lines = done.stderr.decode(errors="replace").splitlines()
        if cause is not None:
            want = f"lumivane-render: cannot read the map '{map_path}': {cause}"
            if done.returncode != 1 or lines != [want]:
                failures.append(f"{what}: exit {done.returncode}, stderr {lines}")
        elif not (done.returncode == 0 and not lines or done.returncode == 1 and len(lines) == 1):
            failures.append(f"{what}: exit {done.returncode}, stderr {lines}")

    # No read permission: root reads anything, so root runs this without the
    # capabilities that let it.
    wrap = CAP
    if os.geteuid() == 0:
        wrap = ["setpriv", "--bounding-set", "-dac_override,-dac_read_search", "--"] + CAP
    done = run(binary, "--map", locked, "-o", out, wrap=wrap)
    checked += 1
    lines = done.stderr.decode().splitlines() if done else []
    if not done or done.returncode != 1 or not lines or not lines[0].endswith(
            ": permission denied"):
        failures.append(f"unreadable map: {lines}")

    # A damaged picture gives the same frame every time, or always fails.
    valgrind = shutil.which("valgrind")
    for name in truncated:
        outcomes = set()
        for attempt in range(3):
            frame = path(f"frame-{attempt}.bmp")
            done = run(binary, "--map", path(name), "--no-sun", "--no-moon", "-o", frame)
            digest = hashlib.sha256(open(frame, "rb").read()).hexdigest() if (
                done and done.returncode == 0) else None
            outcomes.add((done.returncode if done else None, digest))
        checked += 1
        if len(outcomes) != 1:
            failures.append(f"{name}: differs from run to run: {outcomes}")
        if valgrind and name in ("cut-24.bmp", "rle8.bmp", "rle4.bmp"):
            done = run(binary, "--map", path(name), "-o", path("valgrind.bmp"),
                       wrap=[valgrind, "-q", "--error-exitcode=99"], timeout=300)
            checked += 1
            if done is None or done.returncode == 99:
                failures.append(f"{name}: valgrind: {done.stderr.decode()[-2000:] if done else 'hung'}")

    # Settings files: unreadable values read as the defaults, the rest stays.
    nested = b"\0\0\0\x09\0\0\0\0\x01" * 190000  # a list nested 190000 deep, 1.7 MB
    pixmap = b"\0\0\0\x7f\0\0\0\x08QPixmap\0\0\0\0\0\0\0\0\0"
    settings = [
        ("a deeply nested list", b"[size]\nscale=15\n[options]\nimage=@Variant(" + nested + b")\n"),
        ("a deeply nested number", b"[size]\nscale=@Variant(" + nested + b")\n"),
        ("a pixmap", b"[size]\nscale=15\n[options]\nimage=@Variant(" + pixmap + b")\n"),
        ("a stray quote", b"[options]\nimage=\"/maps/a.bmp\n[size]\nscale=15\n"),
        ("a list", b"[options]\nimage=/a.bmp, /b.bmp\n[size]\nscale=15\n"),
        ("binary junk", b"[size]\n\x01\xff\xfe\0\x80" + bytes(range(256)) + b"\nscale=15\n"),
    ]
    for what, contents in settings:
        config = os.path.join(work, "config")
        os.makedirs(os.path.join(config, "Brevanta"), exist_ok=True)
        Path(config, "Brevanta", "Lumivane.ini").write_bytes(contents)
        done = run(binary, "--settings", "-o", out, env=dict(os.environ, XDG_CONFIG_HOME=config))
        checked += 1
        if done is None or done.returncode != 0 or done.stderr:
            failures.append(f"--settings with {what}: "
                            f"{(done.returncode, done.stderr[-300:]) if done else 'hung'}")
        elif b"scale=15" in contents and struct.unpack(">II", open(out, "rb").read()[16:24]) != (
                200, 100):
            failures.append(f"--settings with {what}: the readable scale was not used")

    shutil.rmtree(work, ignore_errors=True)
    return report(failures, checked)


if __name__ == "__main__":
    sys.exit(main())
