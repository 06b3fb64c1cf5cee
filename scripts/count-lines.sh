#!/bin/sh
# Lines of tests (C++ and Python in tests/) against lines of code, blank lines and lines holding
# only a comment left out: first against the application's C++ (neither tests/ nor bench/),
# then against every other tracked C++ and Python file, the developer tools included.
cd "$(dirname "$0")/.."
set -f # the file patterns are for git, not for the shell to expand here
count() { # file patterns, then the folders to keep (grep -E) or, with -v first, to leave out
    patterns=$1
    shift
    # shellcheck disable=SC2086
    git ls-files -- $patterns | grep -E "$@" | xargs -r cat |
        grep -cvE '^[[:space:]]*$|^[[:space:]]*(//|#( |$|!))'
}
tests=$(count '*.cpp *.h *.py' '^tests/')
app=$(count '*.cpp *.h' -v '^(tests|bench)/')
all=$(count '*.cpp *.h *.py' -v '^tests/')
awk -v t="$tests" -v a="$app" -v l="$all" 'BEGIN {
    printf "tests %d; application code %d: %.1f %%; all code %d: %.1f %%\n", t, a, 100 * t / a, l, 100 * t / l
}'
