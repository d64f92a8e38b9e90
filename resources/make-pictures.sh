#!/usr/bin/env bash
# Draws the dialog's pictures with ImageMagick into resources/pictures/. The committed files are
# what the build embeds; run this again only to change the artwork. Bitmaps shown transparent use
# fuchsia as the key colour in their bottom-left pixel, as transparent pictures expect.
set -euo pipefail
out="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/pictures"
mkdir -p "$out"
key=fuchsia

save_bmp() {  # save_bmp NAME convert-arguments...
  local name="$1"; shift
  convert +antialias "$@" -alpha off -type TrueColor "BMP3:$out/$name"
}

# A computer (monitor, stand, keyboard) with a red round badge holding a white arrow.
save_bmp computer-arrow.bmp -size 53x51 xc:$key \
  -fill '#404040' -draw 'rectangle 4,2 40,30' \
  -fill '#c0c0c0' -draw 'rectangle 6,4 38,28' \
  -fill '#1c5fb8' -draw 'rectangle 9,7 35,25' \
  -fill '#6fa4e8' -draw 'polygon 9,7 22,7 9,18' \
  -fill '#808080' -draw 'rectangle 18,31 26,35' \
  -fill '#a0a0a0' -draw 'rectangle 12,35 32,37' \
  -fill '#d8d8d8' -stroke '#606060' -draw 'polygon 2,41 38,41 42,48 0,48' -stroke none \
  -fill '#606060' -draw 'line 6,44 36,44' \
  -fill '#c01010' -stroke '#800000' -draw 'circle 40,36 40,24' -stroke none \
  -fill white -draw 'polygon 33,33 41,33 41,29 48,36 41,43 41,39 33,39'

# Two computers joined by a network cable.
save_bmp network.bmp -size 36x34 xc:$key \
  -fill '#404040' -draw 'rectangle 1,1 15,13' -fill '#2f7fd0' -draw 'rectangle 3,3 13,11' \
  -fill '#808080' -draw 'rectangle 5,14 11,16' \
  -fill '#404040' -draw 'rectangle 20,11 34,23' -fill '#2f7fd0' -draw 'rectangle 22,13 32,21' \
  -fill '#808080' -draw 'rectangle 24,24 30,26' \
  -stroke '#208020' -strokewidth 2 -draw 'line 8,17 8,30' -draw 'line 8,30 27,30' \
  -draw 'line 27,27 27,30' -stroke none -fill '#208020' -draw 'circle 17,30 17,32'

# Green tick on a white ground.
save_bmp tick.bmp -size 24x24 xc:white \
  -stroke '#10a020' -strokewidth 4 -fill none -draw 'stroke-linecap round stroke-linejoin round polyline 3,12 9,19 21,4'

# Red disc with a white cross.
save_bmp failure.bmp -size 24x24 xc:$key \
  -fill '#d01818' -stroke '#900000' -draw 'circle 11.5,11.5 11.5,1' \
  -stroke white -strokewidth 3 -draw 'line 7,7 16,16' -draw 'line 16,7 7,16'

# Green arrow pointing right.
save_bmp arrow.bmp -size 24x24 xc:$key \
  -fill '#18a030' -stroke '#0a6018' -draw 'polygon 2,8 12,8 12,2 22,12 12,22 12,16 2,16'

# The small red cross on the delete button.
save_bmp cross.bmp -size 10x12 xc:$key \
  -stroke '#d00000' -strokewidth 2 -draw 'line 1,2 8,9' -draw 'line 8,2 1,9'

# The 215 x 48 banner: a blue gradient with the product's own name.
convert -size 215x48 gradient:'#0b3d91'-'#3f8fe0' \
  -fill white -font DejaVu-Sans-Bold -pointsize 20 -gravity west -annotate +54-7 'Lintora' \
  -fill '#ffd040' -font DejaVu-Sans -pointsize 10 -gravity southeast -annotate +6+4 \
  'MySQL ODBC Setup' \
  -fill '#ffd040' -draw 'circle 24,24 24,8' -fill '#0b3d91' -draw 'rectangle 17,17 31,21' \
  -draw 'rectangle 17,27 31,31' \
  -strip -quality 90 -sampling-factor 2x2 "$out/banner.jpg"
