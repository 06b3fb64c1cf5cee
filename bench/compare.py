#!/usr/bin/env python3
"""Runs commands side by side on the same data, alternating, with a warm cache unless a cache is
emptied before each run, and reports each one's median wall time, its ratio to the first, and
its peak memory."""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(command):
    """Wall time and peak resident memory in KiB. The peak comes from GNU time, which starts
    the command from its own small process: a child forked from this interpreter would count
    the interpreter's memory as its own."""
    with tempfile.NamedTemporaryFile("r") as report:
        started = time.perf_counter()
        status = subprocess.call(["/usr/bin/time", "-f", "%M", "-o", report.name, *command],
                                 stdout=subprocess.DEVNULL)
        elapsed = time.perf_counter() - started
        if status != 0:
            sys.exit(f"failed: {' '.join(command)}")
        return elapsed, int(report.read().split()[-1])


def compare(commands, rounds, before_each=None):
    """With before_each (run before every timed run, to empty a cache) there is no warming
    round, and each round starts one command further on, so no command always runs first."""
    if before_each is None:
        for command in commands:  # warm the cache
            run_once(command)
    times = [[] for _ in commands]
    peaks = [0 for _ in commands]
    for round_ in range(rounds):
        order = list(range(len(commands)))
        if before_each is not None:
            order = order[round_ % len(order):] + order[:round_ % len(order)]
        for i in order:
            if before_each is not None:
                before_each()
            elapsed, peak = run_once(commands[i])
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
