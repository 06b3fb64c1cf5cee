#!/usr/bin/env python3
"""Times vorn-measure against du, ncdu and gdu on each given tree, cold (the page cache, the
folder and the inode caches dropped before every run) and warm, and prints the medians, the
ratios of vorn-measure to each of the others, and vorn-measure's peak memory beside its peak
on an empty folder. Cold runs need root; where the system refuses, it measures warm only."""
import subprocess
import sys
import tempfile

from compare import compare

PEERS = [["du", "-sb"], ["ncdu", "-0", "-x", "-o", "/dev/null"], ["gdu", "-n", "-s", "-p"]]
VORN = ["build/vorn-measure"]


def drop_caches():
    subprocess.run(["sync"], check=True)
    with open("/proc/sys/vm/drop_caches", "w") as caches:
        caches.write("3\n")


def cold_allowed():
    try:
        drop_caches()
        return True
    except OSError as refused:
        print(f"cannot drop the caches ({refused.strerror}): warm only")
        return False


def measure(tree, rounds, cold):
    commands = [peer + [tree] for peer in PEERS] + [VORN + [tree]]
    medians, peaks = compare(commands, rounds, drop_caches if cold else None)
    ratios = "  ".join(f"vorn/{peer[0]} {medians[-1] / medians[i]:.2f}"
                       for i, peer in enumerate(PEERS))
    print(f"{'cold' if cold else 'warm'} {tree}: {ratios}")
    return peaks[-1]


def main():
    rounds = int(sys.argv[1])
    cold = cold_allowed()
    print("empty folder:")
    with tempfile.TemporaryDirectory() as empty:
        _, (empty_peak,) = compare([VORN + [empty]], 3)
    for tree in sys.argv[2:]:
        peak = 0
        for cold_run in ([True, False] if cold else [False]):
            print(f"{'cold' if cold_run else 'warm'}, {rounds} rounds, {tree}:")
            peak = max(peak, measure(tree, rounds, cold_run))
        print(f"peak memory of vorn-measure: {(peak - empty_peak) / 1024:.1f} MiB above its "
              f"{empty_peak / 1024:.1f} MiB on an empty folder")


if __name__ == "__main__":
    main()
