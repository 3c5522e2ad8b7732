#!/bin/bash
# Regenerates the pictures of the documentation (docs/pictures/*.png, one
# per gallery part) and the gallery screenshot (docs/pictures/gallery.png)
# from what the current code paints: builds, then runs the gallery headless
# under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
out="$root/docs/pictures"
mkdir -p "$out"
"$root/scripts/build.sh"
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" start "$WINEPREFIX"
trap '"$root/scripts/wine-prefix.sh" stop "$WINEPREFIX"' EXIT
wout="$(/usr/lib/wine/wine64 winepath -w "$out" 2>/dev/null)"
/usr/lib/wine/wine64 "$build/win-x86_64/bin/gallery.exe" \
  --screenshot "$wout\\gallery.png" --pictures "$wout"
echo "docs-pictures: written to $out"
ls "$out"
