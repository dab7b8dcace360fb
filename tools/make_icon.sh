#!/bin/sh
# Draws Pelmora's icon (a rounded blue tile with a white radical sign over an
# 'x', for a formula tool) and stores it as resources/pelmora.ico: one
# 256 x 256 32-bit image kept as PNG inside the icon file.
#
# Needs ImageMagick's `convert` and python3. The .ico is committed, so the
# build itself never runs this.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../resources/pelmora.ico"}
png=$(mktemp --suffix=.png)
trap 'rm -f "$png"' EXIT

# Only vector strokes of our own; no fonts, no borrowed art.
convert \( -size 256x256 gradient:'#3b8ced-#1c4fa6' \) \
  \( -size 256x256 xc:black -fill white -draw 'roundrectangle 8,8 247,247 44,44' \) \
  -alpha off -compose CopyOpacity -composite -compose Over \
  -fill none -stroke '#ffffff' -strokewidth 16 -draw 'stroke-linejoin round stroke-linecap round polyline 40,142 70,124 106,204 152,52 220,52' \
  -strokewidth 14 -draw 'stroke-linecap round line 156,98 208,170' \
  -draw 'stroke-linecap round line 208,98 156,170' \
  -strip -define png:exclude-chunks=date,time PNG32:"$png"

# ICONDIR (reserved 0, type 1 = icon, one image) and one ICONDIRENTRY
# (width and height 0 mean 256; 32 bits per pixel; the PNG right after).
python3 - "$png" "$out" <<'PY'
import struct, sys
png = open(sys.argv[1], 'rb').read()
assert png[:8] == b'\x89PNG\r\n\x1a\n'
header = struct.pack('<HHH', 0, 1, 1)
entry = struct.pack('<BBBBHHII', 0, 0, 0, 0, 1, 32, len(png), 6 + 16)
open(sys.argv[2], 'wb').write(header + entry + png)
PY
echo "wrote $out"
