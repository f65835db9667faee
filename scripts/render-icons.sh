#!/usr/bin/env bash
# Renders the committed PNG icons from the SVG drawing; run it after changing packaging/icons/cartling.svg.
# Needs rsvg-convert (Debian package librsvg2-bin), which the build itself does not.
set -euo pipefail
ICONS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../packaging/icons" && pwd)"
for size in 48 256; do
    rsvg-convert -w "$size" -h "$size" "$ICONS/cartling.svg" -o "$ICONS/cartling-$size.png"
done
