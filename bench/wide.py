#!/usr/bin/env python3
"""Times one folder of a million empty files, warm, side by side: measured as a sub-folder
(vorn-measure in its parent), listed as the current folder (vorn-measure inside it) and filled
into the window (vorn-bench-fill), against du -sb and ncdu on the same folder. Prints the
medians, the figures the project holds itself to, and the bytes each listed row costs above
vorn-measure's peak on an empty folder."""
import sys
import tempfile

from compare import compare

FILES = 1_000_000


def main():
    rounds, parent = int(sys.argv[1]), sys.argv[2]
    wide = f"{parent}/wide"
    with tempfile.TemporaryDirectory() as empty:
        commands = [["du", "-sb", parent], ["ncdu", "-0", "-x", "-o", "/dev/null", parent],
                    ["build/vorn-measure", parent], ["build/vorn-measure", wide],
                    ["build/vorn-bench-fill", wide], ["build/vorn-measure", empty]]
        times, peaks = compare(commands, rounds)
    du, _, sub, listing, fill, _ = times
    per_row = (peaks[3] - peaks[5]) * 1024 / FILES
    print(f"sub-folder {sub / du:.2f} x du -sb (at most 0.5); "
          f"listing {listing / du:.2f} x du -sb (at most 0.6); "
          f"window fill {fill / listing:.2f} x the listing (at most 1.3); "
          f"{per_row:.0f} bytes a row (at most 128)")


if __name__ == "__main__":
    main()
