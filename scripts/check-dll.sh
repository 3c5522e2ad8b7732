#!/bin/bash
# check-dll.sh OBJDUMP DLL: the DLL exports exactly the eleven names with
# ordinals 1 to 11, imports only system DLLs and carries only a version
# resource.
set -euo pipefail
objdump="$1"
dll="$2"
dump="$("$objdump" -p "$dll")"
expected="1 BitmapWndProc
2 ColorWndProc
3 DllMain
4 EnumDestroyChildWnd
5 MatrixWndProc
6 PatternWndProc
7 PreviewWndProc
8 SelectionWndProc
9 SlideWndProc
10 StatusWndProc
11 TabWndProc"
# The name table lists "[   i] Name"; the ordinal is i + the ordinal base.
base="$(echo "$dump" | sed -n 's/^Ordinal Base\s*//p')"
actual="$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
  | sed -n 's/^\s*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' \
  | while read -r index name; do echo "$((index + base)) $name"; done)"
if [ "$actual" != "$expected" ]; then
  echo "unexpected exports in $dll:"; echo "$actual"; exit 1
fi
imports="$(echo "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')"
for name in $imports; do
  case "$name" in
    kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll|advapi32.dll|api-ms-win-*) ;;
    *) echo "$dll imports non-system DLL $name"; exit 1 ;;
  esac
done
echo "$(basename "$dll"): 11 exports, ordinals 1-11; imports: $imports"
