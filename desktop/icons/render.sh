#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from its SVG (run after changing the drawing;
# the PNGs are committed so that building needs no SVG renderer).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" org.trainbook.Trainbook.svg -o "org.trainbook.Trainbook-$size.png"
done
