#!/bin/sh
# Regenerates the template chooser's "no preview" thumbnail; the thumbnails of
# the templates themselves come from tools/make-previews.sh.
#   0.gif  neutral "No Preview" placeholder, 114 px wide
#   0.png  the same, 480 px wide, for the catalogue's large picture
# Only ImageMagick drawing primitives are used; metadata and timestamps are
# stripped so repeated runs produce identical files.
#
# Usage: tools/make-template-graphics.sh [output-dir]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../data/templates/graphics"}
mkdir -p "$out"

for p in imagemagick fonts-dejavu-core; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$p"
    fi
done

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

# --- 0.png: the same, four times as large ------------------------------------
set -- -size $((W * 4))x$((H * 4)) xc:'#D4D4D4' \
    -fill none -stroke '#A0A0A0' -strokewidth 4 \
    -draw "rectangle 2,2 $((W * 4 - 3)),$((H * 4 - 3))" \
    -draw "rectangle 16,16 $((W * 4 - 17)),$((H * 4 - 17))" \
    -stroke none
if [ -n "$FONT" ]; then
    set -- "$@" -font "$FONT" -pointsize 52 -fill '#606060' \
        -gravity center -annotate +0+0 "No Preview"
fi
# shellcheck disable=SC2086
convert "$@" -resize '480x360!' $CLEAN -define png:exclude-chunks=date,time "PNG24:$out/0.png"

echo "wrote $out/0.gif and $out/0.png"
