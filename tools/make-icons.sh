#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG into the hicolor tree of data/icons.
# Run it after changing the SVG and commit the PNGs: the build and the package then need no
# SVG renderer. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
icons="$root/data/icons/hicolor"
svg="$icons/scalable/apps/it.zelmor.Zelmor.svg"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$icons/${size}x${size}/apps/it.zelmor.Zelmor.png" "$svg"
done
echo "make-icons: $(find "$icons" -name 'it.zelmor.Zelmor.png' | wc -l) PNGs in $icons"
