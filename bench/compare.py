#!/usr/bin/env python3
"""Runs commands side by side on the same data, warm cache, alternating, and reports each
one's median wall time, its ratio to the first, and its peak memory."""
import resource
import statistics
import subprocess
import sys
import time


def run_once(command):
    started = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = __import__("os").wait4(process.pid, 0)
    elapsed = time.perf_counter() - started
    if status != 0:
        sys.exit(f"failed: {' '.join(command)}")
    return elapsed, usage.ru_maxrss


def compare(commands, rounds):
    for command in commands:  # warm the cache
        run_once(command)
    times = [[] for _ in commands]
    peaks = [0 for _ in commands]
    for _ in range(rounds):
        for i, command in enumerate(commands):
            elapsed, peak = run_once(command)
            times[i].append(elapsed)
            peaks[i] = max(peaks[i], peak)
    base = statistics.median(times[0])
    for i, command in enumerate(commands):
        median = statistics.median(times[i])
        print(f"{median:8.3f} s  ratio {median / base:5.2f}  peak {peaks[i] / 1024:7.1f} MiB  "
              f"{' '.join(command)}")
    return [statistics.median(t) for t in times], peaks


if __name__ == "__main__":
    rounds = int(sys.argv[1])
    commands = [part.split() for part in " ".join(sys.argv[2:]).split(" -- ")]
    compare(commands, rounds)
