#!/bin/bash
# Links an MSVC-style program (clang for the MSVC target, lld-link, no C
# runtime) with nothing but the SDK's lib/qor32cl.lib and checks that it
# imports the undecorated exports from QOR32CL.DLL; with a Wine command
# (x86_64), also runs it beside the SDK's DLL.
#   check-msvc-lib.sh <sdk folder> <x86_64|i686> <work folder> [wine]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
sdk="$1" arch="$2" work="$3" wine="${4:-}"
case "$arch" in
  i686) target=i686-pc-windows-msvc machine=X86 ;;
  *) target=x86_64-pc-windows-msvc machine=X64 ;;
esac
lld="$(command -v lld-link || command -v lld-link-14)"
readobj="$(command -v llvm-readobj || command -v llvm-readobj-14)"
mkdir -p "$work"
clang --target=$target -O1 -c "$root/tests/msvc/import_probe.c" -o "$work/import_probe.obj"
"$lld" /nologo /machine:$machine /nodefaultlib /entry:ProbeEntry /subsystem:console \
  /out:"$work/import_probe.exe" "$work/import_probe.obj" "$sdk/lib/qor32cl.lib"
imports="$("$readobj" --coff-imports "$work/import_probe.exe")"
fail=0
grep -q "Name: QOR32CL.DLL" <<<"$imports" || { echo "no import of QOR32CL.DLL"; fail=1; }
for name in BitmapWndProc EnumDestroyChildWnd; do
  grep -q "Symbol: $name (" <<<"$imports" || { echo "no import of $name by its plain name"; fail=1; }
done
if [ -n "$wine" ] && [ $fail -eq 0 ]; then
  cp "$sdk/bin/QOR32CL.DLL" "$work/"
  "$wine" "$work/import_probe.exe" || { echo "import_probe.exe failed under Wine"; fail=1; }
fi
[ $fail -eq 0 ] && echo "qor32cl.lib ($arch): links and imports the plain names"
exit $fail
