#!/bin/bash
# Installs what the build and the tests need (Debian packages), only where
# something is missing. Safe to run again.
set -euo pipefail
packages=(cmake ninja-build g++ wine64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
          googletest clang libclang-rt-14-dev llvm-14 lld-14)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
