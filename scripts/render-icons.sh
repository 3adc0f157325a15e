#!/usr/bin/env bash
# Renders the program's icon, src/app/window/kelvra-trackmint.svg, into the PNG sizes that the
# package installs beside it (48 and 256 pixels). The PNGs are kept in the repository, so a build
# needs no SVG renderer; run this again after changing the SVG and commit the results.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh librsvg2-bin
icon=src/app/window/kelvra-trackmint
for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" --format png --output "$icon-$size.png" "$icon.svg"
  echo "Rendered $icon-$size.png"
done
