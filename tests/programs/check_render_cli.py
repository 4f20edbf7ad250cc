#!/usr/bin/env python3
"""End-to-end checks of `lumivane-render --positions`, `--place` and `--find`.

The positions are recomputed here from the published formulas, independently
of the C++ code, at times spread over the whole 64-bit clock, and compared
with what the program prints. Bad command lines must exit 2 with one line on
stderr and nothing on stdout.
"""
import json
import math
import random
import subprocess
import sys

from picture_bytes import report

K = 0.017453292
R = 57.29578121995553


def fold(a, per, whole, half):
    q = a * per
    b = (q - math.floor(q)) * whole
    return b - whole if b > half else b


def norm_lat(a):
    return fold(a, 0.005555555555555556, 180, 90)


def norm_lon(a):
    return fold(a, 0.002777777777777778, 360, 180)


def positions(clock):
    t = float(clock)
    T = (t * 1.1574074074074073e-05 - 10957.5) * 2.7378507871321012e-05
    L0 = (0.0003032 * T + 36000.76983) * T + 280.46645
    M = 357.5291 + 35999.0503 * T - 0.0001559 * T * T - 4.8e-07 * T * T * T
    EC = ((1.9146 - 0.004817 * T - 0.000014 * T * T) * math.sin(M * K)
          + (0.019993 - 0.000101 * T) * math.sin(M * 0.034906584)
          + 0.00029 * math.sin(M * 0.052359876))
    lam = (EC + L0) * K
    ce, se = math.cos(0.40910498994708), math.sin(0.40910498994708)
    sd = se * math.sin(lam)
    cd = math.sqrt(1 - sd * sd)
    dec = math.atan2(sd, cd) * R
    ra = 2 * math.atan2(ce * math.sin(lam), cd + math.cos(lam)) * R
    west = (math.fmod(t, 86400) % 86400 - 43200) * 0.004166666
    d = T * 36525
    N = 125.1228 - 0.0529538083 * d
    w = 318.00634 + 0.1643573223 * d
    Mm = 115.3654 + 13.0649929509 * d
    E = Mm + 3.1455383889755586 * math.sin(Mm * K) * (1 + 0.0549 * math.cos(Mm * K))
    xv = 60.2666 * (math.cos(E * K) - 0.0549)
    yv = 60.2666 * math.sqrt(0.99698599) * math.sin(E * K)
    v = math.atan2(yv, xv) * R
    r = math.hypot(xv, yv)
    u, n, i = (v + w) * K, N * K, 0.0898041686568
    xh = r * (math.cos(n) * math.cos(u) - math.sin(n) * math.sin(u) * math.cos(i))
    yh = r * (math.sin(n) * math.cos(u) + math.cos(n) * math.sin(u) * math.cos(i))
    zh = r * math.sin(u) * math.sin(i)
    ye, ze = yh * ce - zh * se, yh * se + zh * ce
    am = math.atan2(ye, xh) * R
    dm = math.atan2(ze, math.hypot(xh, ye)) * R
    sun = {"declination": norm_lat(dec), "westLongitude": west, "rightAscension": ra}
    moon = {"declination": norm_lat(dm), "westLongitude": norm_lon(west + ra - am)}
    V = west - moon["westLongitude"]
    if V > 180:
        V -= 360
    elif V < -180:
        V += 360
    phase = ("Full" if V < -135 else "LastQuarter" if V < -45 else "New" if V < 45
             else "FirstQuarter" if V < 135 else "Full")
    return sun, moon, phase


def angle_gap(a, b):
    return abs((a - b + 180) % 360 - 180)


def run(binary, *args):
    return subprocess.run([binary, *args], capture_output=True, text=True,
                          errors="surrogateescape")


def main():
    binary = sys.argv[1]
    failures = []
    rng = random.Random(20261207)
    clocks = [0, -1, 946728000, 2147483647, 2147483648, -2147483649,
              -9223372036854775808, 9223372036854775807]
    clocks += [rng.randint(-2208988800, 4102444800) for _ in range(150)]
    clocks += [rng.randint(-(1 << 62), 1 << 62) for _ in range(20)]
    checked = 0
    for clock in clocks:
        done = run(binary, "--positions", "--time", str(clock))
        if done.returncode != 0:
            failures.append(f"{clock}: exit {done.returncode} {done.stderr}")
            continue
        got = json.loads(done.stdout)
        sun, moon, phase = positions(clock)
        # Far from our era the angles are huge before folding, and a last-bit
        # difference in libm arguments grows; within centuries it must agree.
        tol = 1e-9 if abs(clock) < 1e11 else 1e-3
        if got["time"] != clock:
            failures.append(f"{clock}: time {got['time']}")
        for body, wanted in (("sun", sun), ("moon", moon)):
            for key, want in wanted.items():
                if angle_gap(got[body][key], want) > tol:
                    failures.append(f"{clock}: {body} {key} {got[body][key]!r} != {want!r}")
        if abs(clock) < 1e11 and got["phase"] != phase:
            failures.append(f"{clock}: phase {got['phase']} != {phase}")
        checked += 1

    # Values echoed with control characters and bytes that are not UTF-8
    # escaped: one line, nothing for the terminal to act on.
    bad_lines = [["--time", "abc", "--positions"], ["--positions", "--time"],
                 ["--positions", "--time", "9223372036854775808"], ["--bogus"], [],
                 ["--time", "1\n\x1b[2J\udcff", "--positions"], ["--bogus\r\x9b", "-o", "a.png"],
                 ["-o", "a\nb.gif"], ["--frames", "2", "--step", "1", "-o", "\x1b]0;x\x07.png"],
                 ["--place", "91,0"], ["--place", "1;2"], ["--place"], ["--find", ""],
                 ["--place", "1,2", "--scale", "30"], ["--find", "x", "--precise"]]
    for args in bad_lines:
        done = run(binary, *args)
        lines = done.stderr.strip().splitlines()
        if (done.returncode != 2 or len(lines) != 1 or done.stdout or
                any(c < " " or "\x7f" <= c <= "\x9f" or "\udc80" <= c <= "\udcff"
                    for c in done.stderr.rstrip("\n"))):
            failures.append(f"{args}: exit {done.returncode}, stderr {done.stderr!r}")
        checked += 1
    # The mean sun crosses Greenwich at 12:00:00 UTC (Blackheath is the listed
    # town nearest to the observatory); Sydney keeps daylight saving time
    # (+11:00) from October to April; no town within 100 km of 0,0.
    places = [(["--place", "51.48,0", "--time", "2026-12-08T20:00:00Z"],
               {"state": "night", "solarNoon": "2026-12-08T12:00:00Z", "polar": None},
               {"name": "Blackheath", "country": "GB", "zone": "Europe/London",
                "localTime": "2026-12-08T20:00:00+00:00"}),
              (["--place", "-33.87,151.21", "--time", "2026-12-08T02:04:05Z", "--precise"],
               {"state": "day", "polar": None},
               {"name": "Sydney", "country": "AU", "zone": "Australia/Sydney",
                "localTime": "2026-12-08T13:04:05+11:00"}),
              (["--place", "0,0", "--time", "2026-12-08"], {"state": "night"}, None)]
    for args, wanted, place in places:
        done = run(binary, *args)
        got = json.loads(done.stdout) if done.returncode == 0 else {}
        if any(got.get(k, "missing") != v for k, v in wanted.items()) or got.get("place") != place:
            failures.append(f"{args}: exit {done.returncode} {done.stdout} {done.stderr}")
        checked += 1
    found = run(binary, "--find", "ZURICH")
    if found.returncode != 0 or not found.stdout.startswith("Zürich\tCH\t47.36667,8.55000\t"
                                                           "Europe/Zurich\n"):
        failures.append(f"--find: exit {found.returncode} {found.stdout!r} {found.stderr}")
    checked += 1

    helped = run(binary, "--help")
    if helped.returncode != 0 or any(o not in helped.stdout
                                     for o in ("--positions", "--place", "--find")):
        failures.append("--help")

    return report(failures, checked)


if __name__ == "__main__":
    sys.exit(main())
