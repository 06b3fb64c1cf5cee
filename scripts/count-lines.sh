#!/bin/sh
# Lines of tests (all of tests/) and of code (every other tracked file), in C++ and Python,
# blank lines and lines holding only a comment left out; then the tests' share of the code.
cd "$(dirname "$0")/.."
count() {
    git ls-files -- "$@" | grep -E '\.(cpp|h|py)$' |
        xargs cat | grep -cvE '^\s*$|^\s*(//|/\*|\*)|^\s*#( |$)'
}
tests=$(count tests)
code=$(count . ':!tests')
echo "tests $tests, code $code: $((100 * tests / code)) %"
