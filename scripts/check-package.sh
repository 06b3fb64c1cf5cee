#!/bin/sh
# Builds the Debian package from a build folder into a scratch folder and checks it as a
# system would take it: its control data, its file list, the desktop entry, the AppStream
# metainfo and the manual page each pass their validator, lintian finds nothing to say about
# it, even pedantically, the packaged binary has every hardening Debian checks for, and it runs.
# Every finding is printed; the status is 1 when there was any.
# Usage: check-package.sh BUILD_FOLDER PACKAGE_VERSION
set -u
build=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# What a failed check said, set in under its finding.
report() {
    fail "$1"
    sed 's/^/  /' "$work/said"
}
# A check passes when it ends well; a quiet one must also say nothing.
passes() {
    "$@" >"$work/said" 2>&1 || report "$*"
}
quiet() {
    if ! "$@" >"$work/said" 2>&1 || [ -s "$work/said" ]; then
        report "$*"
    fi
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack could not build the package"
    exit 1
fi
deb="$work/vorn_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { fail "no $(basename "$deb") among: $(ls "$work")"; exit 1; }

dpkg-deb -I "$deb" >"$work/info" || fail "dpkg-deb -I"
for field in "Package: vorn" "Version: $version" "Section: utils" "Architecture: "; do
    grep -q "^ $field" "$work/info" || fail "control data without '$field'"
done
for dependency in fonts-ipafont-gothic qt6-qpa-plugins libqt6widgets6 libc6; do
    grep "^ Depends:" "$work/info" | grep -q "$dependency" || fail "no dependency on $dependency"
done

dpkg-deb -c "$deb" | awk '{ print $NF }' >"$work/files" || fail "dpkg-deb -c"
for file in usr/bin/vorn usr/share/applications/vorn.desktop \
    usr/share/icons/hicolor/scalable/apps/vorn.svg usr/share/man/man1/vorn.1.gz \
    usr/share/doc/vorn/copyright usr/share/doc/vorn/changelog.gz; do
    grep -qx "./$file" "$work/files" || fail "the package holds no /$file"
done
for size in 16 22 24 32 48 64 128 256; do
    grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/vorn.png" "$work/files" ||
        fail "the package holds no ${size}x${size} icon"
done
grep -q '^\./usr/share/metainfo/.*\.metainfo\.xml$' "$work/files" || fail "no metainfo file"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
quiet desktop-file-validate "$root/usr/share/applications/vorn.desktop"
passes appstreamcli validate --no-net --no-color "$root"/usr/share/metainfo/*.metainfo.xml
page="$root/usr/share/man/man1/vorn.1.gz"
if ! MANWIDTH=80 man --warnings -l "$page" >"$work/page" 2>"$work/said" || [ -s "$work/said" ] ||
    ! grep -q '^NAME' "$work/page"; then
    report "man -l $page"
fi
for size in 16 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/vorn.png"
    file "$png" | grep -q "PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done

# As root (CI is) lintian would say so, which is no finding about the package. Its spelling check
# reads the binary's machine code as text too, where an instruction may spell a misspelt word
# ("IiF" is an imul by 1,000,000): a word that stands nowhere in the binary's read-only data,
# where its texts are, is no misspelling.
readelf -p .rodata "$root/usr/bin/vorn" >"$work/texts" 2>/dev/null
lintian --allow-root --display-info --display-experimental --pedantic "$deb" >"$work/said" 2>&1 ||
    fail "lintian ended with status $?"
while IFS= read -r line; do
    word=$(echo "$line" | sed -n 's|^I: vorn: spelling-error-in-binary \([^ ]*\) .* \[usr/bin/vorn\]$|\1|p')
    if [ -z "$word" ] || grep -qF -- "$word" "$work/texts"; then
        fail "lintian: $line"
    fi
done <"$work/said"
passes hardening-check "$root/usr/bin/vorn"

said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/vorn" --version 2>&1)
[ "$said" = "Vorn ${version%.*}" ] || fail "the packaged vorn --version says '$said'"

exit $failed
