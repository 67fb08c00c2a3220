#!/usr/bin/env bash
# Regenerates the project's own pictures with ImageMagick: the tiled background back.don
# (a seamless pale green mottled texture, also shown in the window's preview) and the
# 32 x 32, 16-colour window icon. The committed files are the reference; this records
# how they were made.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 150x150 -seed 2001 xc: +noise Random -channel G -separate +channel \
  -virtual-pixel tile -blur 0x5 -auto-level -virtual-pixel tile -blur 0x1 \
  -set colorspace sRGB -type TrueColor +level-colors '#bcdca6','#eaf7de' -colors 48 -strip gif:back.don
convert -size 32x32 xc:none +antialias \
  -fill '#6b4a2b' -draw 'roundrectangle 1,4 30,29 2,2' \
  -fill '#f4efe2' -draw 'rectangle 3,6 28,27' \
  -fill white -stroke '#808080' -draw 'rectangle 6,9 25,24' -stroke none \
  -fill '#7fc0ff' -draw 'rectangle 7,10 24,18' \
  -fill '#ffd23f' -draw 'circle 20,13 22,13' \
  -fill '#3d9b35' -draw 'polygon 7,19 11,14 16,19 20,15 24,19' \
  -fill '#2f7a2a' -draw 'rectangle 7,19 24,23' \
  -colors 16 -strip png:varnook.png
