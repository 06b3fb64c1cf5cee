#!/bin/sh
# Times vorn-measure against du, ncdu and gdu, with the caches dropped before every run and
# warm, on the synthetic tree and on a tree of 2,000,000 empty or sparse files in 200,000
# folders (each made once). Run as root: only root may drop the caches.
set -e
cd "$(dirname "$0")/.."
./scripts/install-missing.sh time python3 ncdu gdu
TREE=${VORN_BENCH_TREE:-/tmp/vorn-bench-tree}
BIG=${VORN_BENCH_BIG:-/tmp/vorn-bench-tree-2m}
ROUNDS=${ROUNDS:-3}
[ -d "$TREE" ] || python3 bench/make_tree.py "$TREE"
[ -d "$BIG" ] || python3 bench/make_tree.py "$BIG" 200000 2000000 1 --sparse
python3 bench/peers.py "$ROUNDS" "$TREE" "$BIG"
