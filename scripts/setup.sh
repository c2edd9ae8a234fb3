#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages. Safe to
# run again: it installs only what is missing.
#   scripts/setup.sh          the Linux build, the tool and its tests (clang and
#                             its sanitizer and libFuzzer runtimes for the
#                             sanitize preset, locales for the locale test)
#   scripts/setup.sh windows  also the Windows cross builds (32-bit and 64-bit),
#                             wine for both architectures and wixl (the
#                             installer packages)
set -euo pipefail

need=(cmake ninja-build g++ libgtest-dev nlohmann-json3-dev libcli11-dev libsqlite3-dev clang libclang-rt-14-dev locales)
if [ "${1:-}" = windows ]; then
  need+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine32:i386 wine64 wixl)
fi

sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo

refresh=no
if [ "${1:-}" = windows ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386  # 32-bit wine
  refresh=yes
fi

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
command -v npm >/dev/null || missing+=(nodejs npm)

if [ ${#missing[@]} -gt 0 ] || [ $refresh = yes ]; then
  $sudo apt-get update -qq
  [ ${#missing[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
