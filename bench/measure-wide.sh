#!/bin/sh
# Times a folder of a million empty files as a sub-folder, as the listed folder and filled into
# the window, against du and ncdu (bench/wide.py). The folder is made once.
set -e
cd "$(dirname "$0")/.."
./scripts/install-missing.sh time python3 ncdu
WIDE=${VORN_BENCH_WIDE:-/tmp/vorn-bench-wide}
ROUNDS=${ROUNDS:-3}
if [ ! -d "$WIDE/wide" ]; then
    mkdir -p "$WIDE/wide.part"
    (cd "$WIDE/wide.part" && python3 -c "import os
for i in range(1000000):
    os.close(os.open(f'f{i:07d}', os.O_CREAT | os.O_WRONLY))")
    mv "$WIDE/wide.part" "$WIDE/wide"
fi
python3 bench/wide.py "$ROUNDS" "$WIDE"
