#!/bin/bash
# Builds the library and runs the benchmark under Wine (null display
# driver), printing the table of our controls against the system controls.
# Extra arguments go to the benchmark ("quick": fewer rounds).
#
# "trace" runs each operation once instead, with the wineserver logging its
# requests, and prints how many requests (round trips to the server) one
# operation makes, by name: the main cost of a USER operation under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" >&2  # the build's output stays out of the table
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bench="$build/win-x86_64/bin/qor32_bench.exe"
"$root/scripts/wine-prefix.sh" start "$WINEPREFIX"
trap '"$root/scripts/wine-prefix.sh" stop "$WINEPREFIX"' EXIT
if [ "${1:-}" = trace ]; then
  # A server of our own that logs: the running one logs nothing.
  "$root/scripts/wine-prefix.sh" stop "$WINEPREFIX"
  log="$build/bench-trace.log"
  WINEDEBUG=+server,+debugstr /usr/lib/wine/wine64 "$bench" "$@" 2>"$log" >/dev/null
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
  # Requests between the markers, without those of the markers themselves.
  awk '
    /qor32-bench begin / { label = $0; sub(/.*qor32-bench begin /, "", label); sub(/\\n"$/, "", label); n = 0; names = ""; delete c; on = 1; next }
    /qor32-bench end/ { if (on) { printf "%-90s %4d  %s\n", label, n, names }; on = 0; next }
    on && /^[0-9a-f]+: [a-z_]+\(/ && !/\) = / {
      name = $2; sub(/\(.*/, "", name)
      if (name ~ /^(open_directory|create_mutex|open_mapping)$/) next
      n++; if (!(name in c)) names = names (names == "" ? "" : " ") name; c[name]++
    }' "$log" | awk '{ print }'
  exit 0
fi
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(/usr/lib/wine/wine64 --version 2>/dev/null)"
/usr/lib/wine/wine64 "$bench" "$@"
