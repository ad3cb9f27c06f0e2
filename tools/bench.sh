#!/bin/bash
# Builds everything and runs the benchmark under Wine (not a test; nothing is asserted): the shipped
# sizes, the launcher's start-to-main time against a yardstick host that runs the same stand-in
# runtime the same way, where the launcher's time goes, and how settings, registry search and class
# path expansion grow with their size. Wine runs without a display and with a persistent
# wineserver, so that each process start pays the same.
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
tools/build.sh >/dev/null
cmake --build "$root/x64" --target tarn_bench >/dev/null
export TARN_BUILD_DIR_UNIX=$PWD/$root/x64
export TARN_OTHER_BUILD_DIR_UNIX=$PWD/$root/i686
export TARN_SOURCE_DIR_UNIX=$PWD
prefix=$PWD/$root/x64/wine/bench
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  WINEPREFIX=$prefix WINEDEBUG=-all /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  WINEPREFIX=$prefix "$wineserver" -w
fi
imports() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ {print $3}' | sort | tr '\n' ' '; }
echo "DLLs imported by the launcher:  $(imports "$root/x64/tarn64.exe")"
echo "DLLs imported by the yardstick: $(imports "$root/x64/bench/minimal_host.exe")"
WINEPREFIX=$prefix "$wineserver" -p
unset DISPLAY
tests/wine-run.sh "$prefix" "$PWD/$root/x64/bench/tarn_bench.exe"
