#!/bin/bash
# Builds everything and runs the benchmark under Wine (not a test; nothing is asserted): the shipped
# sizes, the launcher's start-to-main time against a yardstick host that runs the same stand-in
# runtime the same way, where the launcher's time goes, and how settings, registry search and class
# path expansion grow with their size; then, under a virtual display, the start with and without a
# 1920x1080 PNG splash. The start-up figures are taken without a display and with a persistent
# wineserver, so that each process start pays the same.
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
tools/build.sh >/dev/null
cmake --build "$root/x64" --target tarn_bench >/dev/null
# The splash case's picture: 1920x1080, a gradient with grain, so that it compresses as a photo does.
python3 - "$root/x64/bench/splash-1920x1080.png" <<'PY'
import random, struct, sys, zlib
width, height = 1920, 1080
random.seed(1)
grain = bytes(random.getrandbits(3) for _ in range(width * 3 + 997))
rows = bytearray()
for y in range(height):
    base = bytes(((x * 255 // width) ^ (y & 0x10), y * 255 // height, (x + y) * 255 // (width + height))[c]
                 for x in range(width) for c in range(3))
    offset = (y * 31) % 997
    row = bytes((b + g) & 0xFF for b, g in zip(base, grain[offset:offset + width * 3]))
    rows.append(1)  # the "Sub" filter: each byte less the one of the pixel before
    rows += bytes((row[i] - (row[i - 3] if i >= 3 else 0)) & 0xFF for i in range(len(row)))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
PY
export TARN_BUILD_DIR_UNIX=$PWD/$root/x64
export TARN_OTHER_BUILD_DIR_UNIX=$PWD/$root/i686
export TARN_SOURCE_DIR_UNIX=$PWD
prefix=$PWD/$root/x64/wine/bench
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
# A new prefix each time, so that every run starts from the same state (what earlier runs or test
# programs left in a prefix must not weigh on the figures).
WINEPREFIX=$prefix "$wineserver" -k >/dev/null 2>&1 || true
rm -rf "$prefix"
# The runner sets a new prefix up (and waits for its server to end) before the server is made persistent.
tests/wine-run.sh "$prefix" cmd /c exit
imports() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ {print $3}' | sort | tr '\n' ' '; }
echo "DLLs imported by the launcher:  $(imports "$root/x64/tarn64.exe")"
echo "DLLs imported by the yardstick: $(imports "$root/x64/bench/minimal_host.exe")"
WINEPREFIX=$prefix "$wineserver" -p
unset DISPLAY
tests/wine-run.sh "$prefix" "$PWD/$root/x64/bench/tarn_bench.exe"
# The splash case needs a display: a window of its own is what it measures.
tools/with-display.sh tests/wine-run.sh "$prefix" "$PWD/$root/x64/bench/tarn_bench.exe" splash
