#!/usr/bin/env bash
# Renders the hicolor PNG sizes of the program icon from korvland.svg. The PNGs are kept in
# the repository, so building and packaging need no SVG renderer; run this after changing the
# SVG (needs rsvg-convert: apt-get install librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --output "korvland-$size.png" korvland.svg
done
