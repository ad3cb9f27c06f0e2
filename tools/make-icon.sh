#!/bin/bash
# Draws Tarn's default icon, a mountain lake under a "T", and writes res/tarn.ico with the sizes
# Explorer and the taskbar use, 16 to 256 pixels. Images up to 32 pixels are stored as 32-bit
# bitmaps, larger ones as PNG (as Windows' own icons do), which keeps the file small.
# Needs ImageMagick (Debian: imagemagick) and Python 3.
#   tools/make-icon.sh [OUTPUT.ico]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-res/tarn.ico}
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$convert" -size 256x256 xc:none \
  -fill '#1f6f8b' -draw 'roundrectangle 8,8 248,248 48,48' \
  -fill '#99d5e0' -draw 'ellipse 128,196 96,34 0,360' \
  -fill white -draw 'rectangle 52,40 204,76' -draw 'rectangle 110,40 146,170' \
  -define png:compression-level=9 "PNG32:$work/256.png"
for size in 16 24 32 48 64 128; do
  "$convert" "$work/256.png" -resize ${size}x${size} -define png:compression-level=9 "PNG32:$work/$size.png"
  "$convert" "$work/$size.png" -depth 8 "RGBA:$work/$size.rgba"
done
python3 - "$work" "$out" <<'PY'
import struct, sys
work, out = sys.argv[1], sys.argv[2]
entries = []
for size in (16, 24, 32, 48, 64, 128, 256):
    if size <= 32:
        rgba = open(f"{work}/{size}.rgba", "rb").read()
        rows = [rgba[y * size * 4:(y + 1) * size * 4] for y in range(size)]
        # A DIB is stored bottom-up, in BGRA, with an AND mask after the colours (unused with alpha).
        pixels = b"".join(bytes(b for i in range(0, len(row), 4) for b in (row[i + 2], row[i + 1], row[i], row[i + 3]))
                          for row in reversed(rows))
        mask = bytes(((size + 31) // 32) * 4 * size)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        data = header + pixels + mask
    else:
        data = open(f"{work}/{size}.png", "rb").read()
    entries.append((size, data))
offset = 6 + 16 * len(entries)
directory, images = b"", b""
for size, data in entries:
    directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset + len(images))
    images += data
open(out, "wb").write(struct.pack("<HHH", 0, 1, len(entries)) + directory + images)
PY
echo "wrote $out"
