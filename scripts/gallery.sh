#!/bin/bash
# Builds the library and runs the gallery under Wine in its headless mode,
# writing a screenshot of the dialog to the given PNG (default gallery.png).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
out="$(realpath -m "${1:-$root/gallery.png}")"
"$root/scripts/build.sh"
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" start "$WINEPREFIX"
trap '"$root/scripts/wine-prefix.sh" stop "$WINEPREFIX"' EXIT
/usr/lib/wine/wine64 "$build/win-x86_64/bin/gallery.exe" --screenshot "$(/usr/lib/wine/wine64 winepath -w "$out" 2>/dev/null)"
echo "gallery: screenshot written to $out"
