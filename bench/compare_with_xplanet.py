#!/usr/bin/env python3
"""Whole-process comparisons: lumivane-render against xplanet rendering the
same day-and-night map, in alternating runs on one machine.

usage: compare_with_xplanet.py LUMIVANE_RENDER [RUNS]

Cases:
- 1333 x 666 PNG, one picture each;
- 3840 x 2160 PNG (--fit crop), and our JPEG against our PNG;
- a time series of 288 frames 300 s apart at 1333 x 666, per frame, against
  one xplanet run of that size.
Prints median wall time, CPU time and peak memory (the largest child's
resident set) of each, and the ratios.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def measured(command):
    """Wall seconds, CPU seconds and peak resident MiB of one run."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{command[0]} failed: {command}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024


def compare(name_a, command_a, name_b, command_b, runs, per_a=1):
    for command in (command_a, command_b):  # warm the caches
        measured(command)
    results = {name_a: [], name_b: []}
    for _ in range(runs):
        results[name_a].append(measured(command_a))
        results[name_b].append(measured(command_b))
    medians = {}
    for name, values in results.items():
        per = per_a if name == name_a else 1
        wall = statistics.median(v[0] for v in values) / per
        cpu = statistics.median(v[1] for v in values) / per
        peak = max(v[2] for v in values)
        medians[name] = (wall, cpu)
        print(f"  {name:34} wall {wall * 1000:8.1f} ms  cpu {cpu * 1000:8.1f} ms  "
              f"peak {peak:6.1f} MiB")
    (wall_a, cpu_a), (wall_b, cpu_b) = medians[name_a], medians[name_b]
    print(f"  {name_b} / {name_a}: wall {wall_b / wall_a:.2f}x, cpu {cpu_b / cpu_a:.2f}x")


def main():
    binary = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    if not shutil.which("xplanet"):
        sys.exit("xplanet is not installed (apt-get install xplanet)")
    work = tempfile.mkdtemp(prefix="lumivane-compare-")
    out = lambda name: os.path.join(work, name)

    def xplanet(size):
        return ["xplanet", "-projection", "rectangular", "-geometry", size, "-num_times", "1",
                "-output", out("xplanet.png")]

    print("1333 x 666 PNG")
    compare("lumivane-render", [binary, "--scale", "100", "-o", out("a.png")],
            "xplanet", xplanet("1333x666"), runs)
    print("3840 x 2160 PNG")
    wallpaper = [binary, "--size", "3840x2160", "--fit", "crop", "-o"]
    compare("lumivane-render", wallpaper + [out("a.png")], "xplanet", xplanet("3840x2160"), runs)
    print("3840 x 2160: JPEG against PNG")
    compare("lumivane-render JPEG", wallpaper + [out("a.jpg")],
            "lumivane-render PNG", wallpaper + [out("a.png")], runs)
    print("288 frames of 1333 x 666 PNG, per frame, against one xplanet run")
    series = [binary, "--size", "1333x666", "--frames", "288", "--step", "300",
              "-o", out("frame-%03d.png")]
    compare("lumivane-render series", series, "xplanet", xplanet("1333x666"),
            max(1, runs // 2), per_a=288)
    shutil.rmtree(work)


if __name__ == "__main__":
    main()
