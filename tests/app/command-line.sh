#!/bin/sh
# The answers the binary gives without a window: with no display at all, each call must end
# with its status and write its text to the one stream named, nothing to the other. Then the
# arguments Qt would take for its own, which must be folders like any other.
# Usage: command-line.sh PATH/TO/vorn
vorn=$1
out=$(mktemp) err=$(mktemp) dir=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$dir"' EXIT
failed=0

# expect STATUS STREAM FIRST-LINE-PATTERN ARGUMENT...
expect() {
    status=$1 stream=$2 pattern=$3
    shift 3
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$vorn" "$@" >"$out" 2>"$err"
    actual=$?
    if [ "$stream" = stdout ]; then text=$out quiet=$err; else text=$err quiet=$out; fi
    if [ "$actual" -ne "$status" ] || ! head -n 1 "$text" | grep -q "$pattern" || [ -s "$quiet" ]; then
        echo "FAIL: vorn $*: status $actual (want $status), $stream should start with /$pattern/"
        sed 's/^/  stdout: /' "$out"
        sed 's/^/  stderr: /' "$err"
        failed=1
    fi
}

expect 0 stdout '^Vorn 1\.0$' --version
expect 0 stdout '^Usage: .* \[FOLDER\]$' --help
expect 2 stderr "^Unknown option 'no-such-option'" --no-such-option
expect 2 stderr '^Only one folder' one two
# Arguments are read byte for byte: one that is not UTF-8 comes back exactly as given.
byte=$(printf '\351')
expect 2 stderr "^Unknown option 'caf$byte'" "--caf$byte"

# Qt hears none of the arguments: a folder named like one of its options opens, here on Qt's
# offscreen platform, and Qt says nothing of it. Qt would warn of the first and take the second
# away before Vorn reads it.
for folder in -style=nonesuch -qmljsdebugger=port:1; do
    mkdir "$dir/$folder"
    (cd "$dir" && QT_QPA_PLATFORM=offscreen exec "$vorn" -- "$folder") >"$out" 2>"$err" &
    pid=$!
    opened() { [ "$(readlink "/proc/$pid/cwd")" = "$dir/$folder" ]; }
    # Until it opens or ends; the test runner's timeout is the failsafe.
    until opened || ! kill -0 $pid 2>/dev/null; do
        sleep 0.1
    done
    if ! opened || grep -qF -- "${folder#*=}" "$err"; then
        echo "FAIL: vorn -- $folder: not opened, or Qt took it for its own option"
        sed 's/^/  stderr: /' "$err"
        failed=1
    fi
    kill $pid
    wait $pid
done
exit $failed
