#!/bin/sh
# Times vorn-measure against `du -sb` on the synthetic tree, and compares vorn-measure's peak
# memory on the tree with its peak on an empty folder.
set -e
cd "$(dirname "$0")/.."
./scripts/install-missing.sh time python3
TREE=${VORN_BENCH_TREE:-/tmp/vorn-bench-tree}
ROUNDS=${ROUNDS:-7}
[ -d "$TREE" ] || python3 bench/make_tree.py "$TREE"
EMPTY=$(mktemp -d)
trap 'rmdir "$EMPTY"' EXIT
echo "tree: $TREE"
python3 bench/compare.py "$ROUNDS" du -sb "$TREE" -- build/vorn-measure "$TREE"
echo "empty folder:"
python3 bench/compare.py 3 build/vorn-measure "$EMPTY"
