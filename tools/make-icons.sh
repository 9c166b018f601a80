#!/usr/bin/env bash
# Renders the program icon res/icons/zarn2.svg into the PNG sizes of the hicolor theme
# (res/icons/hicolor/<n>x<n>/zarn2.png, installed by the package) and the window icon
# res/icons/zarn2.png (64 pixels). Needs ImageMagick (convert). The images are committed;
# run this only after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../res/icons"

render() {  # size, output
  # Drawn at 8 times the size and scaled down, so edges are smoothed alike at every size.
  convert -background none -density $((96 * 8 * $1 / 64)) zarn2.svg -resize "$1x$1" "PNG32:$2"
}

for size in 16 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}"
  render "$size" "hicolor/${size}x${size}/zarn2.png"
done
render 64 zarn2.png
