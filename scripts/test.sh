#!/bin/bash
# Builds everything and runs every test: native (sanitizers) and Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
