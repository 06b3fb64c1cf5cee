#!/bin/sh
# Checks every source of ours against the project's one naming rule (.clang-tidy) with
# clang-tidy, two at a time; the first argument is the build folder with compile_commands.json.
cd "$(dirname "$0")/.." || exit 2
build=${1:-build}
files=$(git ls-files '*.cpp')
output=$(run-clang-tidy -p "$build" -j2 -quiet $files 2>/dev/null)
if echo "$output" | grep -E "(warning|error): " ; then
    echo "Names that break the naming rule (see README)."
    exit 1
fi
