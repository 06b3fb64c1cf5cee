#!/bin/sh
# Times a whole fill of the contents list in the main window (vorn-bench-fill) against
# vorn-measure, on a folder of 100,000 files and on the synthetic tree: first the processes'
# wall times, then the fill times that the two tools report themselves (median of the rounds).
set -e
cd "$(dirname "$0")/.."
FLAT=${VORN_BENCH_FLAT:-/tmp/vorn-bench-flat}
TREE=${VORN_BENCH_TREE:-/tmp/vorn-bench-tree}
ROUNDS=${ROUNDS:-5}
[ -d "$FLAT" ] || python3 bench/make_tree.py "$FLAT" 0 100000
[ -d "$TREE" ] || python3 bench/make_tree.py "$TREE"

reported() {
    for _ in $(seq "$ROUNDS"); do
        "$@" | awk -F '\t' '$1 == "seconds" { print $2 }'
    done | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

for folder in "$FLAT" "$TREE"; do
    echo "folder: $folder"
    python3 bench/compare.py "$ROUNDS" build/vorn-measure "$folder" -- \
        build/vorn-bench-fill "$folder"
    measure=$(reported build/vorn-measure "$folder")
    fill=$(reported build/vorn-bench-fill "$folder")
    echo "reported: measure $measure s, fill $fill s, ratio $(echo "$fill $measure" |
        awk '{ printf "%.2f", $1 / $2 }')"
done
