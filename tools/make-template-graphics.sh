#!/bin/sh
# Regenerates the template thumbnail images used by the template chooser.
#   0.gif  neutral "No Preview" placeholder
#   1.gif  miniature sketch of template 01 (header band, picture grid, text)
# Only ImageMagick drawing primitives are used; metadata and timestamps are
# stripped so repeated runs produce identical files.
#
# Usage: tools/make-template-graphics.sh [output-dir]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../data/templates/graphics"}
mkdir -p "$out"

command -v convert >/dev/null 2>&1 || {
    echo "error: ImageMagick 'convert' not found" >&2
    exit 1
}

W=114
H=86
CLEAN="+set date:create +set date:modify -strip"

# Pick a font if one is available; fall back to no text otherwise.
FONT=""
for f in DejaVu-Sans-Bold DejaVu-Sans Helvetica-Bold Helvetica; do
    if convert -list font 2>/dev/null | grep -q "Font: $f\$"; then
        FONT=$f
        break
    fi
done

# --- 0.gif: "No Preview" placeholder ------------------------------------
set -- -size ${W}x${H} xc:'#D4D4D4' \
    -fill none -stroke '#A0A0A0' -strokewidth 1 \
    -draw "rectangle 0,0 $((W-1)),$((H-1))" \
    -draw "rectangle 4,4 $((W-5)),$((H-5))" \
    -stroke none
if [ -n "$FONT" ]; then
    set -- "$@" -font "$FONT" -pointsize 13 -fill '#606060' \
        -gravity center -annotate +0+0 "No Preview"
fi
# shellcheck disable=SC2086
convert "$@" $CLEAN "$out/0.gif"

# --- 1.gif: sketch of template 01 ----------------------------------------
# shellcheck disable=SC2086
convert -size ${W}x${H} xc:'#FFFFFF' \
    -stroke none \
    -fill '#8FBEF8' -draw "rectangle 6,2 107,15" \
    -fill '#004E9B' -draw "rectangle 30,5 83,8" \
    -fill '#3A6FA8' -draw "rectangle 40,11 73,12" \
    -fill '#004E9B' -draw "rectangle 6,16 107,50" \
    -fill '#FFFFFF' -draw "rectangle 42,18 71,27" \
    -fill '#FFFFFF' -draw "rectangle 22,30 49,38" \
    -fill '#FFFFFF' -draw "rectangle 64,30 91,38" \
    -fill '#FFFFFF' -draw "rectangle 22,41 49,48" \
    -fill '#FFFFFF' -draw "rectangle 64,41 91,48" \
    -fill '#B9E1FF' -draw "rectangle 6,51 107,69" \
    -fill '#004E9B' -draw "rectangle 10,53 40,54" \
    -fill '#5A5A5A' -draw "rectangle 10,57 103,57" \
    -fill '#5A5A5A' -draw "rectangle 10,60 100,60" \
    -fill '#5A5A5A' -draw "rectangle 10,63 103,63" \
    -fill '#5A5A5A' -draw "rectangle 10,66 70,66" \
    -fill '#ECF9FF' -draw "rectangle 6,70 107,83" \
    -fill '#004E9B' -draw "rectangle 10,72 50,73" \
    -fill '#7A7A7A' -draw "rectangle 10,76 103,76" \
    -fill '#7A7A7A' -draw "rectangle 35,80 78,80" \
    -fill none -stroke '#004E9B' -strokewidth 1 \
    -draw "rectangle 6,2 107,83" \
    $CLEAN "$out/1.gif"

echo "wrote $out/0.gif $out/1.gif"
