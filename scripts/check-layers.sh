#!/bin/sh
# Fails on an include that points up or across the layers: each folder may include its own headers
# and those of the folders listed for it here, nothing else of ours.
cd "$(dirname "$0")/.." || exit 2
allowed() {
    case "$1" in
    platform) echo "" ;;
    chart) echo "" ;;
    measure) echo "platform" ;;
    deletion) echo "platform" ;;
    deletion/command) echo "platform measure deletion framework resources document dialogs views" ;;
    framework) echo "" ;;
    resources) echo "framework chart measure" ;;
    document) echo "framework measure" ;;
    dialogs) echo "framework resources" ;;
    views) echo "platform chart measure framework resources document dialogs" ;;
    app) echo "platform chart measure deletion framework resources document dialogs views deletion/command" ;;
    esac
}
status=0
for file in $(git ls-files 'platform/*' 'chart/*' 'measure/*' 'deletion/*' 'framework/*' \
    'resources/*' 'document/*' 'dialogs/*' 'views/*' 'app/*' | grep -E '\.(cpp|h)$'); do
    layer=$(dirname "$file")
    allow="$layer $(allowed "$layer")"
    for target in $(sed -n 's|^#include "\([a-z]*\(/command\)\{0,1\}\)/[^/"]*".*|\1|p' "$file"); do
        case " $allow " in
        *" $target "*) ;;
        *) echo "$file includes $target/, which $layer/ may not use"; status=1 ;;
        esac
    done
done
exit $status
