#!/usr/bin/env bash
# Draws the toolbar images (20 x 15 pixels, transparent background) into res/toolbar/, and
# each again at twice the size ("<name>@2x.png", which Qt takes on screens scaled by 2 or
# more) from the same figures, so the images stay sharp there. Light fills inside dark
# outlines, so every image reads on light and on dark toolbars.
# Needs ImageMagick (convert). The images are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")/../res/toolbar"

ink='#1e1e1e'

draw() {  # name, then ImageMagick draw arguments in the coordinates of the 20 x 15 image
  local name=$1
  shift
  convert -size 20x15 xc:none -strokewidth 1 "$@" -define png:exclude-chunk=date,time "PNG32:$name.png"
  # Doubled: every pixel of the small image becomes a 2 x 2 block (pixel centres at 2x+0.5).
  convert -size 40x30 xc:none -affine 2,0,0,2,0.5,0.5 -strokewidth 1 "$@" -define png:exclude-chunk=date,time "PNG32:$name@2x.png"
}

# File manager: a folder.
draw filer -stroke "$ink" -fill '#f4c542' \
  -draw "polygon 2,3 7,3 9,5 17,5 17,13 2,13" \
  -fill '#ffe08a' -draw "polygon 2,13 4,7 19,7 17,13"

# Tray open: the eject sign (a triangle over a bar), green.
draw tray-open -stroke "$ink" -fill '#5cd65c' \
  -draw "polygon 10,1 17,8 3,8" -draw "rectangle 3,10 17,13"

# Tray close: the triangle pointing down onto the bar, orange.
draw tray-close -stroke "$ink" -fill '#ffa640' \
  -draw "polygon 3,1 17,1 10,8" -draw "rectangle 3,10 17,13"

# Install from disc: a disc and an arrow pointing into it.
draw install -stroke "$ink" -fill '#bfe3ff' -draw "circle 7,8 7,2" \
  -fill "$ink" -draw "point 7,8" \
  -fill '#5cd65c' -draw "polygon 14,0 17,0 17,5 19,5 15,10 11,5 14,5"

# Large icons: one large tile.
draw icon-large -stroke "$ink" -fill '#7fb2ff' -draw "rectangle 4,1 16,13" \
  -fill '#ffffff' -draw "rectangle 7,4 13,10"

# Small icons: four small tiles.
draw icon-small -stroke "$ink" -fill '#7fb2ff' \
  -draw "rectangle 3,1 8,6" -draw "rectangle 11,1 16,6" \
  -draw "rectangle 3,8 8,13" -draw "rectangle 11,8 16,13"

# By count: a tally of four strokes crossed by a fifth.
draw history-count -stroke "$ink" -strokewidth 3 \
  -draw "line 4,2 4,13" -draw "line 8,2 8,13" -draw "line 12,2 12,13" -draw "line 16,2 16,13" \
  -stroke '#ffffff' -strokewidth 1 \
  -draw "line 4,3 4,12" -draw "line 8,3 8,12" -draw "line 12,3 12,12" -draw "line 16,3 16,12" \
  -stroke "$ink" -strokewidth 3 -draw "line 1,11 19,4" \
  -stroke '#ff5050' -strokewidth 1 -draw "line 2,11 18,4"

# By date: a calendar sheet.
draw history-date -stroke "$ink" -fill '#ffffff' -draw "rectangle 3,1 16,13" \
  -fill '#ff5050' -draw "rectangle 3,1 16,4" \
  -stroke none -fill "$ink" \
  -draw "rectangle 5,6 6,7" -draw "rectangle 9,6 10,7" -draw "rectangle 13,6 14,7" \
  -draw "rectangle 5,10 6,11" -draw "rectangle 9,10 10,11"

# Help: a question mark on a blue disc.
draw help -stroke "$ink" -fill '#3d8bff' -draw "circle 10,7 10,0" \
  -stroke none -fill '#ffffff' -font DejaVu-Sans-Bold -pointsize 11 -gravity center \
  -draw "text 0,0 '?'"

# Play chart: three bars of rising height.
draw play-chart -stroke "$ink" -fill '#ffa640' -draw "rectangle 3,8 6,13" \
  -fill '#5cd65c' -draw "rectangle 8,5 11,13" -fill '#3d8bff' -draw "rectangle 13,1 16,13"
