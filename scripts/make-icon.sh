#!/usr/bin/env bash
# Redraws res/varnock.ico, the icon of Varnock.exe, from its vector source
# res/varnock-icon.svg: rsvg-convert renders each size the icon carries (16, 32
# and 48 pixels, the sizes Explorer and the taskbar ask for) and ImageMagick puts
# them into one .ico. Run it after editing the SVG and commit both files; the
# build itself only reads the .ico.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh icon

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
images=()
for size in 16 32 48; do
    rsvg-convert -w "$size" -h "$size" -o "$work/icon-$size.png" res/varnock-icon.svg
    images+=("$work/icon-$size.png")
done
convert "${images[@]}" res/varnock.ico
identify res/varnock.ico
