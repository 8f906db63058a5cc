#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the program's PNG icons from data/icons/norvanta2.svg, in the sizes a
# desktop asks for, into the hicolor tree that is installed as it stands and
# compiled into the program (the SVG itself is installed as the scalable icon).
# Run it after changing the SVG and commit the PNGs: the program loads PNGs
# only, and the build does not need this script's tools.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -eu
cd "$(dirname "$0")/.."
id=io.github.norvanta2.Norvanta2
source=data/icons/norvanta2.svg
tree=data/icons/hicolor

command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$tree/${size}x${size}/apps"
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio --output "$tree/${size}x${size}/apps/$id.png" "$source"
done
echo "Icons written to $tree"
