#!/bin/bash
# Builds the library and runs the benchmark under Wine (null display
# driver), printing the table of our controls against the system controls.
# Extra arguments go to the benchmark ("quick": fewer rounds).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" >&2  # the build's output stays out of the table
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" start "$WINEPREFIX"
trap '"$root/scripts/wine-prefix.sh" stop "$WINEPREFIX"' EXIT
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(/usr/lib/wine/wine64 --version 2>/dev/null)"
/usr/lib/wine/wine64 "$build/win-x86_64/bin/qor32_bench.exe" "$@"
