#!/bin/bash
# Renders the gallery's pictures (one per part, and the screenshot) into a
# work folder and compares them byte for byte with docs/pictures: any pixel
# a control paints differently fails. After an intended change of the
# drawing, scripts/docs-pictures.sh writes the pictures anew.
# check-pictures.sh <gallery.exe> <work folder> <wine>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
gallery="$1" work="$2" wine="$3"
rm -rf "$work"
mkdir -p "$work"
wwork="$("$wine" winepath -w "$work" 2>/dev/null)"
"$wine" "$gallery" --screenshot "$wwork\\gallery.png" --pictures "$wwork"
status=0
for expected in "$root"/docs/pictures/*.png; do
  name="$(basename "$expected")"
  if ! cmp -s "$expected" "$work/$name"; then
    echo "differs from docs/pictures: $name (rendered: $work/$name)"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "every picture of docs/pictures rendered the same"
exit "$status"
