#!/bin/bash
# Checks an installed SDK tree: check-sdk.sh <sdk folder> <x86_64|i686>.
set -euo pipefail
sdk="$1"
arch="$2"
fail=0
for f in bin/QOR32CL.DLL include/qor32cl.h include/qor32cl.hpp lib/libqor32cl.dll.a lib/qor32cl.def \
         lib/cmake/qor32cl/qor32clConfig.cmake lib/cmake/qor32cl/qor32clConfigVersion.cmake \
         lib/cmake/qor32cl/qor32clTargets.cmake; do
  [ -f "$sdk/$f" ] || { echo "missing: $f"; fail=1; }
done
# The MinGW import library answers the names the header makes the compiler
# ask for: stdcall-decorated on i686.
if [ -f "$sdk/lib/libqor32cl.dll.a" ]; then
  if [ "$arch" = i686 ]; then want="__imp__BitmapWndProc@16 _EnumDestroyChildWnd@8"; \
  else want="__imp_BitmapWndProc EnumDestroyChildWnd"; fi
  symbols="$(${arch}-w64-mingw32-nm "$sdk/lib/libqor32cl.dll.a" 2>/dev/null)"
  for s in $want; do
    grep -q " $s\$" <<<"$symbols" || { echo "libqor32cl.dll.a lacks $s"; fail=1; }
  done
fi
if command -v llvm-dlltool >/dev/null || command -v llvm-dlltool-14 >/dev/null; then
  lib="$sdk/lib/qor32cl.lib"
  if [ ! -f "$lib" ]; then
    echo "missing: lib/qor32cl.lib"; fail=1
  else
    nm="$(command -v llvm-nm || command -v llvm-nm-14 || echo ${arch}-w64-mingw32-nm)"
    symbols="$("$nm" "$lib" 2>/dev/null)"
    # MSVC decorates stdcall names on i686 (_Name@bytes); on x86_64 names are plain.
    if [ "$arch" = i686 ]; then want="__imp__BitmapWndProc@16 _TabWndProc@16 __imp__DllMain@12"; \
    else want="__imp_BitmapWndProc TabWndProc __imp_DllMain"; fi
    for s in $want; do
      grep -q " $s\$" <<<"$symbols" || { echo "qor32cl.lib lacks $s"; fail=1; }
    done
  fi
fi
[ $fail -eq 0 ] && echo "sdk-$arch: complete"
exit $fail
