#!/bin/bash
# Runs the README's MinGW command line, as it stands there, on
# docs/snippets/app.c against an installed x86_64 SDK, then runs the program
# under Wine: check-readme-mingw.sh <sdk folder> <work folder> <wine>.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
sdk="$(realpath "$1")" work="$2" wine="$3"
line="$(grep -m1 '^    x86_64-w64-mingw32-gcc app.c ' "$root/README.md")"
[ -n "$line" ] || { echo "README has no MinGW command line"; exit 1; }
mkdir -p "$work"
cp "$root/docs/snippets/app.c" "$work/app.c"
cp "$sdk/bin/QOR32CL.DLL" "$work/"
cd "$work"
eval "${line//<sdk>/$sdk}"
"$wine" app.exe
echo "README MinGW command: app.exe built and ran"
