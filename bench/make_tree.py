#!/usr/bin/env python3
"""Builds a synthetic folder tree for the benchmarks: about 200,000 files of 0 to 3,000
bytes in 40,000 folders, the same tree for the same seed. With --sparse the files hold no
data blocks (their sizes are the same), so a tree of millions of files stays small on disk."""
import os
import random
import sys


def build(root, folders=40_000, files=200_000, seed=1, sparse=False):
    rng = random.Random(seed)
    os.makedirs(root)
    paths = [root]
    for i in range(folders):
        # A parent drawn from all folders so far gives a tree some ten to thirty levels deep.
        parent = rng.choice(paths)
        path = os.path.join(parent, f"d{i}")
        os.mkdir(path)
        paths.append(path)
    for i in range(files):
        path = os.path.join(rng.choice(paths), f"f{i}.dat")
        size = rng.randint(0, 3000)
        with open(path, "wb") as handle:
            if sparse:
                handle.truncate(size)
            else:
                handle.write(b"x" * size)


if __name__ == "__main__":
    arguments = [arg for arg in sys.argv[1:] if arg != "--sparse"]
    build(arguments[0], *(int(arg) for arg in arguments[1:]), sparse="--sparse" in sys.argv)
