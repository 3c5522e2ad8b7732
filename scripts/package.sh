#!/bin/bash
# Builds the x86_64 and i686 SDKs and packs them into one archive:
# package.sh [archive], default qor32cl-sdk-<version>.zip (or .tar.gz
# without zip) in the build folder. BUILD_DIR as for build.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
version="$(sed -n 's/^project(qor32cl VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
stage="$build/package/qor32cl-sdk-$version"
rm -rf "$build/package"
mkdir -p "$stage"
for arch in x86_64 i686; do
  cmake --install "$build/win-$arch" --prefix "$stage/$arch" >/dev/null
done
cp "$root/README.md" "$stage/"
cp -r "$root/docs" "$stage/docs"
if command -v zip >/dev/null; then
  archive="${1:-$build/qor32cl-sdk-$version.zip}"
  rm -f "$archive"
  (cd "$build/package" && zip -qr "$(realpath -m "$archive")" "qor32cl-sdk-$version")
else
  archive="${1:-$build/qor32cl-sdk-$version.tar.gz}"
  tar -C "$build/package" -czf "$archive" "qor32cl-sdk-$version"
fi
echo "package: $archive"
