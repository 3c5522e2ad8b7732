#!/bin/bash
# start PREFIX: creates the Wine prefix if needed, selects the null display
# driver and keeps a wineserver running; stop PREFIX: ends that wineserver.
set -euo pipefail
action="$1"
export WINEPREFIX="$2"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
case "$action" in
  start)
    if [ ! -f "$WINEPREFIX/.qor32-null-driver" ]; then
      mkdir -p "$WINEPREFIX"
      "$wine" wineboot -i >/dev/null 2>&1 || true
      "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
      "$server" -w
      touch "$WINEPREFIX/.qor32-null-driver"
    fi
    # Detached from our output, so that whoever runs this does not wait for it.
    "$server" -p </dev/null >/dev/null 2>&1 || true  # fails if one is running already
    # Start the prefix's background services now, detached from our output:
    # a service started by a test would inherit the test's output and keep
    # whoever reads it (CTest) waiting.
    "$wine" wineboot </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    "$server" -k 2>/dev/null || true
    "$server" -w 2>/dev/null || true
    ;;
  *) echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac
