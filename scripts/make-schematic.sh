#!/usr/bin/env bash
# Renders docs/level-shifter.png, the circuit drawing shown near the top of the
# READMEs, from its vector source docs/level-shifter.svg with rsvg-convert, for
# viewers that show no SVG. Run it after editing the SVG and commit both files;
# the build reads neither. The text is set in DejaVu Sans, which the package
# group installs, so the picture comes out the same on every machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh schematic

rsvg-convert --width 720 --output docs/level-shifter.png docs/level-shifter.svg
echo "docs/level-shifter.png: $(wc -c <docs/level-shifter.png) bytes"
