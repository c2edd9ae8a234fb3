#!/bin/sh
# Runs late_bound.vbs against a built DLL under wine, in that build's wine
# prefix (created and registered by its tests, or here).
#   bench/late_bound.sh [build/windows-x64 | build/windows-x86] [iterations per round] [rounds]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build/windows-x64}" && pwd)
case "$build" in
  *x86) loader=/usr/lib/wine/wine ;;
  *) loader=/usr/lib/wine/wine64 ;;
esac
"$loader" --version >/dev/null 2>&1 || { echo "this machine cannot run $loader"; exit 77; }
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || "$loader" wineboot --init >/dev/null 2>&1
"$loader" regsvr32 /s "Z:$(echo "$build/bin/VELDRANE.dll" | tr / '\\')"
"$loader" cscript //nologo "Z:$(echo "$here/late_bound.vbs" | tr / '\\')" ${2:-} ${3:-}
