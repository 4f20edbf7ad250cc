#!/usr/bin/env python3
"""Whole-process comparison: lumivane-render against xplanet rendering the
same day-and-night map at 1333 x 666, in alternating runs on one machine.

usage: compare_with_xplanet.py LUMIVANE_RENDER [RUNS]
Prints the median wall time of each and the ratio.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def timed(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    binary = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    if not shutil.which("xplanet"):
        sys.exit("xplanet is not installed (apt-get install xplanet)")
    work = tempfile.mkdtemp(prefix="lumivane-compare-")
    ours = [binary, "--scale", "100", "-o", os.path.join(work, "a.png")]
    theirs = ["xplanet", "-projection", "rectangular", "-geometry", "1333x666",
              "-num_times", "1", "-output", os.path.join(work, "b.png")]
    for command in (ours, theirs):  # warm the caches
        timed(command)
    times = {"lumivane-render": [], "xplanet": []}
    for _ in range(runs):
        times["lumivane-render"].append(timed(ours))
        times["xplanet"].append(timed(theirs))
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, value in medians.items():
        print(f"{name:16} median {value * 1000:7.1f} ms  "
              f"(min {min(times[name]) * 1000:.1f}, max {max(times[name]) * 1000:.1f}, {runs} runs)")
    print(f"ratio {medians['xplanet'] / medians['lumivane-render']:.2f}x")
    shutil.rmtree(work)


if __name__ == "__main__":
    main()
